// The viewer through its real widgets on pictures in a temporary folder:
// what each step shows, the slideshow's states, positions past 16 bits, and
// steps that arrive while a picture is being shown.
#include "controls/FileList.h"
#include "controls/ImageBox.h"
#include "controls/StatusPanels.h"
#include "imaging/PictureSource.h"
#include "settings/Module1.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"
#include "viewer/Form4.h"
#include "viewer/ToolbarPictures.h"

#include <QAction>
#include <QSignalSpy>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include <unistd.h>

using namespace sorvane;
using sorvane::test::ScriptedPrompts;
using sorvane::test::WriteImage;

namespace {

const QSize Small(64, 48);

QColor ColourOf(int i) {
    return QColor::fromHsv(i * 70 % 360, 220, 230);
}

bool Near(QColor a, QColor b) {
    return qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue()) < 40;
}

QString Name(int i) {
    return QStringLiteral("f%1.jpg").arg(i);
}

} // namespace

class Form4Test : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    Module1 module;
    ScriptedPrompts prompts;
    std::unique_ptr<PictureSource> pictures;
    std::unique_ptr<FileList> list;
    std::unique_ptr<Form4> window;

    QString Source() const { return dir->filePath("src"); }

    // Five small pictures f0.jpg .. f4.jpg, each its own colour.
    void MakePictures(int count = 5) {
        for (int i = 0; i < count; ++i)
            WriteImage(Source() + u'/' + Name(i), Small, "JPEG", ColourOf(i));
    }

    // Opens the viewer on that entry of the list, and acts: "left", "middle"
    // and "right-image" presses, "space", "shift-space", "ctrl-space", "bN"
    // for toolbar button N, "tick" (the timer's handler) and "real-tick".
    bool Open(int index, const QString& actions = {}) {
        list->setFolder(Source());
        module.ViewerFileIndex = index;
        module.ViewerFileName = list->name(index);
        window = std::make_unique<Form4>(module, prompts, *pictures, *list);
        window->Form_Load();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            return false;
        const QStringList steps = actions.split(' ', Qt::SkipEmptyParts);
        return std::all_of(steps.begin(), steps.end(), [this](const QString& a) { return Act(a); });
    }

    QColor Shown() const {
        const QImage grab = window->Image1->grab().toImage();
        return grab.pixelColor(grab.width() / 2, grab.height() / 2);
    }
    bool ShowsPicture(int picture) const {
        return window->Button(6)->icon().pixmap(16).toImage() ==
               ToolbarPicture(picture).pixmap(16).toImage();
    }
    QString Panel(int i) const { return window->StatusBar1->text(i); }

    bool Act(const QString& action) {
        Form4& w = *window;
        const QPoint corner(3, 3); // the free part of the picture area
        if (action == "left" || action == "middle")
            QTest::mouseClick(w.Picture1, action == "left" ? Qt::LeftButton : Qt::MiddleButton, {},
                              corner);
        else if (action == "right-image")
            QTest::mouseClick(w.Image1, Qt::RightButton, {}, w.Image1->rect().center());
        else if (action.endsWith("space"))
            QTest::keyClick(&w, Qt::Key_Space,
                            action == "shift-space"  ? Qt::ShiftModifier
                            : action == "ctrl-space" ? Qt::ControlModifier
                                                     : Qt::NoModifier);
        else if (action.startsWith('b'))
            QTest::mouseClick(w.Toolbar1->widgetForAction(w.Button(action.mid(1).toInt())),
                              Qt::LeftButton);
        else if (action == "tick")
            w.Timer1_Timer();
        else if (action == "real-tick") {
            const int before = module.ViewerFileIndex;
            return QTest::qWaitFor([&] { return module.ViewerFileIndex != before; }, 3000);
        } else
            return false;
        return true;
    }

private Q_SLOTS:
    void init() {
        window.reset(); // before what it shows
        dir = std::make_unique<QTemporaryDir>();
        QDir(dir->path()).mkpath("src");
        module = Module1{};
        module.SlideshowSeconds = 3;
        prompts = ScriptedPrompts{};
        pictures = std::make_unique<PictureSource>();
        list = std::make_unique<FileList>();
    }

    void stepsShowTheFileTheyReach_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<int>("index");
        QTest::newRow("opened on the last") << 4 << "" << 4;
        QTest::newRow("left press on the area") << 1 << "left" << 2;
        QTest::newRow("right press on the picture") << 2 << "right-image" << 1;
        QTest::newRow("middle press") << 2 << "middle" << 2;
        QTest::newRow("Space") << 0 << "space" << 1;
        QTest::newRow("Shift+Space") << 1 << "shift-space" << 0;
        QTest::newRow("Ctrl+Space") << 1 << "ctrl-space" << 1;
        QTest::newRow("Space at the last") << 3 << "space space" << 4;
        QTest::newRow("Shift+Space at the first") << 1 << "shift-space shift-space" << 0;
        QTest::newRow("button 4, first") << 3 << "b4" << 0;
        QTest::newRow("button 5, back one") << 3 << "b5" << 2;
        QTest::newRow("button 8, last") << 1 << "b8" << 4;
    }
    void stepsShowTheFileTheyReach() {
        QFETCH(int, start);
        QFETCH(QString, actions);
        QFETCH(int, index);
        MakePictures();
        QVERIFY(Open(start, actions));
        const QString path = Source() + u'/' + Name(index);
        QCOMPARE(module.ViewerFileIndex, index);
        QCOMPARE(window->windowTitle(),
                 QStringLiteral("SorvaneViewer  %1   (%2/5)").arg(Name(index)).arg(index + 1));
        QCOMPARE(Panel(1), u' ' + Source() + u' ');
        QCOMPARE(Panel(2), u' ' + Name(index) + u' ');
        QCOMPARE(Panel(3), QStringLiteral(" 64X48 Pixel "));
        QCOMPARE(Panel(4), QStringLiteral(" %1KB ").arg((QFileInfo(path).size() + 1023) / 1024));
        QVERIFY(!Panel(5).trimmed().isEmpty() && Panel(6).isEmpty());
        QVERIFY(Near(Shown(), ColourOf(index)));
        for (int b : {4, 5, 6, 7, 8})
            QCOMPARE(window->Button(b)->isEnabled(), b < 6 ? index != 0 : index != 4);
    }

    // The state after the actions: the file shown, the timer, the flag, the
    // picture of button 6 and whether button 1 is enabled.
    void slideshow_data() {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<bool>("repeat");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("interval"); // 0: the timer is stopped
        QTest::addColumn<bool>("running");
        QTest::newRow("started at 40 s") << 40 << false << 1 << "b6" << 1 << 40000 << true;
        QTest::newRow("started at 32767 s") << 32767 << false << 1 << "b6" << 1 << 32767000 << true;
        QTest::newRow("-1 s: never ticks") << -1 << false << 1 << "b6 tick" << 1 << 0 << true;
        QTest::newRow("a tick steps") << 3 << false << 1 << "b6 tick" << 2 << 3000 << true;
        QTest::newRow("a real tick") << 1 << false << 1 << "b6 real-tick" << 2 << 1000 << true;
        QTest::newRow("Space pauses") << 3 << false << 1 << "b6 space" << 2 << 0 << true;
        QTest::newRow("no tick while paused")
            << 3 << false << 1 << "b6 space tick" << 2 << 0 << true;
        QTest::newRow("6 after a pause stops")
            << 3 << false << 1 << "b6 space b6" << 2 << 0 << false;
        QTest::newRow("6 again starts") << 3 << false << 1 << "b6 space b6 b6" << 2 << 3000 << true;
        QTest::newRow("7 stops") << 3 << false << 1 << "b6 b7" << 2 << 0 << false;
        QTest::newRow("last file reached") << 3 << false << 3 << "b6 tick" << 4 << 3000 << true;
        QTest::newRow("no repeat: ends there")
            << 3 << false << 3 << "b6 tick tick" << 4 << 0 << false;
        QTest::newRow("repeat: the first again")
            << 3 << true << 3 << "b6 tick tick" << 0 << 3000 << true;
    }
    void slideshow() {
        QFETCH(int, seconds);
        QFETCH(bool, repeat);
        QFETCH(int, start);
        QFETCH(QString, actions);
        QFETCH(int, index);
        QFETCH(int, interval);
        QFETCH(bool, running);
        module.SlideshowSeconds = std::int16_t(seconds);
        module.SlideshowRepeat = repeat ? 1 : 0;
        MakePictures();
        QVERIFY(Open(start, actions));
        QVERIFY(Near(Shown(), ColourOf(index)));
        QCOMPARE(window->Timer1->isActive() ? window->Timer1->interval() : 0, interval);
        QCOMPARE(module.SlideshowRunning, running ? 1 : 0);
        QVERIFY(ShowsPicture(running ? 8 : 5));
        QCOMPARE(window->Button(1)->isEnabled(), !running);
        QCOMPARE(window->Button(6)->isEnabled(), index != 4);
    }

    void positionsPast16Bits() {
        const int count = 40000;
        WriteImage(dir->filePath("one.jpg"), Small, "JPEG", ColourOf(1));
        const QByteArray one = QFile::encodeName(dir->filePath("one.jpg"));
        for (int i = 0; i < count; ++i)
            QVERIFY(::link(one, qPrintable(Source() +
                                           QStringLiteral("/p%1.jpg").arg(i, 5, 10, QChar('0')))) ==
                    0);
        QVERIFY(Open(count - 2, "space"));
        QCOMPARE(window->windowTitle(),
                 QStringLiteral("SorvaneViewer  p39999.jpg   (40000/40000)"));
        QVERIFY(!window->Button(7)->isEnabled());
        QVERIFY(Act("b4") && Act("b8"));
        QCOMPARE(module.ViewerFileIndex, count - 1);
        QVERIFY(window->Image1->isVisible());
    }

    void nothingOutsideTheList_data() {
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("actions");
        QTest::newRow("empty folder") << 0 << 0 << "b6 tick space";
        QTest::newRow("no selection") << 3 << -1 << "";
        QTest::newRow("past the end") << 3 << 7 << "space";
    }
    void nothingOutsideTheList() {
        QFETCH(int, files);
        QFETCH(int, index);
        QFETCH(QString, actions);
        module.SlideshowRepeat = 1;
        MakePictures(files);
        QVERIFY(Open(index, actions));
        QVERIFY(!window->Image1->isVisible());
        QVERIFY(prompts.asked.isEmpty());
    }

    // A slideshow whose folder went tells it once and ends.
    void vanishedFolderEndsTheSlideshow() {
        MakePictures();
        QVERIFY(Open(1, "b6"));
        QVERIFY(QDir(Source()).removeRecursively());
        QVERIFY(Act("tick") && Act("tick"));
        QCOMPARE(prompts.asked.size(), 1);
        QCOMPARE(prompts.asked[0].text, QStringLiteral("ファイルが見つかりません。"));
        QVERIFY(module.SlideshowRunning == 0 && !window->Timer1->isActive());
    }

    // A press shows its picture and lets waiting events in on the way: the
    // keys that were waiting step after it, in their order.
    void stepsArrivingDuringADisplayRunInOrder() {
        MakePictures();
        QVERIFY(Open(0));
        QSignalSpy captions(window.get(), &QWidget::windowTitleChanged);
        for (Qt::KeyboardModifier modifier : {Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier})
            QCoreApplication::postEvent(window.get(),
                                        new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, modifier));
        QVERIFY(Act("left"));
        QStringList positions;
        for (const QList<QVariant>& caption : captions)
            positions << caption[0].toString().section(' ', -1);
        QCOMPARE(positions, QStringList({"(2/5)", "(3/5)", "(4/5)", "(3/5)"}));
        QCOMPARE(Panel(2), u' ' + Name(2) + u' ');
        QVERIFY(Near(Shown(), ColourOf(2)));
    }

    void pictureReplacedAfterReadingAheadShowsItsNewContent() {
        MakePictures();
        QVERIFY(Open(0));
        QTRY_VERIFY(pictures->cachedCount() >= 3); // the shown file and two read ahead
        const QString next = Source() + u'/' + Name(1);
        WriteImage(next + ".new", Small, "JPEG", Qt::white);
        QVERIFY(::rename(qPrintable(next + ".new"), qPrintable(next)) == 0);
        QVERIFY(Act("space"));
        QVERIFY(Near(Shown(), Qt::white));
    }
};

QTEST_MAIN(Form4Test)
#include "tst_form4.moc"
