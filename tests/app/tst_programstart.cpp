// What the program decides as it starts: where its companion files, settings
// and journal are, which path its argument names, and which language the
// user's languages choose.
#include "app/InterfaceLanguage.h"
#include "app/ProgramPlaces.h"
#include "app/StartArgument.h"
#include "support/TestFiles.h"

#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

class ProgramStartTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The companion files beside the program say it runs from a folder of
    // its own: its settings and journal go there. Else they are the
    // install's shared files, the settings go to the user's configuration
    // folder and the journal to the state folder, relative XDG folders
    // ignored. Paths found, relative ones under the temporary folder.
    void placesFollowTheCompanionFiles_data() {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QStringList>("xdg");   // XDG_CONFIG_HOME, XDG_STATE_HOME
        QTest::addColumn<QStringList>("found"); // program folder, settings, journal
        const QString shared = "usr/share/sorvane";
        QTest::newRow("portable folder")
            << "portable" << QStringList{"/cfg", "/state"}
            << QStringList{"portable", "", "portable/Sorvane-journal.sqlite"};
        QTest::newRow("installed")
            << "usr/bin" << QStringList{"/cfg", "/state"}
            << QStringList{shared, "/cfg/sorvane/Sorvane.ini", "/state/sorvane/journal.sqlite"};
        QTest::newRow("installed, relative XDG folders")
            << "usr/bin" << QStringList{"cfg", "state"}
            << QStringList{shared, "home/.config/sorvane/Sorvane.ini",
                           "home/.local/state/sorvane/journal.sqlite"};
    }
    void placesFollowTheCompanionFiles() {
        QFETCH(QString, executable);
        QFETCH(QStringList, xdg);
        QFETCH(QStringList, found);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("usr/bin") && QDir(dir.path()).mkpath("portable"));
        QVERIFY(WriteFile(dir.filePath("portable/Error.jpg"), "jpeg"));
        const QString home = dir.filePath("home");
        const ProgramPlaces places = FindProgramPlaces(dir.filePath(executable), xdg[0], home);
        for (QString& path : found)
            path = path.isEmpty() || QDir::isAbsolutePath(path) ? path : dir.filePath(path);
        QCOMPARE((QStringList{places.programFolder, places.settingsPath,
                              JournalPath(places, xdg[1], home)}),
                 found);
    }

    // The first word is the path, whatever it looks like; a leading "--"
    // only ends the options.
    void argumentNamesTheFirstPath_data() {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("none") << QByteArrayList() << QByteArray();
        QTest::newRow("named like a Qt option")
            << QByteArrayList{"-reverse"} << QByteArray("-reverse");
        QTest::newRow("after --") << QByteArrayList{"--", "-style"} << QByteArray("-style");
        QTest::newRow("-- alone") << QByteArrayList{"--"} << QByteArray();
        QTest::newRow("a file called --") << QByteArrayList{"--", "--"} << QByteArray("--");
    }
    void argumentNamesTheFirstPath() {
        QFETCH(QByteArrayList, arguments);
        std::vector<const char*> argv{"sorvane"};
        for (const QByteArray& word : arguments)
            argv.push_back(word.constData());
        argv.push_back(nullptr);
        QTEST(StartArgument(int(argv.size() - 1), argv.data()), "path");
    }

    // English when the first language is English; Japanese otherwise.
    void firstLanguageDecides_data() {
        QTest::addColumn<QString>("uiLanguages"); // separated by blanks
        QTest::addColumn<InterfaceLanguage>("chosen");
        const InterfaceLanguage en = InterfaceLanguage::English, ja = InterfaceLanguage::Japanese;
        QTest::newRow("LANG=en_US.UTF-8") << "en-US en" << en;
        QTest::newRow("British, with an underscore") << "en_GB" << en;
        QTest::newRow("LANGUAGE=ja:en") << "ja en-US" << ja;
        QTest::newRow("C and POSIX") << "C" << ja;
        QTest::newRow("none") << "" << ja;
    }
    void firstLanguageDecides() {
        QFETCH(QString, uiLanguages);
        QTEST(InterfaceLanguageOf(uiLanguages.split(' ', Qt::SkipEmptyParts)), "chosen");
    }
};

QTEST_GUILESS_MAIN(ProgramStartTest)
#include "tst_programstart.moc"
