// The viewer's slideshow on its own: button 6's presses, halts by other
// steps, where ticks lead, and its real timer.
#include "settings/Module1.h"
#include "viewer/Slideshow.h"

#include <QSignalSpy>
#include <QtTest>

using namespace sorvane;

class SlideshowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // On five files at `at`: "t" presses button 6, "h" halts as a step by
    // mouse or key does, "x" stops as the other buttons do.
    void presses_data() {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<Slideshow::Press>("lastPress");
        QTest::addColumn<bool>("running");
        QTest::addColumn<int>("interval"); // 0: no ticks
        QTest::addColumn<int>("position");
        using P = Slideshow::Press;
        QTest::newRow("started") << 3 << 1 << "t" << P::Started << true << 3000 << 1;
        QTest::newRow("at 32767 s") << 32767 << 1 << "t" << P::Started << true << 32767000 << 1;
        QTest::newRow("0 s: refused") << 0 << 1 << "t" << P::Refused << false << 0 << 1;
        QTest::newRow("-1 s: refused") << -1 << 1 << "t" << P::Refused << false << 0 << 1;
        QTest::newRow("pressed again: stopped") << 3 << 1 << "tt" << P::Stopped << false << 0 << 1;
        QTest::newRow("halted: still running") << 3 << 1 << "th" << P::Started << true << 0 << 1;
        QTest::newRow("halted, pressed: stopped")
            << 3 << 1 << "tht" << P::Stopped << false << 0 << 1;
        QTest::newRow("and again: started") << 3 << 1 << "thtt" << P::Started << true << 3000 << 1;
        QTest::newRow("another button stops") << 3 << 1 << "tx" << P::Started << false << 0 << 1;
        // Files were removed meanwhile: back to the last, and not started there.
        QTest::newRow("past the end") << 3 << 7 << "t" << P::Stopped << false << 0 << 4;
    }
    void presses() {
        QFETCH(int, seconds);
        QFETCH(int, at);
        QFETCH(QString, actions);
        Module1 module;
        module.SlideshowSeconds = std::int16_t(seconds);
        module.RunTime.ViewerFileIndex = at;
        Slideshow show(module);
        Slideshow::Press last{};
        for (const QChar action : actions)
            action == u't' ? void(last = show.toggle(5))
                           : (action == u'h' ? show.halt() : show.stop());
        QTEST(last, "lastPress");
        QTEST(module.RunTime.SlideshowRunning == 1, "running");
        const auto* timer = show.findChild<QTimer*>(QStringLiteral("Timer1"));
        QTEST(timer->isActive() ? timer->interval() : 0, "interval");
        QTEST(module.RunTime.ViewerFileIndex, "position");
    }

    void ticks_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("repeat");
        QTest::addColumn<int>("next");
        QTest::addColumn<bool>("shown");
        QTest::newRow("on") << 1 << false << 2 << true;
        QTest::newRow("onto the last") << 3 << false << 4 << true;
        QTest::newRow("past the last: ends there") << 4 << false << 4 << false;
        QTest::newRow("past the last, repeating: the first") << 4 << true << 0 << true;
    }
    void ticks() {
        QFETCH(int, index);
        QFETCH(bool, repeat);
        Module1 module;
        module.RunTime.ViewerFileIndex = index;
        module.SlideshowRepeat = repeat;
        const StepTarget target = Slideshow(module).tickStep(5);
        QTEST(target.index, "next");
        QTEST(target.show, "shown");
    }

    // The timer really ticks at the interval, and every start and stop is
    // told so the toolbar can show it.
    void ticksAtItsIntervalAndTellsItsState() {
        Module1 module;
        module.SlideshowSeconds = 1;
        Slideshow show(module);
        QSignalSpy ticks(&show, &Slideshow::tick);
        QSignalSpy states(&show, &Slideshow::startedOrStopped);
        QElapsedTimer clock;
        clock.start();
        show.toggle(5);
        QVERIFY(ticks.wait(3000) && clock.elapsed() >= 990);
        show.toggle(5);
        QCOMPARE(states, QList<QList<QVariant>>({{true}, {false}}));
    }
};

QTEST_MAIN(SlideshowTest)
#include "tst_slideshow.moc"
