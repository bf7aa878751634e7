#include "controls/AfterPaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace sorvane {
namespace {

// Carries the work to its turn in the event queue; a child of the context,
// so it goes, with its event, when the context goes.
class AfterPaintRunner : public QObject {
public:
    AfterPaintRunner(QObject* context, std::function<void()> work)
        : QObject(context), work_(std::move(work)) {}

protected:
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        const std::function<void()> work = std::move(work_);
        deleteLater();
        work();
        return true;
    }

private:
    std::function<void()> work_;
};

} // namespace

void RunAfterPaint(QObject* context, std::function<void()> work) {
    auto* runner = new AfterPaintRunner(context, std::move(work));
    QCoreApplication::postEvent(runner, new QEvent(QEvent::User), Qt::LowEventPriority);
}

} // namespace sorvane
