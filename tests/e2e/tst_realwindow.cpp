// The built program in a real window on an X server, driven by clicks and key
// presses as a user gives them, judged by what it leaves on disk: one path
// through each journey, and the program as it is started (installed under a
// prefix or in a folder of its own, on a path a terminal gives it, in the
// language of the desktop it starts in).
#include "e2e/RealWindow.h"
#include "support/ScopedEnvironment.h"
#include "support/TestFiles.h"

#include <QDirIterator>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

const QString Button = "push button";

// A source folder of six photographs and eleven slot folders, all inside the
// program's temporary folder, and a settings file that opens the lists on
// the source, maybe asking before replacing a file of the same name.
struct SortingDesk {
    explicit SortingDesk(const ProgramCopy& copy, int askBeforeReplacing = 0)
        : settings(copy.deskSettings()), source(settings.SourceFolder) {
        settings.ConfirmSameName = Flag(askBeforeReplacing);
        written = copy.writeSettings(settings);
        for (int i = 1; i <= 6; ++i)
            written = written && WriteImage(source + QString("/photo%1.jpg").arg(i), QSize(64, 48),
                                            "JPEG", QColor::fromHsv(i * 55, 200, 220));
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
    bool written = false;
};

// Every file under the folder, by its path from there.
QStringList Tree(const QString& folder) {
    QStringList paths;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext();)
        paths << QDir(folder).relativeFilePath(it.next());
    paths.sort();
    return paths;
}

// What cmake --install puts under the prefix /usr, inside root.
bool InstallInto(const QString& root) {
    const ScopedEnvironment destination("DESTDIR", QFile::encodeName(root));
    return QProcess::execute(SORVANE_CMAKE, {"--install", SORVANE_BUILD_DIR, "--prefix", "/usr"}) ==
           0;
}

} // namespace

// The program's run in a test: started, or the test fails with what it said.
#define START(program, ...) QVERIFY2((program).start(__VA_ARGS__), qPrintable((program).errors()))
// Its end on 終了, clean.
#define EXIT(program)                                                                              \
    do {                                                                                           \
        QVERIFY((program).click(Button, "終了"));                                                  \
        QVERIFY2((program).awaitExit(), qPrintable("no clean end: " + (program).errors()));        \
    } while (false)

class RealWindowTest : public QObject {
    Q_OBJECT
    std::optional<bool> numLock_;

private Q_SLOTS:
    void init() {
        SORVANE_REQUIRE_REAL_WINDOWS();
        QVERIFY((numLock_ = NumLockState()));
    }
    void cleanup() { QVERIFY(!numLock_ || SetNumLock(*numLock_)); }

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
        const SortingDesk desk(copy, 1);
        QVERIFY(copy.isValid() && desk.written);
        const QByteArray photo4 = ReadFile(desk.source + "/photo4.jpg");
        QVERIFY(WriteFile(desk.slot(7) + "/photo4.jpg", "an older photo4"));
        RealWindow program;
        START(program, copy.executable(), desk.source);
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
        QVERIFY(ReadFile(desk.slot(7) + "/photo4.jpg") == photo4);
        QCOMPARE(ReadFile(program.trash() + "/files/photo4.jpg"), "an older photo4");
        // From OK, Tab reaches the window-size box, the source-folder box, the
        // seconds and the repeat box; Return confirms.
        QVERIFY(program.click(Button, "キャンセル"));
        QVERIFY(program.openFirstMenu() && program.keyIntoMenu("Down Return")); // オプション
        const QString dialog = program.awaitOtherWindow();
        QVERIFY2(!dialog.isEmpty(), "no options dialog showed");
        QVERIFY(program.keyInto(dialog, "Tab Tab space Tab space Tab ctrl+a 1 2 Tab space Return"));
        QTRY_VERIFY_WITH_TIMEOUT(program.awaitOtherWindow(0).isEmpty(), 10000);
        EXIT(program);
        const Module1 saved = copy.savedSettings();
        QCOMPARE(saved.RememberWindowSize, Flag(1));
        QCOMPARE(saved.RememberSourceFolder, Flag(0));
        QCOMPARE(saved.SlideshowRepeat, Flag(1));
        QCOMPARE(saved.SlideshowSeconds, std::int16_t(12));
        QCOMPARE(saved.ConfirmSameName, Flag(1)); // as it was
    }

    // Slot 3 assigned in the folder setup window is saved at the end and
    // sends there after a restart. There a double-click opens the viewer on
    // that file; once the close button of its toolbar closed it, 実行 is
    // enabled again: a click on it starts a run (a disabled button would
    // ignore it and the 3 key would move nothing). The viewer covers the main
    // window while it is open.
    void folderSetupAndViewerAcrossARestart() {
        ProgramCopy copy;
        const SortingDesk desk(copy);
        QVERIFY(copy.isValid() && desk.written);
        const QString cats = copy.makeFolder("Cats");
        {
            RealWindow program;
            START(program, copy.executable(), cats);
            // フォルダ選択, which opens on the program's current folder
            QVERIFY(program.openFirstMenu() && program.keyIntoMenu("Down Down Return"));
            const QString setup = program.awaitWindowNamed("フォルダ選択");
            QVERIFY2(!setup.isEmpty(), "the folder setup window did not open");
            // Tab order: Drive1, Dir1, Command1(0), ..., so five Tabs reach slot 3.
            QVERIFY(program.keyInto(setup, "Tab Tab Tab Tab Tab space"));
            EXIT(program); // closes the setup window, then saves
        }
        QCOMPARE(copy.savedSettings().FolderSlots[3], cats);
        RealWindow program;
        START(program, copy.executable(), desk.source);
        QVERIFY(program.click("list item", "photo1.jpg", 2));
        const QString caption = "SorvaneViewer  photo1\\.jpg   \\(1/6\\)";
        QVERIFY2(!program.awaitWindowNamed(caption).isEmpty(), "no viewer on photo1.jpg (1/6)");
        QVERIFY(program.click(Button, "終了", 1, "SorvaneViewer"));
        QTRY_VERIFY_WITH_TIMEOUT(program.awaitWindowNamed(caption, 0).isEmpty(), 10000);
        QVERIFY(program.click(Button, "実行") && program.key("3"));
        QTRY_COMPARE_WITH_TIMEOUT(Files(cats), QStringList{"photo1.jpg"}, 10000);
    }

    // Started with an empty home, the settings file goes to the user's
    // configuration folder for the installed program, beside the
    // executable for the program in its own folder, and nowhere else.
    void settingsGoWhereTheProgramMayWrite_data() {
        QTest::addColumn<bool>("installed");
        QTest::newRow("installed") << true;
        QTest::newRow("own folder") << false;
    }
    void settingsGoWhereTheProgramMayWrite() {
        QFETCH(bool, installed);
        QTemporaryDir dir;
        ProgramCopy copy;
        QVERIFY(copy.isValid() && (!installed || InstallInto(dir.filePath("root"))));
        const QString executable =
            installed ? dir.filePath("root/usr/bin/sorvane") : copy.executable();
        const QString root = installed ? dir.filePath("root") : QFileInfo(executable).path();
        const QStringList before = Tree(root);
        QProcessEnvironment home;
        home.insert("HOME", dir.filePath("home"));
        home.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        RealWindow program;
        START(program, executable, dir.path(), home);
        EXIT(program);
        QStringList added = Tree(root);
        added.removeIf([&](const QString& path) { return before.contains(path); });
        QCOMPARE(added, installed ? QStringList{} : QStringList{"Sorvane.ini"});
        QCOMPARE(Tree(dir.filePath("config")),
                 installed ? QStringList{"sorvane/Sorvane.ini"} : QStringList{});
    }

    // Every argument is the user's, a path, even one Qt would take for its
    // own option (the rules of "--" are the start argument's own tests).
    // What the program opened is what its settings remember.
    void opensTheFolderGiven() {
        ProgramCopy copy;
        Module1 settings = copy.deskSettings();
        settings.SourceFolder = copy.makeFolder("elsewhere"); // remembered, and not opened
        QVERIFY(copy.isValid() && !copy.makeFolder("work/-reverse").isEmpty() &&
                copy.writeSettings(settings));
        RealWindow program;
        START(program, copy.executable(), copy.path("work"), {}, {"-reverse"});
        EXIT(program);
        QCOMPARE(copy.savedSettings().SourceFolder, copy.path("work/-reverse"));
    }

    // English under an English locale, Japanese under a Japanese one and
    // under the C locale of a plain shell, in the program's own captions and
    // in the standard buttons of its message boxes alike. The folder setup
    // window opens from the first menu; its 一括削除 on a folder of one file
    // asks first, and the question's Cancel keeps the file.
    void captionsAndBoxesFollowTheLocale_data() {
        QTest::addColumn<QString>("lang");
        // The first menu, the setup window's title, its bulk delete, the
        // question's Cancel and the main window's Exit.
        QTest::addColumn<QStringList>("captions");
        const QStringList japanese{"オプション", "フォルダ選択", "一括削除", "キャンセル", "終了"};
        QTest::newRow("en_US.UTF-8")
            << "en_US.UTF-8"
            << QStringList{"Options", "Folder Setup", "Delete all", "Cancel", "Exit"};
        QTest::newRow("ja_JP.UTF-8") << "ja_JP.UTF-8" << japanese;
        QTest::newRow("C.UTF-8") << "C.UTF-8" << japanese;
    }
    void captionsAndBoxesFollowTheLocale() {
        QFETCH(QString, lang);
        QFETCH(QStringList, captions);
        ProgramCopy copy;
        const Module1 settings = copy.deskSettings();
        const QString bulk = settings.FolderSlots[BulkDeleteSlot];
        QVERIFY(copy.isValid() && WriteFile(bulk + "/keep.jpg", "keep") &&
                copy.writeSettings(settings));
        QProcessEnvironment locale; // only LANG speaks: what would override it is cleared
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            locale.insert(name, "");
        locale.insert("LANG", lang);
        RealWindow program;
        START(program, copy.executable(), settings.SourceFolder, locale);
        QVERIFY(program.openFirstMenu(captions[0]) && program.keyIntoMenu("Down Down Return"));
        // The setup window is found by its accessible name: under a locale
        // the system lacks, its X title is not in UTF-8 and xdotool misreads it.
        QVERIFY2(program.click(Button, captions[2], 1, captions[1]),
                 qPrintable(captions.join(' ')));
        const QString question = program.awaitOtherWindow();
        QVERIFY2(!question.isEmpty(), "no question before the bulk delete");
        QVERIFY(program.click(Button, captions[3], 1, "Sorvane"));
        QString cancelled; // the question closes, and a word that nothing was deleted shows
        QTRY_VERIFY2_WITH_TIMEOUT(!(cancelled = program.awaitOtherWindow(0)).isEmpty() &&
                                      cancelled != question,
                                  "no word that the bulk delete was cancelled", 10000);
        QVERIFY(program.keyInto(cancelled, "Return"));
        QCOMPARE(Files(bulk), QStringList{"keep.jpg"});
        QVERIFY(program.click(Button, captions[4]));
        QVERIFY2(program.awaitExit(), qPrintable(program.errors()));
    }
};

QTEST_GUILESS_MAIN(RealWindowTest)
#include "tst_realwindow.moc"
