// Work put behind the paint: reading ahead starts only once what a key
// press changed has been painted, and never for a window that is gone.
#include "controls/AfterPaint.h"

#include <QtTest>

using namespace sorvane;

namespace {

// Writes "paint" into the log at each paint of the widget.
class PaintLog : public QObject {
public:
    PaintLog(QWidget* widget, QStringList& log) : log_(log) { widget->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            log_ << QStringLiteral("paint");
        return false;
    }

private:
    QStringList& log_;
};

} // namespace

class AfterPaintTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Queued after a change, the work runs after the paint that shows it,
    // also when other events wait in the queue.
    void runsAfterThePaintDue() {
        QWidget window;
        window.resize(120, 90);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QStringList log;
        const PaintLog paints(&window, log);
        window.update();
        QMetaObject::invokeMethod(
            &window, [&log] { log << QStringLiteral("queued"); }, Qt::QueuedConnection);
        RunAfterPaint(&window, [&log] { log << QStringLiteral("work"); });
        QTRY_VERIFY(log.contains(QStringLiteral("work")));
        QCOMPARE(log, QStringList({"queued", "paint", "work"}));
    }

    void nothingRunsForAWindowGone() {
        bool ran = false;
        {
            QWidget window;
            RunAfterPaint(&window, [&ran] { ran = true; });
        }
        QTest::qWait(20);
        QVERIFY(!ran);
    }
};

QTEST_MAIN(AfterPaintTest)
#include "tst_afterpaint.moc"
