// The settings line: its exact text, and reading it back as the file is read.
#include "settings/SettingsLine.h"

#include <QtTest>

using namespace sorvane;

namespace {

// A line of 25 fields whose numeric part is given (11 numbers, comma separated).
QByteArray LineWithNumbers(const QByteArray& numbers) {
    QByteArray line = "\"/src\"";
    for (int i = 0; i < 11; ++i)
        line += ",\"/slot" + QByteArray::number(i) + '"';
    return line + ",\"9000\",\"7000\"," + numbers + "\r\n";
}

} // namespace

class SettingsLineTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstCloseWritesDefaultsExactly() {
        Module1 s;
        s.SourceFolder = "/";
        s.FolderSlots.fill("/");
        s.SlideshowSeconds = 1;
        s.WindowWidth = "8775";
        s.WindowHeight = "8040";
        s.WindowTop = 300;
        s.WindowLeft = -15;
        QByteArray expected;
        for (int i = 0; i < 12; ++i)
            expected += "\"/\",";
        expected += "\"8775\",\"8040\",0,0,0,1,0,0,0,0,0,300,-15\r\n";
        QCOMPARE(FormatSettingsLine(s), expected);
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
        s.WindowHeight = "7000";
        s.RememberWindowSize = 1;
        s.SlideshowSeconds = 32767;
        s.CopyMode = 1;
        s.WindowTop = -32768;
        s.WindowLeft = 1234;
        const QByteArray line = FormatSettingsLine(s);
        Module1 back;
        QCOMPARE(ParseSettings(line, back), ParseOutcome::Complete);
        QCOMPARE(back.SourceFolder, paths[0][1]);
        for (int i = 0; i < SlotCount; ++i)
            QCOMPARE(back.FolderSlots[size_t(i)], paths[i + 1][1]);
        QCOMPARE(back.WindowWidth, s.WindowWidth);
        QCOMPARE(back.RememberWindowSize, 1);
        QCOMPARE(back.SlideshowSeconds, 32767);
        QCOMPARE(back.CopyMode, 1);
        QCOMPARE(back.WindowTop, -32768);
        QCOMPARE(back.WindowLeft, 1234);
        QCOMPARE(FormatSettingsLine(back), line);
    }

    void tooFewFieldsAreReported() {
        QByteArray line = LineWithNumbers("1,0,0,1,0,0,0,0,0,0");
        Module1 s;
        QCOMPARE(ParseSettings(line, s), ParseOutcome::TooFewFields);
        QCOMPARE(ParseSettings(QByteArray(), s), ParseOutcome::TooFewFields);
    }

    void fieldsPastTheTwentyFifthAreIgnored() {
        Module1 s;
        QCOMPARE(ParseSettings(LineWithNumbers("1,1,0,5,0,0,0,0,0,7,8,\"extra\",99"), s),
                 ParseOutcome::Complete);
        QCOMPARE(s.WindowTop, 7);
        QCOMPARE(s.WindowLeft, 8);
        QCOMPARE(FormatSettingsLine(s).count(','), 24);
    }

    void badNumbersStopTheReading_data() {
        QTest::addColumn<QByteArray>("numbers");
        QTest::addColumn<qint16>("slideshowSeconds");
        QTest::newRow("above 16 bits") << QByteArray("1,0,0,32768,0,0,0,0,0,0,0") << qint16(0);
        QTest::newRow("below 16 bits") << QByteArray("1,0,0,2,0,0,0,0,0,-32769,0") << qint16(2);
        QTest::newRow("not a number") << QByteArray("1,0,0,3,x,0,0,0,0,0,0") << qint16(3);
    }
    void badNumbersStopTheReading() {
        QFETCH(QByteArray, numbers);
        QFETCH(qint16, slideshowSeconds);
        Module1 s;
        QCOMPARE(ParseSettings(LineWithNumbers(numbers), s), ParseOutcome::BadNumber);
        QCOMPARE(s.SourceFolder, QStringLiteral("/src")); // fields before the failure stay read
        QCOMPARE(s.RememberWindowSize, 1);
        QCOMPARE(s.SlideshowSeconds, slideshowSeconds);
        QCOMPARE(s.WindowLeft, 0); // fields after it are not touched
    }

    void readingFollowsTheFileRules() {
        // Blanks around unquoted fields, line ends between fields, junk after
        // a closing quote, an empty number, a fraction rounded half to even.
        QByteArray text = "\"/a,b\" junk,\"/s0\"\n\"/s1\",\"/s2\",\"/s3\",\"/s4\",\"/s5\",\"/s6\","
                          "\"/s7\",\"/s8\",\"/s9\",\"/bulk\",\"8500\",\"7000\"\r\n"
                          "  1 , ,0,2.5,0\n0,0,0,0,  -12 ,3.5";
        Module1 s;
        QCOMPARE(ParseSettings(text, s), ParseOutcome::Complete);
        QCOMPARE(s.SourceFolder, QStringLiteral("/a,b"));
        QCOMPARE(s.FolderSlots[10], QStringLiteral("/bulk"));
        QCOMPARE(s.WindowHeight, QStringLiteral("7000"));
        QCOMPARE(s.RememberWindowSize, 1);
        QCOMPARE(s.RememberSourceFolder, 0);
        QCOMPARE(s.SlideshowSeconds, 2);
        QCOMPARE(s.WindowTop, -12);
        QCOMPARE(s.WindowLeft, 4);
    }
};

QTEST_GUILESS_MAIN(SettingsLineTest)
#include "tst_settingsline.moc"
