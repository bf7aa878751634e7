#include "controls/AfterPaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <QWindow>

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

// Holds the work until the window is first exposed: the window paints and
// flushes while it handles that event, so the work is queued behind it then.
// The window's handle, which receives it, exists once the window is shown.
class FirstPaintWaiter : public QObject {
public:
    FirstPaintWaiter(QWidget* window, std::function<void()> work)
        : QObject(window), window_(window), work_(std::move(work)) {
        window->installEventFilter(this);
        if (window->windowHandle()) // shown already, not yet exposed
            window->windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Show && window_->windowHandle())
            window_->windowHandle()->installEventFilter(this);
        if (event->type() == QEvent::Expose && watched == window_->windowHandle() &&
            window_->windowHandle()->isExposed()) {
            RunAfterPaint(window_, std::move(work_));
            deleteLater();
            window_->windowHandle()->removeEventFilter(this);
            window_->removeEventFilter(this);
        }
        return false;
    }

private:
    QWidget* window_;
    std::function<void()> work_;
};

} // namespace

void RunAfterPaint(QObject* context, std::function<void()> work) {
    auto* runner = new AfterPaintRunner(context, std::move(work));
    QCoreApplication::postEvent(runner, new QEvent(QEvent::User), Qt::LowEventPriority);
}

} // namespace sorvane

namespace sorvane {

void RunAfterFirstPaint(QWidget* window, std::function<void()> work) {
    if (window->windowHandle() && window->windowHandle()->isExposed())
        RunAfterPaint(window, std::move(work));
    else
        new FirstPaintWaiter(window, std::move(work));
}

} // namespace sorvane
