// The settings line, its exact text and its reading, and the settings file
// on disk: missing, cut short, unreadable, and replaced whole or not at all.
// The file of the options added beside it: where it is kept, what it reads
// back, and that a save is whole or leaves the old file.
#include "settings/SettingsFile.h"

#include "platform/NativeName.h"
#include "settings/ExtraOptions.h"
#include "settings/SettingsLine.h"
#include "settings/StartUp.h"
#include "support/FileSizeLimit.h"
#include "support/Settings.h"
#include "support/TestFiles.h"
#include "support/UnreadableSettings.h"

#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

class SettingsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstStartWritesDefaultsExactly() {
        Module1 s = FirstStartSettings();
        s.WindowTop = 300;
        s.WindowLeft = -15;
        QCOMPARE(FormatSettingsLine(s), QByteArray("\"/\",").repeated(12) +
                                            "\"8775\",\"8040\",0,0,0,1,0,0,0,0,0,300,-15\r\n");
    }

    // Every field reads back as written. A folder with a double quote in its
    // name cannot be written between quotes: its nearest ancestor without
    // one is remembered instead, and no later field shifts; a window size
    // keeps what comes before the quote.
    void roundTripKeepsEveryField() {
        const QByteArray rawName = "/bytes/\xff\xfe\x80 raw"; // not UTF-8: kept as bytes
        const QString invalidUtf8 = FromNativeName(rawName);
        const QString paths[][2] = {
            {"/home/写真, 2026/未整理", "/home/写真, 2026/未整理"},
            {"/pics/a \"best\" pics", "/pics"},
            {"/\"top", "/"},
            {invalidUtf8, invalidUtf8},
            {"", ""},
            {QStringLiteral("\uFEFF/marked"), QStringLiteral("\uFEFF/marked")},
            {"/bulk\",\"x", "/"}};
        Module1 s;
        for (size_t i = 0; i < std::size(paths); ++i)
            s.FolderSlots[i] = paths[i][0];
        s.WindowTop = -32768;
        s.WindowHeight = "80\"40";
        const QByteArray line = FormatSettingsLine(s);
        QVERIFY(line.contains('"' + rawName + '"'));
        Module1 back;
        QCOMPARE(ParseSettings(line, back), ParseOutcome::Complete);
        for (size_t i = 0; i < std::size(paths); ++i)
            QCOMPARE(back.FolderSlots[i], paths[i][1]);
        QCOMPARE(back.WindowHeight, "80");
        QCOMPARE(FormatSettingsLine(back), line);
    }

    // What start-up makes of the file: a file cut short is deleted and the
    // program ends; a bad number keeps the fields read and the file.
    void startUpReadsTheFile_data() {
        QTest::addColumn<QByteArray>("file"); // empty: no file
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("fileLeft");
        QTest::addColumn<QString>("slot4");
        Module1 saved;
        saved.FolderSlots.fill("/photos");
        const QByteArray line = FormatSettingsLine(saved);
        using A = StartUpAction;
        QTest::newRow("no file: defaults") << QByteArray() << int(A::Continue) << false << "/";
        QTest::newRow("cut short")
            << line.left(line.lastIndexOf(',')) << int(A::Quit) << false << "/photos";
        QTest::newRow("bad number") << QByteArray(line).replace(",0,0\r\n", ",x,0\r\n")
                                    << int(A::ShowWindowOnly) << true << "/photos";
    }
    void startUpReadsTheFile() {
        QFETCH(QByteArray, file);
        QTemporaryDir dir;
        Module1 settings;
        settings.ProgramFolder = dir.path();
        QVERIFY(file.isEmpty() || WriteFile(SettingsFilePath(settings), file));
        QTEST(int(ReadSettingsAtStartUp(settings).action), "action");
        QTEST(QFile::exists(SettingsFilePath(settings)), "fileLeft");
        QTEST(settings.FolderSlots[4], "slot4");
    }

    // A failed save leaves the old file whole, and a file that is there but
    // cannot be read is told apart from no file, so start-up never writes
    // over it.
    void fileOnDiskIsNeverLostOrMistaken() {
        QTemporaryDir dir;
        Module1 s = FirstStartSettings();
        s.ProgramFolder = dir.path();
        const QByteArray old = "\"/old\",\"/kept\"\r\n";
        QVERIFY(WriteFile(SettingsFilePath(s), old));
        std::optional<FileSizeLimit> full(16);
        QVERIFY(!SaveSettingsFile(s));
        full.reset();
        QCOMPARE(Files(dir.path()), QStringList{"Sorvane.ini"});
        QCOMPARE(ReadFile(SettingsFilePath(s)), old);
        const UnreadableSettings unreadable;
        QCOMPARE(LoadSettingsFile(s), LoadOutcome::Unreadable);
    }

    // A settings file kept elsewhere through a link (a repository of
    // dotfiles) stays linked: the save writes the file linked to, with the
    // permissions it had, and leaves nothing beside either.
    void saveThroughALinkKeepsTheLink() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("dotfiles") && QDir(dir.path()).mkpath("program"));
        const QString kept = dir.filePath("dotfiles/Sorvane.ini");
        QVERIFY(WriteFile(kept, "\"/old\"\r\n"));
        QVERIFY(QFile::setPermissions(kept, QFile::ReadOwner | QFile::WriteOwner));
        Module1 s = FirstStartSettings();
        s.ProgramFolder = dir.filePath("program");
        QVERIFY(QFile::link("../dotfiles/Sorvane.ini", SettingsFilePath(s)));
        QVERIFY(SaveSettingsFile(s));
        QCOMPARE(QFileInfo(SettingsFilePath(s)).symLinkTarget(), kept);
        QCOMPARE(ReadFile(kept), FormatSettingsLine(s));
        QCOMPARE(QFile::permissions(kept),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        QCOMPARE(Files(dir.filePath("dotfiles")) + Files(s.ProgramFolder),
                 (QStringList{"Sorvane.ini", "Sorvane.ini"}));
    }

    // Beside the program's own settings file, wherever that is kept. The
    // first save makes the configuration folder; a save over other values
    // reads back and leaves nothing staged beside the file. Root writes
    // through permissions, so what stops a save is a file in the way of the
    // folder it belongs in.
    void extraOptionsSavedBesideTheSettingsFile() {
        Module1 s;
        QTemporaryDir dir;
        s.SettingsPath = dir.filePath("config/sorvane/Sorvane.ini");
        const QString path = ExtraOptionsPath(s);
        QCOMPARE(path, dir.filePath("config/sorvane/SorvaneExtras.ini"));
        QVERIFY(SaveExtraOptions(path, {false, true}) && SaveExtraOptions(path, {true, false}));
        QCOMPARE(LoadExtraOptions(path), (ExtraOptions{true, false}));
        QCOMPARE(Files(dir.filePath("config/sorvane")), QStringList{"SorvaneExtras.ini"});
        QVERIFY(WriteFile(dir.filePath("blocked"), "a file, not a folder"));
        QVERIFY(!SaveExtraOptions(dir.filePath("blocked/SorvaneExtras.ini"), {true, true}));
        QCOMPARE(ReadFile(dir.filePath("blocked")), "a file, not a folder");
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "tst_settings.moc"
