// The number a user types into a text box.
#include "platform/NumberText.h"

#include <QtTest>

using namespace sorvane;

class NumberTextTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<int>("value");
        const auto row = [](const char* name, const QString& text, int value) {
            QTest::newRow(name) << text << true << value;
        };
        row("whole", "5", 5);
        row("half rounds down to even", "2.5", 2);
        row("half rounds up to even", "3.5", 4);
        row("letters", "abc", 0);
        row("empty", "", 0);
        row("blank, then a unit", QStringLiteral(" 7秒"), 7);
        row("negative", "-3", -3);
        row("exponent", "1e1", 10);
        row("exponent D, negative", "250D-2", 2);
        row("exponent without digits", "4e", 4);
        row("leading point", ".5", 0);
        row("hexadecimal", "&H10", 16);
        row("hexadecimal stops at a non-digit", "&H1G", 1);
        row("octal", "&O17", 15);
        row("blanks, tabs and line feeds inside", "1 2\t3\n4", 1234);
        row("stops at the second point", "1.2.3", 1);
        row("full-width digits are not digits", QStringLiteral("７"), 0);
        row("largest", "32767", 32767);
        row("rounds into range", "32767.4", 32767);
        QTest::newRow("too large") << "32768" << false << 0;
        QTest::newRow("rounds out of range") << "32767.5" << false << 0;
        QTest::newRow("huge exponent") << "1e400" << false << 0;
        QTest::newRow("long hexadecimal") << "&HFFFF" << false << 0;
    }
    void readNumber() {
        QFETCH(QString, text);
        QFETCH(bool, fits);
        QFETCH(int, value);
        const std::optional<std::int16_t> read = sorvane::readNumber(text);
        QCOMPARE(read.has_value(), fits);
        if (fits)
            QCOMPARE(int(*read), value);
    }
};

QTEST_APPLESS_MAIN(NumberTextTest)
#include "tst_numbertext.moc"
