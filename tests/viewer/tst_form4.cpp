// The viewer's slideshow on its own, and the viewer through its real widgets
// on pictures in a temporary folder: the steps, positions past 16 bits,
// steps that arrive while a picture is being shown.
#include "controls/FileList.h"
#include "controls/StatusPanels.h"
#include "imaging/PictureSource.h"
#include "settings/Module1.h"
#include "support/Controls.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"
#include "viewer/Form4.h"
#include "viewer/Slideshow.h"

#include <QAction>
#include <QSignalSpy>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

class Form4Test : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    Module1 module;
    ScriptedPrompts prompts;
    PictureSource pictures;
    FileList list;
    std::unique_ptr<Form4> window;

    // Opens the viewer on that entry of the list, and acts: "bN" clicks
    // toolbar button N, "tick" calls the timer's handler, "real-tick" awaits
    // the timer, "sN" sets the slideshow to N seconds, "repeat" sets it to
    // repeat, "w:N" turns the wheel over the picture by N eighths of a
    // degree (negative: towards the user), and anything else is a key press
    // ("Space", "Ctrl+Right").
    bool Open(int index, const QString& actions = {}) {
        list.setFolder(dir->path());
        module.RunTime.ViewerFileIndex = index;
        module.RunTime.ViewerFileName = list.name(index);
        window = std::make_unique<Form4>(module, prompts, pictures, list);
        window->Form_Load();
        window->show();
        const QStringList steps = actions.split(' ', Qt::SkipEmptyParts);
        return QTest::qWaitForWindowExposed(window.get()) &&
               std::all_of(steps.begin(), steps.end(), [this](const QString& a) { return Act(a); });
    }
    template <typename W = QWidget> W* Control(const QString& name) const {
        return ControlNamed<W>(window.get(), name);
    }
    StatusPanels* Panels() const { return Control<StatusPanels>("StatusBar1"); }
    QString Panel(int i) const { return Panels()->text(i).trimmed(); }

    bool Act(const QString& action) {
        const int before = module.RunTime.ViewerFileIndex;
        if (action == "real-tick")
            return QTest::qWaitFor([&] { return module.RunTime.ViewerFileIndex != before; }, 3000);
        if (action == "tick") // the timer's handler
            window->Timer1_Timer();
        else if (action == "repeat")
            module.SlideshowRepeat = 1;
        else if (action.startsWith('b'))
            QTest::mouseClick(Control<QToolBar>("Toolbar1")
                                  ->widgetForAction(Control<QAction>("Toolbar1_" + action.mid(1))),
                              Qt::LeftButton);
        else if (action.startsWith('s'))
            module.SlideshowSeconds = std::int16_t(action.mid(1).toInt());
        else if (action.startsWith("w:")) // to the window, which the picture area leaves it to
            TurnWheel(action.mid(2).toInt());
        else
            QTest::keySequence(window.get(), QKeySequence(action));
        return true;
    }
    void TurnWheel(int eighths) {
        const QPointF at = Control("Picture1")->geometry().center();
        QWheelEvent wheel(at, window->mapToGlobal(at), {}, QPoint(0, eighths), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window.get(), &wheel);
    }

private Q_SLOTS:
    void init() {
        window.reset(); // before what it shows
        dir = std::make_unique<QTemporaryDir>();
        module = Module1{};
        for (int i = 0; i < 5; ++i) // f0.jpg .. f4.jpg
            WriteImage(dir->filePath(QStringLiteral("f%1.jpg").arg(i)), {64, 48}, "JPEG");
    }

    // The slideshow alone, on five files at `at`: "t" presses button 6, "h"
    // halts as a step by mouse or key does, "x" stops as the other buttons do.
    void slideshowPresses_data() {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<Slideshow::Press>("lastPress");
        QTest::addColumn<int>("interval"); // 0: stopped, -1: running without ticks
        QTest::addColumn<int>("position");
        using P = Slideshow::Press;
        QTest::newRow("started") << 3 << 1 << "t" << P::Started << 3000 << 1;
        QTest::newRow("at 32767 s") << 32767 << 1 << "t" << P::Started << 32767000 << 1;
        QTest::newRow("0 s: refused") << 0 << 1 << "t" << P::Refused << 0 << 1;
        QTest::newRow("-1 s: refused") << -1 << 1 << "t" << P::Refused << 0 << 1;
        QTest::newRow("pressed again: stopped") << 3 << 1 << "tt" << P::Stopped << 0 << 1;
        QTest::newRow("halted: still running") << 3 << 1 << "th" << P::Started << -1 << 1;
        QTest::newRow("halted, pressed: stopped") << 3 << 1 << "tht" << P::Stopped << 0 << 1;
        QTest::newRow("and again: started") << 3 << 1 << "thtt" << P::Started << 3000 << 1;
        QTest::newRow("another button stops") << 3 << 1 << "tx" << P::Started << 0 << 1;
        // Files were removed meanwhile: back to the last, and not started there.
        QTest::newRow("past the end") << 3 << 7 << "t" << P::Stopped << 0 << 4;
    }
    void slideshowPresses() {
        QFETCH(int, seconds);
        QFETCH(int, at);
        QFETCH(QString, actions);
        QFETCH(int, interval);
        module.SlideshowSeconds = std::int16_t(seconds);
        module.RunTime.ViewerFileIndex = at;
        Slideshow show(module);
        Slideshow::Press last{};
        for (const QChar action : actions)
            action == u't' ? void(last = show.toggle(5))
                           : (action == u'h' ? show.halt() : show.stop());
        QTEST(last, "lastPress");
        QCOMPARE(module.RunTime.SlideshowRunning == 1, interval != 0);
        const auto* timer = show.findChild<QTimer*>("Timer1");
        QCOMPARE(timer->isActive() ? timer->interval() : -module.RunTime.SlideshowRunning,
                 interval);
        QTEST(module.RunTime.ViewerFileIndex, "position");
    }

    // Once a step's picture is on screen, the next file is read ahead for
    // the picture area; however far the viewer goes, the pictures kept stay
    // within the cache's room.
    void stepsReadAheadWithinTheCache() {
        for (int i = 5; i < 30; ++i)
            WriteImage(dir->filePath(QStringLiteral("g%1.jpg").arg(i)), {64, 48}, "JPEG");
        QVERIFY(Open(0));
        const QSize box = Control("Picture1")->size() * Control("Picture1")->devicePixelRatioF();
        for (int step = 0; step < 25; ++step) {
            const QString next =
                list.folder() + u'/' + list.name(module.RunTime.ViewerFileIndex + 1);
            QTRY_VERIFY2(pictures.ready(next, box).has_value(), qPrintable(next));
            QVERIFY(pictures.cachedCount() <= PictureSource::Options{}.cacheCapacity);
            QTest::keyClick(window.get(), Qt::Key_Space);
        }
        QCOMPARE(module.RunTime.ViewerFileIndex, 25);
    }

    // The file shown, and whether the slideshow runs and ticks, after the
    // actions on five pictures, opened on the second: the keys and the wheel
    // step, and the toolbar and the keys reach the slideshow.
    void steps_data() {
        QTest::addColumn<QString>("actions");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("interval"); // 0: the timer is stopped
        QTest::addColumn<bool>("running");
        const auto add = [](const char* row, const char* actions, int index, int interval = 0,
                            bool running = false) {
            QTest::newRow(row) << QString(actions) << index << interval << running;
        };
        add("a real tick", "s1 b6 real-tick", 2, 1000, true);
        add("7 steps on and stops", "s3 b6 b7", 2);
        add("a tick steps on", "s3 b6 tick", 2, 3000, true);
        add("no repeat: ends at the last", "s3 b6 tick tick tick tick", 4);
        add("repeat: the first after the last", "repeat s3 b6 tick tick tick tick", 0, 3000, true);
        add("a key halts the slideshow", "s3 b6 End", 4, 0, true);
        add("Space steps forward", "Space", 2);
        add("Right steps forward", "Right", 2);
        add("Page Down steps forward", "PgDown", 2);
        add("Left steps back", "Left", 0);
        add("Page Up steps back", "PgUp", 0);
        add("End goes to the last", "End", 4);
        add("Home goes to the first", "End Home", 0);
        add("Ctrl+Right does nothing", "Ctrl+Right", 1);
        add("wheel towards the user steps forward", "w:-120", 2);
        add("wheel away steps back", "w:120", 0);
        add("two half notches step once", "w:-60 w:-60", 2);
    }
    void steps() {
        QFETCH(QString, actions);
        QVERIFY(Open(1, actions));
        const auto* timer = window->findChild<QTimer*>("Timer1");
        QTEST(module.RunTime.ViewerFileIndex, "index");
        QTEST(timer->isActive() ? timer->interval() : 0, "interval");
        QTEST(module.RunTime.SlideshowRunning == 1, "running");
    }

    // A slideshow that could never advance says why and stays stopped, with
    // the options within reach; Escape closes the viewer.
    void slideshowBelowOneSecondSaysWhy() {
        QVERIFY(Open(1, "s0 b6"));
        QCOMPARE(prompts.asked.size(), 1);
        QVERIFY(prompts.asked[0].text.startsWith("スライドショーの表示時間が 0 秒なので"));
        QVERIFY(Control<QAction>("Toolbar1_1")->isEnabled() && !module.RunTime.SlideshowRunning);
        QVERIFY(Act("Esc") && !window->isVisible());
    }

    // Five pictures and 40000 links to one of them.
    void positionsPast16Bits() {
        for (int i = 0; i < 40000; ++i)
            QVERIFY(QFile::link(dir->filePath("f1.jpg"), dir->filePath(QString("p%1.jpg").arg(i))));
        QVERIFY(Open(40003, "b4 b8"));
        QCOMPARE(window->windowTitle(), "SorvaneViewer  p39999.jpg   (40005/40005)");
        QCOMPARE(module.RunTime.ViewerFileIndex, 40004);
    }

    // A step onto a file removed after the list was read: the caption and
    // the panels name that file and say it is gone, never the file before;
    // the next is shown as ever.
    void aFileGoneSinceTheListWasReadIsNamedAsGone() {
        QVERIFY(Open(1));
        QVERIFY(QFile::remove(dir->filePath("f2.jpg")));
        QVERIFY(Act("Space"));
        QCOMPARE(window->windowTitle(), "SorvaneViewer  f2.jpg   (3/5)");
        QCOMPARE(Panel(2) + Panel(3) + Panel(4), "f2.jpgファイルが見つかりません。");
        QVERIFY(Control("Image1")->isHidden());
        QVERIFY(Act("Space"));
        QCOMPARE(window->windowTitle() + Panel(3), "SorvaneViewer  f3.jpg   (4/5)64X48 Pixel");
        QVERIFY(Control("Image1")->isVisible());
    }

    // A press shows its picture and lets waiting events in on the way: the
    // keys that were waiting step after it, in their order.
    void stepsArrivingDuringADisplayRunInOrder() {
        QVERIFY(Open(0));
        QSignalSpy captions(window.get(), &QWidget::windowTitleChanged);
        for (Qt::KeyboardModifier modifier : {Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier})
            QCoreApplication::postEvent(window.get(),
                                        new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, modifier));
        QTest::mouseClick(Control("Picture1"), Qt::LeftButton, {}, QPoint(3, 3)); // the free part
        QStringList positions;
        for (const QList<QVariant>& caption : captions)
            positions << caption[0].toString().section(' ', -1);
        QCOMPARE(positions, QStringList({"(2/5)", "(3/5)", "(4/5)", "(3/5)"}));
    }
};

QTEST_MAIN(Form4Test)
#include "tst_form4.moc"
