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
    void companionFilesDecide_data() {
        QTest::addColumn<QString>("executable"); // folder, under the temporary folder
        QTest::addColumn<QStringList>("places"); // XDG_CONFIG_HOME; program folder, settings found
        const auto row = [](const char* row, const char* executable, const QStringList& places) {
            QTest::newRow(row) << executable << places;
        };
        row("portable folder", "portable", {"/cfg", "portable", ""});
        row("installed", "usr/bin", {"/cfg", "usr/share/sorvane", "/cfg/sorvane/Sorvane.ini"});
        for (const char* config : {"", "cfg"})
            row(*config ? "installed, relative XDG_CONFIG_HOME" : "installed, no XDG_CONFIG_HOME",
                "usr/bin", {config, "usr/share/sorvane", "home/.config/sorvane/Sorvane.ini"});
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
        const QString ini = "/cfg/sorvane/Sorvane.ini", home = "/home/u/.local/state/sorvane/";
        QTest::newRow("portable") << ""
                                  << "/state"
                                  << "/prog/Sorvane-journal.sqlite";
        QTest::newRow("installed") << ini << "/state"
                                   << "/state/sorvane/journal.sqlite";
        QTest::newRow("installed, no XDG_STATE_HOME") << ini << "" << home + "journal.sqlite";
        QTest::newRow("installed, relative XDG_STATE_HOME")
            << ini << "state" << home + "journal.sqlite";
    }
    void journalFollowsTheSettings() {
        QFETCH(QString, settings);
        QFETCH(QString, stateHome);
        QTEST(JournalPath({"/prog", settings}, stateHome, "/home/u"), "journal");
    }

    // Every word is a path, whatever it looks like; a leading "--" only
    // ends the options.
    void argumentNamesTheFirstPath_data() {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QByteArray>("path");
        const auto row = [](const char* row, const QByteArrayList& arguments, const char* path) {
            QTest::newRow(row) << arguments << QByteArray(path);
        };
        row("none", {}, "");
        row("a picture", {"/photos/a.jpg"}, "/photos/a.jpg");
        row("named like a Qt option", {"-reverse"}, "-reverse");
        row("after --", {"--", "-style"}, "-style");
        row("-- alone", {"--"}, "");
        row("a file called --", {"--", "--"}, "--");
        row("only the first", {"a.jpg", "b.jpg"}, "a.jpg");
        row("not UTF-8", {"caf\xe9.jpg"}, "caf\xe9.jpg");
    }
    void argumentNamesTheFirstPath() {
        QFETCH(QByteArrayList, arguments);
        std::vector<const char*> argv{"sorvane"};
        for (const QByteArray& argument : std::as_const(arguments))
            argv.push_back(argument.constData());
        argv.push_back(nullptr);
        QTEST(StartArgument(int(argv.size() - 1), argv.data()), "path");
    }

    // English when the first language is English; Japanese otherwise.
    void firstLanguageDecides_data() {
        QTest::addColumn<QStringList>("uiLanguages");
        QTest::addColumn<InterfaceLanguage>("chosen");
        const auto row = [](const char* row, const QStringList& languages, bool english) {
            QTest::newRow(row) << languages
                               << (english ? InterfaceLanguage::English
                                           : InterfaceLanguage::Japanese);
        };
        row("LANG=en_US.UTF-8", {"en-US", "en"}, true);
        row("plain en", {"en"}, true);
        row("British, with an underscore", {"en_GB"}, true);
        row("LANGUAGE=en:ja", {"en", "ja-JP", "ja"}, true);
        row("LANG=ja_JP.UTF-8", {"ja-JP", "ja"}, false);
        row("LANGUAGE=ja:en", {"ja", "en-US"}, false);
        row("C and POSIX", {"C"}, false);
        row("no translation", {"de-DE", "en-US"}, false);
        row("starts like en", {"eo"}, false);
        row("none", {}, false);
    }
    void firstLanguageDecides() {
        QFETCH(QStringList, uiLanguages);
        QTEST(InterfaceLanguageOf(uiLanguages), "chosen");
    }
};

QTEST_GUILESS_MAIN(ProgramStartTest)
#include "tst_programstart.moc"
