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
    // Beside the program when it runs from a folder of its own (the
    // companion files there say so), else the install's shared files and
    // the user's configuration folder; a relative XDG_CONFIG_HOME is ignored.
    // Places: XDG_CONFIG_HOME, then the program folder and the settings
    // found, relative ones under the temporary folder.
    void companionFilesDecide_data() {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QStringList>("places");
        const QString shared = "usr/share/sorvane", home = "home/.config/sorvane/Sorvane.ini";
        QTest::newRow("portable folder") << "portable" << QStringList{"/cfg", "portable", ""};
        QTest::newRow("installed")
            << "usr/bin" << QStringList{"/cfg", shared, "/cfg/sorvane/Sorvane.ini"};
        QTest::newRow("installed, no XDG_CONFIG_HOME")
            << "usr/bin" << QStringList{"", shared, home};
        QTest::newRow("installed, relative one") << "usr/bin" << QStringList{"cfg", shared, home};
    }
    void companionFilesDecide() {
        QFETCH(QString, executable);
        QFETCH(QStringList, places);
        QTemporaryDir dir;
        const auto in = [&](const QString& path) {
            return path.isEmpty() || QDir::isAbsolutePath(path) ? path : dir.filePath(path);
        };
        QVERIFY(QDir(dir.path()).mkpath("usr/bin") && QDir(dir.path()).mkpath("portable"));
        QVERIFY(WriteFile(dir.filePath("portable/Error.jpg"), "jpeg"));
        const ProgramPlaces found =
            FindProgramPlaces(in(executable), places[0], dir.filePath("home"));
        QCOMPARE((QStringList{found.programFolder, found.settingsPath}),
                 (QStringList{in(places[1]), in(places[2])}));
    }

    // The journal goes beside the settings of a portable program (no
    // settings path), into the user's state folder for an installed one.
    void journalFollowsTheSettings_data() {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("stateHome"); // XDG_STATE_HOME
        QTest::addColumn<QString>("journal");
        const QString ini = "/cfg/sorvane/Sorvane.ini",
                      home = "/home/u/.local/state/sorvane/journal.sqlite";
        QTest::newRow("portable") << ""
                                  << "/state"
                                  << "/prog/Sorvane-journal.sqlite";
        QTest::newRow("installed") << ini << "/state"
                                   << "/state/sorvane/journal.sqlite";
        QTest::newRow("installed, no XDG_STATE_HOME") << ini << "" << home;
        QTest::newRow("installed, relative XDG_STATE_HOME") << ini << "state" << home;
    }
    void journalFollowsTheSettings() {
        QFETCH(QString, settings);
        QFETCH(QString, stateHome);
        QTEST(JournalPath({"/prog", settings}, stateHome, "/home/u"), "journal");
    }

    // Every word is a path, whatever it looks like; a leading "--" only
    // ends the options. Arguments separated by blanks.
    void argumentNamesTheFirstPath_data() {
        QTest::addColumn<QByteArray>("arguments");
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("none") << QByteArray() << QByteArray();
        QTest::newRow("named like a Qt option") << QByteArray("-reverse") << QByteArray("-reverse");
        QTest::newRow("after --") << QByteArray("-- -style") << QByteArray("-style");
        QTest::newRow("-- alone") << QByteArray("--") << QByteArray();
        QTest::newRow("a file called --") << QByteArray("-- --") << QByteArray("--");
        QTest::newRow("only the first") << QByteArray("a.jpg b.jpg") << QByteArray("a.jpg");
        QTest::newRow("not UTF-8") << QByteArray("caf\xe9.jpg") << QByteArray("caf\xe9.jpg");
    }
    void argumentNamesTheFirstPath() {
        QFETCH(QByteArray, arguments);
        std::vector<const char*> argv{"sorvane"};
        const QByteArrayList words = arguments.split(' ');
        for (const QByteArray& word : words)
            if (!word.isEmpty())
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
        QTest::newRow("LANGUAGE=en:ja") << "en ja-JP ja" << en;
        QTest::newRow("LANG=ja_JP.UTF-8") << "ja-JP ja" << ja;
        QTest::newRow("LANGUAGE=ja:en") << "ja en-US" << ja;
        QTest::newRow("C and POSIX") << "C" << ja;
        QTest::newRow("no translation") << "de-DE en-US" << ja;
        QTest::newRow("starts like en") << "eo" << ja;
        QTest::newRow("none") << "" << ja;
    }
    void firstLanguageDecides() {
        QFETCH(QString, uiLanguages);
        QTEST(InterfaceLanguageOf(uiLanguages.split(' ', Qt::SkipEmptyParts)), "chosen");
    }
};

QTEST_GUILESS_MAIN(ProgramStartTest)
#include "tst_programstart.moc"
