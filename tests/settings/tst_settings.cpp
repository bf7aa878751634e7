// The settings line, its exact text and its reading, and the settings file
// on disk: missing, unreadable, and replaced whole or not at all.
#include "settings/SettingsFile.h"

#include "support/FileSizeLimit.h"
#include "support/Settings.h"
#include "support/TestFiles.h"

#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// A line of 14 texts ("/src", "/slot0".., "9000", "7000") and the numbers given.
QByteArray LineWithNumbers(const QByteArray& numbers) {
    QByteArray line = "\"/src\"";
    for (int i = 0; i < SlotCount; ++i)
        line += ",\"/slot" + QByteArray::number(i) + '"';
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
    // one is remembered instead, and no later field shifts.
    void roundTripKeepsEveryField() {
        const QString invalidUtf8 = QString::fromUtf8("/bytes/\xff\xfe\x80 raw");
        const QString paths[SlotCount + 1][2] = {
            {"/home/写真, 2026/未整理", "/home/写真, 2026/未整理"},
            {"/pics/a \"best\" pics", "/pics"},
            {"/pics/\"quoted\"/inner", "/pics"},
            {"/\"top", "/"},
            {"/trailing blank ", "/trailing blank "},
            {" leading blank", " leading blank"},
            {invalidUtf8, invalidUtf8},
            {"/a,b,c", "/a,b,c"},
            {"", ""},
            {"/猫 と 犬", "/猫 と 犬"},
            {"/bulk\",\"x", "/"},
            {"/振り分け/9", "/振り分け/9"},
        };
        Module1 s;
        s.SourceFolder = paths[0][0];
        for (int i = 0; i < SlotCount; ++i)
            s.FolderSlots[size_t(i)] = paths[i + 1][0];
        s.WindowWidth = "9000.5";
        s.RememberWindowSize = 1;
        s.SlideshowSeconds = 32767;
        s.WindowTop = -32768;
        const QByteArray line = FormatSettingsLine(s);
        Module1 back;
        QCOMPARE(ParseSettings(line, back), ParseOutcome::Complete);
        QCOMPARE(back.SourceFolder, paths[0][1]);
        for (int i = 0; i < SlotCount; ++i)
            QCOMPARE(back.FolderSlots[size_t(i)], paths[i + 1][1]);
        QCOMPARE(FormatSettingsLine(back), line);
    }

    // Fields before a bad number stay read, the ones after it are not touched.
    void readsTheNumbers_data() {
        QTest::addColumn<QByteArray>("numbers");
        QTest::addColumn<ParseOutcome>("outcome");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("left");
        QTest::newRow("one number short")
            << QByteArray("1,0,0,1,0,0,0,0,0,0") << ParseOutcome::TooFewFields << 1 << 0;
        QTest::newRow("fields past the 25th ignored")
            << QByteArray("1,1,0,5,0,0,0,0,0,7,8,\"x\",9") << ParseOutcome::Complete << 5 << 8;
        QTest::newRow("above 16 bits")
            << QByteArray("1,0,0,32768,0,0,0,0,0,0,5") << ParseOutcome::BadNumber << 0 << 0;
        QTest::newRow("below 16 bits")
            << QByteArray("1,0,0,2,0,0,0,0,0,-32769,5") << ParseOutcome::BadNumber << 2 << 0;
        QTest::newRow("not a number")
            << QByteArray("1,0,0,3,x,0,0,0,0,0,5") << ParseOutcome::BadNumber << 3 << 0;
    }
    void readsTheNumbers() {
        QFETCH(QByteArray, numbers);
        QFETCH(ParseOutcome, outcome);
        QFETCH(int, seconds);
        QFETCH(int, left);
        Module1 s;
        QCOMPARE(ParseSettings(LineWithNumbers(numbers), s), outcome);
        QCOMPARE(s.SourceFolder, QStringLiteral("/src"));
        QCOMPARE(s.RememberWindowSize, 1);
        QCOMPARE(s.SlideshowSeconds, seconds);
        QCOMPARE(s.WindowLeft, left);
    }

    void readingFollowsTheFileRules() {
        // Blanks around unquoted fields, line ends between fields, junk after
        // a closing quote, an empty number, fractions rounded half to even.
        const QByteArray text =
            "\"/a,b\" junk,\"/s0\"\n\"/s1\",\"/s2\",\"/s3\",\"/s4\",\"/s5\",\"/s6\",\"/s7\","
            "\"/s8\",\"/s9\",\"/bulk\",\"8500\",\"7000\"\r\n  1 , ,0,2.5,0\n0,0,0,0,  -12 ,3.5";
        Module1 s;
        QCOMPARE(ParseSettings(text, s), ParseOutcome::Complete);
        QCOMPARE(s.SourceFolder, QStringLiteral("/a,b"));
        QCOMPARE(s.FolderSlots[10], QStringLiteral("/bulk"));
        QCOMPARE(s.RememberWindowSize, 1);
        QCOMPARE(s.SlideshowSeconds, 2);
        QCOMPARE(s.WindowTop, -12);
        QCOMPARE(s.WindowLeft, 4);
    }

    void loadTellsTheFileApart() {
        QTemporaryDir dir;
        Module1 s;
        s.ProgramFolder = dir.path();
        QCOMPARE(LoadSettingsFile(s), LoadOutcome::NoFile);
        QVERIFY(QDir(dir.path()).mkdir("Sorvane.ini")); // a folder where the file should be
        QCOMPARE(LoadSettingsFile(s), LoadOutcome::NoFile);
        QVERIFY(QDir(dir.path()).rmdir("Sorvane.ini"));
        QVERIFY(WriteSettings(SettingsFilePath(s), FirstStartSettings()));
        QCOMPARE(LoadSettingsFile(s), LoadOutcome::Loaded);
        SetSettingsReader([](const QString&) { return std::optional<QByteArray>(); });
        const LoadOutcome unreadable = LoadSettingsFile(s);
        SetSettingsReader(nullptr);
        QCOMPARE(unreadable, LoadOutcome::Unreadable);
    }

    void failedSaveLeavesTheOldFileWhole() {
        QTemporaryDir dir;
        Module1 s = FirstStartSettings();
        s.ProgramFolder = dir.path();
        const QByteArray old = "\"/old\",\"/kept\"\r\n";
        QVERIFY(WriteFile(SettingsFilePath(s), old));
        bool written = true;
        {
            const FileSizeLimit full(16);
            written = SaveSettingsFile(s);
        }
        QVERIFY(!written);
        QCOMPARE(Files(dir.path()), QStringList{"Sorvane.ini"});
        QCOMPARE(ReadFile(SettingsFilePath(s)), old);
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "tst_settings.moc"
