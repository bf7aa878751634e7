// The number a user types into a text box, and file names that are not
// UTF-8, which must come back as the bytes they were.
#include "platform/NativeName.h"
#include "platform/NumberText.h"

#include <QtTest>

using namespace sorvane;

const int OutOfRange = INT_MIN;

class TextsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        const auto row = [](const char* name, const QString& text, int value) {
            QTest::newRow(name) << text << value;
        };
        row("half rounds to even", "2.5", 2);
        row("blank, then a unit", QStringLiteral(" 7秒"), 7);
        row("negative exponent D", "-250D-2", -2);
        row("hexadecimal", "&H1G", 1);
        row("blanks, tabs and line feeds inside", "1 2\t3\n4", 1234);
        row("full-width digits, minus and blank", QStringLiteral("　－１５秒"), -15);
        row("long vowel mark is no minus", QStringLiteral("ー３"), 0);
        row("largest", "32767.4", 32767);
        row("rounds out of range", "32767.5", OutOfRange);
        row("long hexadecimal", "&HFFFF", OutOfRange);
    }
    void readNumber() {
        QFETCH(QString, text);
        QFETCH(int, value);
        const std::optional<std::int16_t> read = sorvane::readNumber(text);
        QCOMPARE(read ? int(*read) : OutOfRange, value);
    }

    // Any bytes come back as they were; what is not UTF-8 shows as U+FFFD
    // per byte, and nothing valid is taken for an escaped byte.
    void nativeNamesRoundTrip_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* row, const char* bytes, const QString& shown) {
            QTest::newRow(row) << QByteArray(bytes) << shown;
        };
        row("Latin-1", "caf\xe9.jpg", QStringLiteral("caf\uFFFD.jpg"));
        row("overlong", "\xc0\xaf", QStringLiteral("\uFFFD\uFFFD"));
        row("encoded escape", "\xed\xb3\xbf", QString(3, QChar(0xFFFD)));
        row("U+10080, a pair ending in DC80", "\xf0\x90\x82\x80",
            QString::fromUcs4(U"\U00010080", 1));
        row("valid beside invalid", "\xff\xc3\xa9\x80", QStringLiteral("\uFFFD\u00E9\uFFFD"));
    }
    void nativeNamesRoundTrip() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        const QString name = FromNativeName(bytes);
        QCOMPARE(ToNativeName(name), bytes);
        QCOMPARE(DisplayName(name), shown);
    }
};

QTEST_GUILESS_MAIN(TextsTest)
#include "tst_texts.moc"
