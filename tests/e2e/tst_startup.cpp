// The built program as it is started: installed under a prefix or in a
// folder of its own, on a path a terminal or a script gives it, in the
// language of the desktop it starts in. Each run ends with 終了.
#include "e2e/RealWindow.h"
#include "support/ScopedEnvironment.h"
#include "support/TestFiles.h"

#include <QDirIterator>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

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
    const QStringList arguments{"--install", SORVANE_BUILD_DIR, "--prefix", "/usr"};
    return QProcess::execute(SORVANE_CMAKE, arguments) == 0;
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { SORVANE_REQUIRE_REAL_WINDOWS(); }

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
        QVERIFY(copy.isValid());
        QVERIFY(!installed || InstallInto(dir.filePath("root")));
        const QString executable =
            installed ? dir.filePath("root/usr/bin/sorvane") : copy.executable();
        const QString root = installed ? dir.filePath("root") : QFileInfo(executable).path();
        const QStringList before = Tree(root);
        QProcessEnvironment home;
        home.insert("HOME", dir.filePath("home"));
        home.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        RealWindow program;
        QVERIFY2(program.start(executable, dir.path(), home), qPrintable(program.errors()));
        QVERIFY(program.click("push button", "終了"));
        QVERIFY2(program.awaitExit(), "the program did not end cleanly on 終了");
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
        QVERIFY(copy.isValid());
        QVERIFY(!copy.makeFolder("work/-reverse").isEmpty());
        Module1 settings = copy.deskSettings();
        settings.SourceFolder = copy.makeFolder("elsewhere"); // remembered, and not opened
        QVERIFY(copy.writeSettings(settings));
        RealWindow program;
        QVERIFY2(program.start(copy.executable(), copy.path("work"), {}, {"-reverse"}),
                 qPrintable(program.errors()));
        QVERIFY(program.click("push button", "終了"));
        QVERIFY2(program.awaitExit(), qPrintable(program.errors()));
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
        QVERIFY(copy.isValid());
        const Module1 settings = copy.deskSettings();
        const QString bulk = settings.FolderSlots[BulkDeleteSlot];
        QVERIFY(WriteFile(bulk + "/keep.jpg", "keep") && copy.writeSettings(settings));
        // Only LANG speaks: the variables that would override it are cleared.
        QProcessEnvironment locale;
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            locale.insert(name, "");
        locale.insert("LANG", lang);
        RealWindow program;
        QVERIFY2(program.start(copy.executable(), settings.SourceFolder, locale),
                 qPrintable(program.errors()));
        QVERIFY(program.openFirstMenu(captions[0]) && program.keyIntoMenu("Down Down Return"));
        // The setup window is found by its accessible name: under a locale
        // the system lacks, its X title is not in UTF-8 and xdotool misreads it.
        QVERIFY2(program.click("push button", captions[2], 1, captions[1]),
                 qPrintable(captions[1] + " / " + captions[2]));
        const QString question = program.awaitOtherWindow();
        QVERIFY2(!question.isEmpty(), "no question before the bulk delete");
        QVERIFY(program.click("push button", captions[3], 1, "Sorvane"));
        QString cancelled; // the question closes, and a word that nothing was deleted shows
        QTRY_VERIFY2_WITH_TIMEOUT(!(cancelled = program.awaitOtherWindow(0)).isEmpty() &&
                                      cancelled != question,
                                  "no word that the bulk delete was cancelled", 10000);
        QVERIFY(program.keyInto(cancelled, "Return"));
        QCOMPARE(Files(bulk), QStringList{"keep.jpg"});
        QVERIFY(program.click("push button", captions[4]));
        QVERIFY2(program.awaitExit(), qPrintable(program.errors()));
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
