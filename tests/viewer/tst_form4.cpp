// The viewer through its real widgets on pictures in a temporary folder: the
// steps, the slideshow, a file gone meanwhile.
#include "controls/FileList.h"
#include "controls/StatusPanels.h"
#include "imaging/PictureSource.h"
#include "settings/Module1.h"
#include "support/Controls.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"
#include "viewer/Form4.h"

#include <QAction>
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
    QString Panel(int i) const { return Control<StatusPanels>("StatusBar1")->text(i).trimmed(); }

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

    // The file shown, and whether the slideshow runs and ticks, after the
    // actions on five pictures, opened on the second. A step by mouse or key
    // only halts the ticks; button 6 or another button stops the slideshow.
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
        add("started at 32767 s", "s32767 b6", 1, 32767000, true);
        add("no repeat: ends at the last", "s3 b6 tick tick tick tick", 4);
        add("repeat: the first after the last", "repeat s3 b6 tick tick tick tick", 0, 3000, true);
        add("a key halts it, still running", "s3 b6 End", 4, 0, true);
        add("halted, pressed twice: started again", "s3 b6 Home b6 b6", 0, 3000, true);
        add("button 7 stops it and steps on", "s3 b6 b7", 2);
        add("Home to the first; Space, Right, Page Down forward", "Home Space Right PgDown", 3);
        add("Left and Page Up step back", "End Left PgUp", 2);
        add("two half notches towards the user step once", "w:-60 w:-60", 2);
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
};

QTEST_MAIN(Form4Test)
#include "tst_form4.moc"
