// The settings line, its exact text and its reading, and the settings file
// on disk: missing, unreadable, and replaced whole or not at all. The file of
// the options added beside it: what it reads back, what a damaged or missing
// file gives, and that a save is whole or leaves the old file.
#include "settings/SettingsFile.h"

#include "platform/NativeName.h"
#include "settings/ExtraOptions.h"
#include "support/FileSizeLimit.h"
#include "support/Settings.h"
#include "support/TestFiles.h"
#include "support/UnreadableSettings.h"

#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// A line of 14 texts ("/src", "/slot0".., "9000", "7000") and the numbers
// given, with junk after a closing quote and a line end between fields.
QByteArray LineWithNumbers(const QByteArray& numbers) {
    QByteArray line = "\"/src\" junk";
    for (int i = 0; i < SlotCount; ++i)
        line += (i == 5 ? "\n\"/slot" : ",\"/slot") + QByteArray::number(i) + '"';
    return line + ",\"9000\",\"7000\"," + numbers + "\r\n";
}

} // namespace

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

    // Fields before a bad number stay read, the ones after it are not touched.
    void readsTheNumbers_data() {
        QTest::addColumn<QByteArray>("numbers");
        QTest::addColumn<ParseOutcome>("outcome");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("left");
        QTest::newRow("fields past the 25th ignored")
            << QByteArray("1,1,0,5,0,0,0,0,0,7,8,\"x\",9") << ParseOutcome::Complete << 5 << 8;
        QTest::newRow("above 16 bits")
            << QByteArray("1,0,0,3,32768,0,0,0,0,0,5") << ParseOutcome::BadNumber << 3 << 0;
        QTest::newRow("blanks, an empty number, fractions rounded half to even")
            << QByteArray("  1 , ,0,2.5,0\n0,0,0,0,  -12 ,3.5") << ParseOutcome::Complete << 2 << 4;
    }
    void readsTheNumbers() {
        QFETCH(QByteArray, numbers);
        QFETCH(ParseOutcome, outcome);
        QFETCH(int, seconds);
        QFETCH(int, left);
        Module1 s;
        QCOMPARE(ParseSettings(LineWithNumbers(numbers), s), outcome);
        QCOMPARE(s.SourceFolder + s.FolderSlots[5], QStringLiteral("/src/slot5"));
        QCOMPARE(s.RememberWindowSize, 1);
        QCOMPARE(s.SlideshowSeconds, seconds);
        QCOMPARE(s.WindowLeft, left);
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

    // Whatever the file holds, what it does not say plainly is off.
    void extraOptionsFileText_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<ExtraOptions>("options");
        const auto add = [](const char* row, const QByteArray& text, bool trash, bool companions) {
            QTest::newRow(row) << text << ExtraOptions{trash, companions};
        };
        add("no file", QByteArray(), false, false);
        add("empty", "", false, false);
        add("written by hand", "[Options]\r\nDeleteToTrash = 1\r\n", true, false);
        add("unknown keys and groups",
            "[Later]\nSomething=5\n[Options]\nFuture=x\nSendCompanions=true\n", false, true);
        add("not yes or no", "[Options]\nDeleteToTrash=perhaps\nSendCompanions=2\n", false, false);
        add("outside its group", "DeleteToTrash=true\n", false, false);
        add("binary rubbish", QByteArray("\x00\xff[\n=\x01\x02\n[Options\n", 15), false, false);
    }
    void extraOptionsFileText() {
        QFETCH(QByteArray, text);
        QTemporaryDir dir;
        const QString path = dir.filePath("SorvaneExtras.ini");
        QVERIFY(text.isNull() || WriteFile(path, text));
        QTEST(LoadExtraOptions(path), "options");
    }

    // Beside the program's own settings file, wherever that is kept. The
    // first save makes the configuration folder; a save over other values
    // reads back and leaves nothing staged beside the file. Root writes
    // through permissions, so what stops a save is a file in the way of the
    // folder it belongs in.
    void extraOptionsSavedBesideTheSettingsFile() {
        Module1 s;
        s.ProgramFolder = "/opt/sorvane";
        QCOMPARE(ExtraOptionsPath(s), "/opt/sorvane/SorvaneExtras.ini");
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
