// Work put behind the paint: reading ahead starts only once what a key
// press changed has been painted, and never for a window that is gone.
#include "controls/AfterPaint.h"
#include "support/Paints.h"

#include <QtTest>

using namespace sorvane;
using sorvane::test::PaintWatch;

class AfterPaintTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Queued after a change, the work runs after the paint that shows it,
    // also when other events wait in the queue. Asked for while a window is
    // set up, before it is shown, it waits for the window's first paint.
    void runsAfterThePaintDue_data() {
        QTest::addColumn<bool>("shown");
        QTest::newRow("window shown") << true;
        QTest::newRow("window not shown yet") << false;
    }
    void runsAfterThePaintDue() {
        QFETCH(bool, shown);
        QWidget window;
        window.resize(120, 90);
        if (shown) {
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
        }
        QStringList log;
        const PaintWatch paints(&window, &log);
        window.update();
        QMetaObject::invokeMethod(
            &window, [&log] { log << "queued"; }, Qt::QueuedConnection);
        RunAfterFirstPaint(&window, [&log] { log << "work"; });
        QTest::qWait(20);
        window.show();
        QTRY_COMPARE(log, QStringList({"queued", "paint", "work"}));
    }

    void nothingRunsForAWindowGone() {
        bool ran = false;
        RunAfterPaint(std::make_unique<QWidget>().get(), [&ran] { ran = true; });
        QTest::qWait(20);
        QVERIFY(!ran);
    }
};

QTEST_MAIN(AfterPaintTest)
#include "tst_afterpaint.moc"
