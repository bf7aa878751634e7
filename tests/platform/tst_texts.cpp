// The number a user types into a text box, and the order of file names, which must sort exactly as
// the collator does.
#include "platform/Drives.h"
#include "platform/FileOps.h"
#include "platform/NameOrder.h"
#include "platform/NativeName.h"
#include "platform/NumberText.h"

#include <QRandomGenerator>
#include <QtTest>

#include <optional>

using namespace sorvane;

namespace {

const int OutOfRange = INT_MIN;

// Sorts with NameOrder as the folder listing does: every name with its
// cheapest key (fullEvery 0), or every fullEvery-th with the collator's key too.
QStringList SortedByNameOrder(QStringList names, const NameOrder& order, int fullEvery) {
    QHash<QString, std::pair<QByteArray, std::optional<QCollatorSortKey>>> keys;
    for (qsizetype i = 0; i < names.size(); ++i) {
        auto& [quick, full] = keys[names[i]];
        if (!order.appendQuickKey(names[i], quick) || (fullEvery && i % fullEvery == 0))
            full = order.fullKey(names[i]);
    }
    const auto key = [&](const QString& name) {
        const auto& [quick, full] = keys[name];
        return NameOrder::Key{quick, full ? &*full : nullptr};
    };
    std::sort(names.begin(), names.end(), [&](const QString& a, const QString& b) {
        return order.compare(key(a), a, key(b), b) < 0;
    });
    return names;
}

QStringList RandomNames() {
    static const QString alphabet =
        QStringLiteral("aAbBeEosSzZ0123456789 _-.~!()[]+,'&é日本ｶßÄøı\t");
    QRandomGenerator random(20240611);
    QStringList names(3000);
    for (QString& name : names)
        for (int length = 1 + random.bounded(12); length > 0; --length)
            name.append(alphabet[random.bounded(int(alphabet.size()))]);
    names.removeDuplicates();
    return names;
}

} // namespace

class TextsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The longest mount point that holds the path as a whole folder: /mnt2
    // is not inside /mnt.
    void driveOf() {
        const QStringList mounts{"/", "/mnt", "/mnt/usb", "/mnt2"};
        QCOMPARE(DriveOf(QStringLiteral("/mnt/usb/写真"), mounts), "/mnt/usb");
        QCOMPARE(DriveOf("/mnt2/photos", mounts), "/mnt2");
        QCOMPARE(DriveOf("/mntx", mounts), "/");
    }

    void readNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        const auto row = [](const char* name, const QString& text, int value) {
            QTest::newRow(name) << text << value;
        };
        row("half rounds down to even", "2.5", 2);
        row("half rounds up to even", "3.5", 4);
        row("letters", "abc", 0);
        row("blank, then a unit", QStringLiteral(" 7秒"), 7);
        row("negative", "-3", -3);
        row("exponent D, negative", "250D-2", 2);
        row("exponent without digits", "4e", 4);
        row("leading point", ".5", 0);
        row("hexadecimal", "&H10", 16);
        row("hexadecimal stops at a non-digit", "&H1G", 1);
        row("octal", "&O17", 15);
        row("blanks, tabs and line feeds inside", "1 2\t3\n4", 1234);
        row("stops at the second point", "1.2.3", 1);
        row("full-width digits", QStringLiteral("１５秒"), 15);
        row("full-width minus and blank", QStringLiteral("　－３"), -3);
        row("minus sign", QStringLiteral("\u22122"), -2);
        row("full-width point and exponent", QStringLiteral("２．５Ｅ１"), 25);
        row("full-width hexadecimal", QStringLiteral("＆ｈ１０"), 16);
        row("long vowel mark is no minus", QStringLiteral("ー３"), 0);
        row("largest", "32767", 32767);
        row("rounds into range", "32767.4", 32767);
        row("too large", "32768", OutOfRange);
        row("rounds out of range", "32767.5", OutOfRange);
        row("huge exponent", "1e400", OutOfRange);
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
        row("UTF-8", "写真 1.jpg", QStringLiteral("写真 1.jpg"));
        row("byte-order mark", "\xef\xbb\xbf.jpg", QStringLiteral("\uFEFF.jpg"));
        row("Latin-1", "caf\xe9.jpg", QStringLiteral("caf\uFFFD.jpg"));
        row("overlong", "\xc0\xaf", QStringLiteral("\uFFFD\uFFFD"));
        row("encoded escape", "\xed\xb3\xbf", QString(3, QChar(0xFFFD)));
        row("past U+10FFFF", "\xf4\x90\x80\x80", QString(4, QChar(0xFFFD)));
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

    // language empty: the system's, sorted as SortNames does; else the
    // language's collator.
    void nameOrderSortsAsTheCollator_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("names");
        const auto add = [](const char* row, const char* language, const QString& names) {
            QTest::newRow(row) << language << names.split(u'/');
        };
        add("numbers", "",
            "IMG_0010.JPG/IMG_0009.JPG/img_0011.jpg/a10/a010/a0/a00/a/a1b2/a1b10/9.5/9.10/x" +
                QString(300, u'7') + "/x" + QString(255, u'0') + "1");
        add("japanese", "",
            QStringLiteral(
                "写真.jpg/しゃしん.jpg/シャシン.jpg/ｼｬｼﾝ.jpg/写真10.jpg/１２.jpg/2.jpg"));
        QTest::newRow("random") << QString() << RandomNames();
        for (const char* language : {"sk_SK", "da_DK", "lt_LT", "tr_TR", "de_DE", "ja_JP"})
            add(language, language, "ch/h/i/cz/aa/ab/z/å/y/j/I/ı/İ/Ch1/ha/ia/Y/zz/ä/ü/Aa10/aA9/u");
    }
    void nameOrderSortsAsTheCollator() {
        QFETCH(QString, language);
        QFETCH(QStringList, names);
        QCollator collator = MakeNameCollator();
        if (!language.isEmpty())
            collator.setLocale(QLocale(language));
        const NameOrder order(collator);
        // Slovak "ch" after "h" and Danish "aa" as "å" join letters, Lithuanian
        // ranks "y" beside "i": the quick order cannot hold for them.
        if (!language.isEmpty())
            QCOMPARE(order.hasQuickOrder(),
                     (!QStringList{"sk_SK", "da_DK", "lt_LT"}.contains(language)));
        QByteArray key; // a camera's name takes the quick key wherever there is one
        QCOMPARE(order.appendQuickKey("IMG_0001.JPG", key), order.hasQuickOrder());
        QStringList expected = names;
        if (language.isEmpty())
            SortNames(expected);
        else
            std::sort(expected.begin(), expected.end(), [&](const QString& a, const QString& b) {
                const int byCollator = collator.compare(a, b);
                return byCollator != 0 ? byCollator < 0 : a < b;
            });
        for (const int fullEvery : {0, 1, 2})
            QCOMPARE(SortedByNameOrder(names, order, fullEvery), expected);
    }
};

QTEST_GUILESS_MAIN(TextsTest)
#include "tst_texts.moc"
