// The quick order of file names must sort exactly as SortNames does.
#include "platform/FileOps.h"
#include "platform/NameOrder.h"

#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>
#include <optional>

using namespace sorvane;

namespace {

enum class Keys { Cheapest, Full, Mixed };

// A name with the keys the folder listing would hold for it.
struct Keyed {
    QString name;
    QByteArray quick;
    std::optional<QCollatorSortKey> full;
    NameOrder::Key key() const { return {quick, full ? &*full : nullptr}; }
};

// Sorts with NameOrder as the folder listing does: every name with its
// cheapest key, every name with the collator's key too, or every other name.
QStringList SortedByNameOrder(const QStringList& names, Keys keys,
                              const NameOrder& order = NameOrder()) {
    std::vector<Keyed> keyed;
    for (qsizetype i = 0; i < names.size(); ++i) {
        Keyed entry{names[i], {}, {}};
        const bool quick = order.appendQuickKey(names[i], entry.quick);
        if (!quick || keys == Keys::Full || (keys == Keys::Mixed && i % 2 == 0))
            entry.full = order.fullKey(names[i]);
        keyed.push_back(std::move(entry));
    }
    std::sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
        return order.compare(a.key(), a.name, b.key(), b.name) < 0;
    });
    QStringList sorted;
    for (const Keyed& entry : keyed)
        sorted.append(entry.name);
    return sorted;
}

QString RandomName(QRandomGenerator& random) {
    static const QString alphabet = QStringLiteral("aAbBzZ0123456789 _-.~!()[]+,'&é日本ｶßÄøı\t");
    QString name;
    const int length = 1 + random.bounded(12);
    for (int i = 0; i < length; ++i)
        name.append(alphabet[random.bounded(int(alphabet.size()))]);
    return name;
}

} // namespace

class NameOrderTest : public QObject {
    Q_OBJECT
private slots:
    void sortsAsSortNames_data() {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("camera") << QStringList{"IMG_0010.JPG", "IMG_0009.JPG", "img_0011.jpg",
                                               "DSC01234.jpg", "DSC1234.jpg",  "P1000001.JPG"};
        QTest::newRow("numbers") << QStringList{"a10",   "a9", "a010", "a0",  "a00", "a",   "a1b2",
                                                "a1b10", "1",  "01",   "001", "10",  "9.5", "9.10"};
        QTest::newRow("long number")
            << QStringList{"x" + QString(300, u'7'), "x" + QString(20, u'9'),
                           "x" + QString(255, u'0') + "1", "x1"};
        QTest::newRow("punctuation and spaces")
            << QStringList{"a b", "a_b", "a-b", "a.b", "ab",  "a~b", "a(b)", "a+b", "a,b", "a'b",
                           "a&b", "a$b", "a@b", "a#b", "a%b", "a;b", "a=b",  "a^b", "a`b", "a{b}"};
        QTest::newRow("case") << QStringList{"b", "B", "a", "A", "Ab", "aB", "AB", "ab"};
        QTest::newRow("accents") << QStringList{"e",  "é",  "E",     "É",     "ea",
                                                "éb", "f",  "Ä.jpg", "a.jpg", "b.jpg",
                                                "ß",  "ss", "st",    "ø",     "o"};
        QTest::newRow("japanese") << QStringList{
            "写真.jpg",  "しゃしん.jpg", "シャシン.jpg", "ｼｬｼﾝ.jpg", "img.jpg",
            "写真2.jpg", "写真10.jpg",   "１２.jpg",     "12.jpg",   "2.jpg"};
        QTest::newRow("control characters") << QStringList{"a\tb", "ab",
                                                           "a\x01"
                                                           "b",
                                                           "a b"};
    }

    void sortsAsSortNames() {
        QFETCH(QStringList, names);
        QStringList expected = names;
        SortNames(expected);
        QCOMPARE(SortedByNameOrder(names, Keys::Cheapest), expected);
        QCOMPARE(SortedByNameOrder(names, Keys::Full), expected);
        QCOMPARE(SortedByNameOrder(names, Keys::Mixed), expected);
    }

    void sortsRandomNamesAsSortNames() {
        QRandomGenerator random(20240611);
        QStringList names;
        for (int i = 0; i < 3000; ++i)
            names.append(RandomName(random));
        names.removeDuplicates();
        QStringList expected = names;
        SortNames(expected);
        QCOMPARE(SortedByNameOrder(names, Keys::Cheapest), expected);
        QCOMPARE(SortedByNameOrder(names, Keys::Mixed), expected);
    }

    // Languages that join letters (Slovak "ch" after "h", Danish "aa" as
    // "å") or rank them apart (Lithuanian "y", Turkish dotless "I") must
    // still sort as their collator does.
    void sortsAsTheCollatorOfOtherLanguages_data() {
        QTest::addColumn<QString>("language");
        for (const char* language : {"sk_SK", "da_DK", "lt_LT", "tr_TR", "de_DE", "ja_JP"})
            QTest::newRow(language) << QString::fromLatin1(language);
    }

    void sortsAsTheCollatorOfOtherLanguages() {
        QFETCH(QString, language);
        QCollator collator{QLocale(language)};
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        collator.setNumericMode(true);
        const QStringList names{"ch", "h",    "i",   "cz", "aa", "ab",  "z",  "å",
                                "y",  "j",    "I",   "ı",  "İ",  "Ch1", "ha", "ia",
                                "Y",  "Aa10", "aA9", "zz", "ä",  "ü",   "u"};
        QStringList expected = names;
        std::sort(expected.begin(), expected.end(), [&](const QString& a, const QString& b) {
            const int byCollator = collator.compare(a, b);
            return byCollator != 0 ? byCollator < 0 : a < b;
        });
        QCOMPARE(SortedByNameOrder(names, Keys::Cheapest, NameOrder(collator)), expected);
        QCOMPARE(SortedByNameOrder(names, Keys::Mixed, NameOrder(collator)), expected);
    }

    void plainNamesTakeTheQuickKey() {
        const NameOrder order;
        if (!order.hasQuickOrder())
            QSKIP("the system locale's rules do not allow the quick order");
        QByteArray keys;
        QVERIFY(order.appendQuickKey("IMG_0001", keys));
        QVERIFY(!order.appendQuickKey("写真.jpg", keys));
        QVERIFY(!order.appendQuickKey("a\tb", keys));
        QCOMPARE(keys.size(), 7); // I M G _, then 1 as a number: rank, length, digit
    }
};

QTEST_GUILESS_MAIN(NameOrderTest)
#include "tst_nameorder.moc"
