// Where the program finds its companion files and keeps its settings: beside
// itself when it runs from a folder of its own, else the install's shared
// files and the user's configuration folder.
#include "app/ProgramPlaces.h"
#include "support/TestFiles.h"

#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

class ProgramPlacesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void companionFilesDecide_data() {
        QTest::addColumn<QString>("executable"); // folder, under the temporary folder
        QTest::addColumn<QStringList>("places"); // XDG_CONFIG_HOME; program folder, settings found
        QTest::newRow("portable folder") << "portable" << QStringList{"/cfg", "portable", ""};
        QTest::newRow("installed")
            << "usr/bin" << QStringList{"/cfg", "usr/share/sorvane", "/cfg/sorvane/Sorvane.ini"};
        QTest::newRow("installed, no XDG_CONFIG_HOME")
            << "usr/bin"
            << QStringList{"", "usr/share/sorvane", "home/.config/sorvane/Sorvane.ini"};
        QTest::newRow("installed, relative XDG_CONFIG_HOME is ignored")
            << "usr/bin"
            << QStringList{"cfg", "usr/share/sorvane", "home/.config/sorvane/Sorvane.ini"};
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

    // The journal goes beside the settings of a portable program, into the
    // user's state folder for an installed one.
    void journalFollowsTheSettings_data() {
        QTest::addColumn<QString>("settings");  // empty: portable
        QTest::addColumn<QString>("stateHome"); // XDG_STATE_HOME
        QTest::addColumn<QString>("journal");
        QTest::newRow("portable") << ""
                                  << "/state"
                                  << "/prog/Sorvane-journal.sqlite";
        QTest::newRow("installed") << "/cfg/sorvane/Sorvane.ini"
                                   << "/state"
                                   << "/state/sorvane/journal.sqlite";
        QTest::newRow("installed, no XDG_STATE_HOME")
            << "/cfg/sorvane/Sorvane.ini"
            << ""
            << "/home/u/.local/state/sorvane/journal.sqlite";
        QTest::newRow("installed, relative XDG_STATE_HOME is ignored")
            << "/cfg/sorvane/Sorvane.ini"
            << "state"
            << "/home/u/.local/state/sorvane/journal.sqlite";
    }
    void journalFollowsTheSettings() {
        QFETCH(QString, settings);
        QFETCH(QString, stateHome);
        QFETCH(QString, journal);
        QCOMPARE(JournalPath({"/prog", settings}, stateHome, "/home/u"), journal);
    }
};

QTEST_GUILESS_MAIN(ProgramPlacesTest)
#include "tst_programplaces.moc"
