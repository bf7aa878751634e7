#pragma once

#include <QEvent>
#include <QStringList>
#include <QWidget>

namespace sorvane::test {

// Notes the paints a widget receives: counts them and, given a log, writes
// "paint" into it at each, in order with what else the test writes there.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget* widget, QStringList* log = nullptr) : log_(log) {
        widget->installEventFilter(this);
    }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && ++paints && log_)
            *log_ << QStringLiteral("paint");
        return false;
    }

private:
    QStringList* log_;
};

} // namespace sorvane::test
