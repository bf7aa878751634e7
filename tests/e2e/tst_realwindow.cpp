// The built program in a real window on an X server, driven by clicks and key
// presses as a user gives them, judged by what it leaves on disk.
#include "e2e/RealWindow.h"
#include "support/TestFiles.h"

#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

const QString Button = "push button";

// A source folder of six photographs and eleven slot folders, all inside the
// program's temporary folder, and a settings file that opens the lists on
// the source, maybe with the extend mode's button row, maybe asking before
// replacing a file of the same name.
struct SortingDesk {
    explicit SortingDesk(const ProgramCopy& copy, int askBeforeReplacing = 0, int extend = 0)
        : settings(copy.deskSettings()), source(settings.SourceFolder) {
        settings.ConfirmSameName = Flag(askBeforeReplacing);
        settings.ExtendMode = Flag(extend);
        written = copy.writeSettings(settings);
        for (int i = 1; i <= 6; ++i)
            written = written && WriteImage(source + QString("/photo%1.jpg").arg(i), QSize(64, 48),
                                            "JPEG", QColor::fromHsv(i * 55, 200, 220));
        photo4 = ReadFile(source + "/photo4.jpg");
    }
    QString slot(int i) const { return settings.FolderSlots[size_t(i)]; }

    // Where every photograph is now: "photos: a b | slot3: c" with empty
    // folders left out, so a failed comparison shows the whole picture.
    QString whereabouts() const {
        QStringList parts{"photos: " + Files(source).join(u' ')};
        for (int i = 0; i < SlotCount; ++i)
            if (const QStringList files = Files(slot(i)); !files.isEmpty())
                parts << QString("slot%1: ").arg(i) + files.join(u' ');
        return parts.join(" | ");
    }

    Module1 settings;
    QString source;
    QByteArray photo4;
    bool written = false;
};

} // namespace

class RealWindowTest : public QObject {
    Q_OBJECT
    std::optional<bool> numLock_;

private Q_SLOTS:
    void init() {
        SORVANE_REQUIRE_REAL_WINDOWS();
        numLock_ = NumLockState();
        QVERIFY(numLock_);
    }
    void cleanup() {
        if (numLock_)
            QVERIFY(SetNumLock(*numLock_));
    }

    // Digit keys send the file shown to their slot, in the order typed. Shift+3
    // types "#" and is the 3 key all the same; the keypad's 3 is the 3 key
    // only while it types "3" (Num Lock on): without Num Lock the keypad's
    // keys are Page Down, Left, Insert and send nothing. Enter on the focus
    // button takes back the newest send. Each press acts once: a double-click
    // on a slot button sends twice, on the undo button undoes twice, and a key
    // press that opens a message box is one press. Options changed in the
    // dialog by keyboard alone are in the settings file the end writes.
    void sortsByKeysAndClicksAndSavesOptions() {
        ProgramCopy copy;
        QVERIFY(copy.isValid());
        const SortingDesk desk(copy, 1);
        QVERIFY(desk.written);
        WriteFile(desk.slot(7) + "/photo4.jpg", "an older photo4");
        RealWindow program;
        QVERIFY2(program.start(copy.executable(), desk.source), qPrintable(program.errors()));
        QVERIFY(program.click(Button, "実行"));

        // xdotool names the keypad's 3 by what it types without Num Lock; asked
        // for KP_3 it would press Num Lock around it and leave it changed.
        QVERIFY(SetNumLock(false));
        QVERIFY(program.key("3 shift+3 KP_Next KP_Left KP_Insert"));
        QTRY_COMPARE_WITH_TIMEOUT(desk.whereabouts(),
                                  "photos: photo3.jpg photo4.jpg photo5.jpg photo6.jpg | "
                                  "slot3: photo1.jpg photo2.jpg | slot7: photo4.jpg",
                                  10000);
        QVERIFY(SetNumLock(true));
        QVERIFY(program.key("KP_Next 5 Return"));
        const QString sent = "photos: photo4.jpg photo5.jpg photo6.jpg | "
                             "slot3: photo1.jpg photo2.jpg photo3.jpg | slot7: photo4.jpg";
        QTRY_COMPARE_WITH_TIMEOUT(desk.whereabouts(), sent, 10000);

        QVERIFY(program.click(Button, "slot3", 2));
        QTRY_COMPARE_WITH_TIMEOUT(desk.whereabouts(),
                                  "photos: photo6.jpg | slot3: photo1.jpg photo2.jpg photo3.jpg "
                                  "photo4.jpg photo5.jpg | slot7: photo4.jpg",
                                  10000);
        QVERIFY(program.click(Button, "１０回までアンドゥできます。", 2));
        QTRY_COMPARE_WITH_TIMEOUT(desk.whereabouts(), sent, 10000);
        QVERIFY(program.key("7"));
        const QString question = program.awaitOtherWindow();
        QVERIFY2(!question.isEmpty(), "no same-name question");
        QVERIFY(program.keyInto(question, "Return")); // OK: replace, the older one to the trash
        QVERIFY(program.key("5"));
        QTRY_COMPARE_WITH_TIMEOUT(desk.whereabouts(),
                                  "photos: photo6.jpg | slot3: photo1.jpg photo2.jpg photo3.jpg | "
                                  "slot5: photo5.jpg | slot7: photo4.jpg",
                                  10000);
        QVERIFY(ReadFile(desk.slot(7) + "/photo4.jpg") == desk.photo4);
        QCOMPARE(ReadFile(program.trash() + "/files/photo4.jpg"), QByteArray("an older photo4"));

        // From OK, Tab reaches the window-size box, the source-folder box, the
        // seconds and the repeat box; Return confirms.
        QVERIFY(program.click(Button, "キャンセル"));
        QVERIFY(program.openFirstMenu() && program.keyIntoMenu("Down Return")); // オプション
        const QString dialog = program.awaitOtherWindow();
        QVERIFY2(!dialog.isEmpty(), "no options dialog showed");
        QVERIFY(program.keyInto(dialog, "Tab Tab space Tab space Tab ctrl+a 1 2 Tab space Return"));
        QTRY_VERIFY_WITH_TIMEOUT(program.awaitOtherWindow(0).isEmpty(), 10000);
        QVERIFY(program.click(Button, "終了"));
        QVERIFY2(program.awaitExit(), "the program did not end cleanly on 終了");
        const Module1 saved = copy.savedSettings();
        QCOMPARE(saved.RememberWindowSize, Flag(1));
        QCOMPARE(saved.RememberSourceFolder, Flag(0));
        QCOMPARE(saved.SlideshowRepeat, Flag(1));
        QCOMPARE(saved.SlideshowSeconds, std::int16_t(12));
        QCOMPARE(saved.ConfirmSameName, Flag(1)); // as it was
    }

    // In the extend mode's button row the path lines lie across キャンセル;
    // a click at its middle ends the run all the same, before the first send
    // and after it (when the destination line shows too). Only the ended run
    // captions the button 実行 again, so the clicks on 実行 find it.
    void cancelEndsAnExtendRun() {
        ProgramCopy copy;
        QVERIFY(copy.isValid());
        const SortingDesk desk(copy, 0, 1);
        QVERIFY(desk.written);
        RealWindow program;
        QVERIFY2(program.start(copy.executable(), desk.source), qPrintable(program.errors()));
        QVERIFY(program.click(Button, "実行"));
        QVERIFY(program.click(Button, "キャンセル"));
        QVERIFY2(program.click(Button, "実行"), "キャンセル did not end the run");
        QVERIFY(program.key("3"));
        QTRY_COMPARE_WITH_TIMEOUT(Files(desk.slot(3)), QStringList{"photo1.jpg"}, 10000);
        QVERIFY(program.click(Button, "キャンセル"));
        QVERIFY2(program.click(Button, "実行"), "キャンセル did not end the run after a send");
        QVERIFY(program.click(Button, "キャンセル"));
        QVERIFY(program.click(Button, "終了"));
        QVERIFY2(program.awaitExit(), "the program did not end cleanly on 終了");
    }

    // Slot 3 assigned in the folder setup window is saved at the end and
    // sends there after a restart. There a double-click opens the viewer on
    // that file; once the close button of its toolbar closed it, 実行 is
    // enabled again: a click on it starts a run (a disabled button would
    // ignore it and the 3 key would move nothing). The viewer covers the main
    // window while it is open.
    void folderSetupAndViewerAcrossARestart() {
        ProgramCopy copy;
        QVERIFY(copy.isValid());
        const SortingDesk desk(copy);
        QVERIFY(desk.written);
        const QString cats = copy.makeFolder("Cats");
        {
            RealWindow program;
            QVERIFY2(program.start(copy.executable(), cats), qPrintable(program.errors()));
            // フォルダ選択, which opens on the program's current folder
            QVERIFY(program.openFirstMenu() && program.keyIntoMenu("Down Down Return"));
            const QString setup = program.awaitWindowNamed("フォルダ選択");
            QVERIFY2(!setup.isEmpty(), "the folder setup window did not open");
            // Tab order: Drive1, Dir1, Command1(0), ..., so five Tabs reach slot 3.
            QVERIFY(program.keyInto(setup, "Tab Tab Tab Tab Tab space"));
            QVERIFY(program.click(Button, "終了")); // closes the setup window, then saves
            QVERIFY2(program.awaitExit(), "the program did not end cleanly on 終了");
        }
        QCOMPARE(copy.savedSettings().FolderSlots[3], cats);

        RealWindow program;
        QVERIFY2(program.start(copy.executable(), desk.source), qPrintable(program.errors()));
        QVERIFY(program.click("list item", "photo1.jpg", 2));
        const QString caption = "SorvaneViewer  photo1\\.jpg   \\(1/6\\)";
        QVERIFY2(!program.awaitWindowNamed(caption).isEmpty(), "no viewer on photo1.jpg (1/6)");
        QVERIFY(program.click(Button, "終了", 1, "SorvaneViewer"));
        QTRY_VERIFY_WITH_TIMEOUT(program.awaitWindowNamed(caption, 0).isEmpty(), 10000);
        QVERIFY(program.click(Button, "実行"));
        QVERIFY(program.key("3"));
        QTRY_COMPARE_WITH_TIMEOUT(Files(cats), QStringList{"photo1.jpg"}, 10000);
    }
};

QTEST_GUILESS_MAIN(RealWindowTest)
#include "tst_realwindow.moc"
