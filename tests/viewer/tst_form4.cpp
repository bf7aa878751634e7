// The viewer through its real widgets on pictures in a temporary folder:
// the steps and the slideshow's states, positions past 16 bits, steps that
// arrive while a picture is being shown.
#include "controls/FileList.h"
#include "controls/ImageBox.h"
#include "controls/StatusPanels.h"
#include "imaging/PictureSource.h"
#include "settings/Module1.h"
#include "support/Controls.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"
#include "support/TestPictures.h"
#include "viewer/Form4.h"

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

    // Opens the viewer on that entry of the list, and acts: "space", "bN" for toolbar button N,
    // "tick" (the timer's handler), "real-tick", "sN", "k:KEYS" for a key press
    // ("k:Ctrl+Right") and "w:N" for a turn of the wheel over the picture by N eighths of a
    // degree (negative: towards the user).
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

    // The viewer's controls, by the names the program gives them.
    QAction* Button(int index) const {
        return ControlNamed<QAction>(window.get(), QStringLiteral("Toolbar1_%1").arg(index));
    }
    QWidget* Picture1() const { return ControlNamed<QWidget>(window.get(), "Picture1"); }
    ImageBox* Image1() const { return ControlNamed<ImageBox>(window.get(), "Image1"); }
    StatusPanels* StatusBar1() const {
        return ControlNamed<StatusPanels>(window.get(), "StatusBar1");
    }
    QTimer* Timer1() const { return ControlNamed<QTimer>(window.get(), "Timer1"); }

    bool Act(const QString& action) {
        const int before = module.RunTime.ViewerFileIndex;
        if (action == "space")
            QTest::keyClick(window.get(), Qt::Key_Space);
        else if (action.startsWith('b'))
            QTest::mouseClick(ControlNamed<QToolBar>(window.get(), "Toolbar1")
                                  ->widgetForAction(Button(action.mid(1).toInt())),
                              Qt::LeftButton);
        else if (action == "tick")
            window->Timer1_Timer();
        else if (action.startsWith('s'))
            module.SlideshowSeconds = std::int16_t(action.mid(1).toInt());
        else if (action.startsWith("k:"))
            PressKey(QKeySequence(action.mid(2))[0]);
        else if (action.startsWith("w:"))
            TurnWheel(action.mid(2).toInt());
        return action != "real-tick" ||
               QTest::qWaitFor([&] { return module.RunTime.ViewerFileIndex != before; }, 3000);
    }

    void PressKey(QKeyCombination key) {
        QTest::keyClick(window.get(), key.key(), key.keyboardModifiers());
    }

    // To the window, where a real turn over the picture area ends up: the
    // area leaves it to its parent.
    void TurnWheel(int eighths) {
        const QPointF at = Picture1()->geometry().center();
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

    // Once a step's picture is on screen, the next file is read ahead for
    // the picture area; however far the viewer goes, the pictures kept stay
    // within the cache's room.
    void stepsReadAheadWithinTheCache() {
        for (int i = 5; i < 30; ++i)
            WriteImage(dir->filePath(QStringLiteral("g%1.jpg").arg(i, 2, 10, QChar(u'0'))),
                       {64, 48}, "JPEG");
        QVERIFY(Open(0));
        const qreal ratio = Picture1()->devicePixelRatioF();
        const QSize box(qRound(Picture1()->width() * ratio), qRound(Picture1()->height() * ratio));
        for (int step = 0; step < 25; ++step) {
            const QString next =
                list.folder() + u'/' + list.name(module.RunTime.ViewerFileIndex + 1);
            QTRY_VERIFY2(pictures.ready(next, box).has_value(), qPrintable(next));
            QVERIFY(pictures.cachedCount() <= PictureSource::Options{}.cacheCapacity);
            QTest::keyClick(window.get(), Qt::Key_Space);
        }
        QCOMPARE(module.RunTime.ViewerFileIndex, 25);
    }

    // The file shown, the timer and the slideshow flag after the actions on
    // five pictures, opened on the second; "sN" sets the slideshow to N
    // seconds. The slideshow's own rules are tested with it alone.
    void steps_data() {
        QTest::addColumn<QString>("actions");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("interval"); // 0: the timer is stopped
        QTest::addColumn<bool>("running");
        const auto add = [](const char* row, const char* actions, int index, int interval,
                            bool running) {
            QTest::newRow(row) << QString(actions) << index << interval << running;
        };
        add("a real tick", "s1 b6 real-tick", 2, 1000, true);
        add("no tick while paused", "s3 b6 space tick", 2, 0, true);
        add("7 stops", "s3 b6 b7", 2, 0, false);
        add("no repeat: ends at the last", "s3 b6 tick tick tick tick", 4, 0, false);
        add("Right steps forward", "k:Right", 2, 0, false);
        add("Page Down steps forward", "k:PgDown", 2, 0, false);
        add("Left steps back", "k:Left", 0, 0, false);
        add("Page Up steps back", "k:PgUp", 0, 0, false);
        add("End goes to the last", "k:End", 4, 0, false);
        add("Home goes to the first", "k:End k:Home", 0, 0, false);
        add("Ctrl+Right does nothing", "k:Ctrl+Right", 1, 0, false);
        add("a key halts the slideshow", "s3 b6 k:End", 4, 0, true);
        add("wheel towards the user steps forward", "w:-120", 2, 0, false);
        add("wheel away steps back", "w:120", 0, 0, false);
        add("two half notches step once", "w:-60 w:-60", 2, 0, false);
    }
    void steps() {
        QFETCH(QString, actions);
        QFETCH(int, index);
        QFETCH(int, interval);
        QFETCH(bool, running);
        QVERIFY(Open(1, actions));
        QCOMPARE(module.RunTime.ViewerFileIndex, index);
        QCOMPARE(Timer1()->isActive() ? Timer1()->interval() : 0, interval);
        QCOMPARE(module.RunTime.SlideshowRunning, running ? 1 : 0);
    }

    // A slideshow that could never advance says why and stays stopped, with
    // the options within reach.
    void slideshowBelowOneSecondSaysWhy() {
        prompts.asked.clear();
        QVERIFY(Open(1, "s0 b6"));
        QCOMPARE(prompts.asked.size(), 1);
        QCOMPARE(prompts.asked[0].text,
                 QStringLiteral("スライドショーの表示時間が 0 秒なので開始できません。\r\n"
                                "オプションで 1 から 32767 までの数を入力してください。"));
        QVERIFY(Button(1)->isEnabled());
    }

    void escapeCloses() {
        QVERIFY(Open(1, "k:Esc"));
        QVERIFY(!window->isVisible());
    }

    // The Caps Lock and Num Lock panels follow the keys, as the main
    // window's do: dimmed while the lock is off.
    void lockPanelsFollowTheKeys() {
        QVERIFY(Open(1));
        for (const KeyboardLocks locks : {KeyboardLocks{true, false}, KeyboardLocks{false, true}}) {
            StatusBar1()->setLockReader([locks] { return std::optional(locks); });
            QCOMPARE(StatusBar1()->panel(7)->isEnabled(), locks.capsLock);
            QCOMPARE(StatusBar1()->panel(8)->isEnabled(), locks.numLock);
        }
    }

    // Five pictures and 40000 links to one of them.
    void positionsPast16Bits() {
        for (int i = 0; i < 40000; ++i)
            QVERIFY(QFile::link(dir->filePath("f1.jpg"),
                                dir->filePath(QStringLiteral("p%1.jpg").arg(i))));
        QVERIFY(Open(40003, "b4 b8"));
        QCOMPARE(window->windowTitle(),
                 QStringLiteral("SorvaneViewer  p39999.jpg   (40005/40005)"));
        QCOMPARE(module.RunTime.ViewerFileIndex, 40004);
    }

    // The viewer shows a photograph taken with the camera turned upright,
    // and gives its upright size (every orientation is read upright below
    // the window).
    void showsPhotographsUpright() {
        const int orientation = 6; // stored turned a quarter: the size swaps too
        QVERIFY(WriteFile(dir->filePath("f2.jpg"),
                          OrientedJpeg(CornerPicture({120, 80}), orientation)));
        QVERIFY(Open(2));
        QCOMPARE(StatusBar1()->text(3).trimmed(), QStringLiteral("120X80 Pixel"));
        QCOMPARE(Corners(Image1()->picture()), QList<int>({0, 1, 2, 3}));
    }

    // A step onto a file removed after the list was read: the caption and
    // the panels name that file and say it is gone, never the file before.
    void aFileGoneSinceTheListWasReadIsNamedAsGone() {
        QVERIFY(Open(1));
        QVERIFY(QFile::remove(dir->filePath("f2.jpg")));
        QTest::keyClick(window.get(), Qt::Key_Space);
        QCOMPARE(module.RunTime.ViewerFileIndex, 2);
        QCOMPARE(window->windowTitle(), QStringLiteral("SorvaneViewer  f2.jpg   (3/5)"));
        QCOMPARE(StatusBar1()->text(2).trimmed(), QStringLiteral("f2.jpg"));
        QCOMPARE(StatusBar1()->text(3).trimmed(), QStringLiteral("ファイルが見つかりません。"));
        QVERIFY(StatusBar1()->text(4).isEmpty());
        QVERIFY(Image1()->isHidden());
        QTest::keyClick(window.get(), Qt::Key_Space); // and on to the next, shown as ever
        QCOMPARE(window->windowTitle(), QStringLiteral("SorvaneViewer  f3.jpg   (4/5)"));
        QCOMPARE(StatusBar1()->text(3).trimmed(), QStringLiteral("64X48 Pixel"));
        QVERIFY(Image1()->isVisible());
    }

    // A press shows its picture and lets waiting events in on the way: the
    // keys that were waiting step after it, in their order.
    void stepsArrivingDuringADisplayRunInOrder() {
        QVERIFY(Open(0));
        QSignalSpy captions(window.get(), &QWidget::windowTitleChanged);
        for (Qt::KeyboardModifier modifier : {Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier})
            QCoreApplication::postEvent(window.get(),
                                        new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, modifier));
        QTest::mouseClick(Picture1(), Qt::LeftButton, {}, QPoint(3, 3)); // the free part
        QStringList positions;
        for (const QList<QVariant>& caption : captions)
            positions << caption[0].toString().section(' ', -1);
        QCOMPARE(positions, QStringList({"(2/5)", "(3/5)", "(4/5)", "(3/5)"}));
    }
};

QTEST_MAIN(Form4Test)
#include "tst_form4.moc"
