// The quick order of file names must sort exactly as the collator does
// (SortNames for the system's language), and step aside for languages whose
// letters it cannot rank one by one.
#include "platform/FileOps.h"
#include "platform/NameOrder.h"

#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>
#include <optional>

using namespace sorvane;

namespace {

// A name with the keys the folder listing would hold for it.
struct Keyed {
    QString name;
    QByteArray quick;
    std::optional<QCollatorSortKey> full;
    NameOrder::Key key() const { return {quick, full ? &*full : nullptr}; }
};

// Sorts with NameOrder as the folder listing does: every name with its
// cheapest key (fullEvery 0), or every fullEvery-th with the collator's key too.
QStringList SortedByNameOrder(const QStringList& names, const NameOrder& order, int fullEvery) {
    std::vector<Keyed> keyed;
    for (qsizetype i = 0; i < names.size(); ++i) {
        Keyed entry{names[i], {}, {}};
        if (!order.appendQuickKey(names[i], entry.quick) || (fullEvery && i % fullEvery == 0))
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

QStringList RandomNames() {
    static const QString alphabet = QStringLiteral("aAbBzZ0123456789 _-.~!()[]+,'&é日本ｶßÄøı\t");
    QRandomGenerator random(20240611);
    QStringList names;
    for (int i = 0; i < 3000; ++i) {
        names.append(QString());
        for (int length = 1 + random.bounded(12); length > 0; --length)
            names.back().append(alphabet[random.bounded(int(alphabet.size()))]);
    }
    names.removeDuplicates();
    return names;
}

} // namespace

class NameOrderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // language empty: the system's, sorted as SortNames does; else the
    // language's collator.
    void sortsAsTheCollator_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("names");
        const auto add = [](const char* row, const QStringList& names) {
            QTest::newRow(row) << QString() << names;
        };
        add("camera", {"IMG_0010.JPG", "IMG_0009.JPG", "img_0011.jpg", "DSC01234.jpg",
                       "DSC1234.jpg", "P1000001.JPG"});
        add("numbers", {"a10", "a9", "a010", "a0", "a00", "a", "a1b2", "a1b10", "1", "01", "001",
                        "10", "9.5", "9.10", "x" + QString(300, u'7'), "x" + QString(20, u'9'),
                        "x" + QString(255, u'0') + "1"});
        add("punctuation, spaces, control characters",
            {"a b", "a_b", "a-b", "a.b", "ab",  "a~b", "a(b)", "a+b", "a,b",  "a'b",  "a&b",
             "a$b", "a@b", "a#b", "a%b", "a;b", "a=b", "a^b",  "a`b", "a{b}", "a\tb", "a\x01z"});
        add("case", {"b", "B", "a", "A", "Ab", "aB", "AB", "ab"});
        add("accents", {"e", "é", "E", "É", "ea", "éb", "f", "Ä.jpg", "a.jpg", "b.jpg", "ß", "ss",
                        "st", "ø", "o"});
        add("japanese", {"写真.jpg", "しゃしん.jpg", "シャシン.jpg", "ｼｬｼﾝ.jpg", "img.jpg",
                         "写真2.jpg", "写真10.jpg", "１２.jpg", "12.jpg", "2.jpg"});
        add("random", RandomNames());
        for (const char* language : {"sk_SK", "da_DK", "lt_LT", "tr_TR", "de_DE", "en_US", "ja_JP"})
            QTest::newRow(language) << QString(language)
                                    << QStringList{"ch", "h",  "i", "cz", "aa",   "ab",  "z",  "å",
                                                   "y",  "j",  "I", "ı",  "İ",    "Ch1", "ha", "ia",
                                                   "Y",  "zz", "ä", "ü",  "Aa10", "aA9", "u"};
    }

    void sortsAsTheCollator() {
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

QTEST_GUILESS_MAIN(NameOrderTest)
#include "tst_nameorder.moc"
