#include "platform/NameOrder.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>

namespace sorvane {
namespace {

constexpr char16_t FirstPrintable = 0x20;
constexpr char16_t LastPrintable = 0x7e;
// ICU compares digit runs longer than this in pieces; such names take the
// collator's key.
constexpr int LongestQuickNumber = 254;

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

// Every printable ASCII character alone, and the letters, digits and the
// commonest separators in every pair: enough to show the locale joins no two
// letters into one and that numbers compare as the quick key compares them.
// (Languages join letters regardless of case.)
QStringList ProbeNames() {
    static const QString paired = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789 -._");
    QStringList probes;
    for (char16_t c = FirstPrintable; c <= LastPrintable; ++c)
        probes.append(QString(QChar(c)));
    for (const QChar a : paired) {
        for (const QChar b : paired)
            probes.append(QString(a) + b);
    }
    probes << "a1b"
           << "a01b"
           << "a10b"
           << "a001"
           << "a0"
           << "a00"
           << "1.5"
           << "1.10"
           << "x9"
           << "x09y"
           << "IMG_0010.JPG"
           << "img_10.jpg"
           << "img 10.jpg"
           << "Ch"
           << "CH"
           << "Aa"
           << "AA"
           << "Ij"
           << "IJ"
           << "Ll"
           << "Ny";
    return probes;
}

} // namespace

QCollator MakeNameCollator() {
    QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    return collator;
}

NameOrder::NameOrder(const QCollator& collator) : collator_(collator) {
    rankCharacters();
    quickOrderHolds_ = numberRank_ != 0 && quickOrderMatchesCollator();
}

// Ranks the printable ASCII characters as the collator orders them alone;
// characters the collator holds equal (a letter and its capital) share a
// rank, and all digits share the rank of a number.
void NameOrder::rankCharacters() {
    std::vector<QString> characters;
    for (char16_t c = FirstPrintable; c <= LastPrintable; ++c)
        characters.emplace_back(QChar(c));
    std::stable_sort(characters.begin(), characters.end(),
                     [this](const QString& a, const QString& b) { return collator_(a, b); });
    unsigned char rank = 1;
    for (size_t i = 0; i < characters.size(); ++i) {
        const char16_t c = characters[i].front().unicode();
        const bool digitRun = IsDigit(c) && i > 0 && IsDigit(characters[i - 1].front().unicode());
        if (!digitRun && (i == 0 || collator_.compare(characters[i - 1], characters[i]) != 0))
            ++rank;
        if (IsDigit(c) && !digitRun && numberRank_ != 0)
            numberRank_ = 0; // digits apart from one another: no quick order
        else if (IsDigit(c) && !digitRun)
            numberRank_ = rank;
        rank_[c] = rank;
    }
}

bool NameOrder::quickOrderMatchesCollator() const {
    const QStringList probes = ProbeNames();
    std::vector<std::pair<QByteArray, QString>> keyed;
    for (const QString& probe : probes) {
        QByteArray key;
        appendTokens(probe, key);
        keyed.emplace_back(key, probe);
    }
    std::sort(keyed.begin(), keyed.end());
    // The collator agreeing on every neighbour agrees on the whole order.
    for (size_t i = 1; i < keyed.size(); ++i) {
        const int quick = Sign(keyed[i - 1].first.compare(keyed[i].first));
        if (Sign(collator_.compare(keyed[i - 1].second, keyed[i].second)) != quick)
            return false;
    }
    return true;
}

bool NameOrder::appendQuickKey(const QString& name, QByteArray& keys) const {
    const qsizetype start = keys.size();
    if (quickOrderHolds_ && appendTokens(name, keys))
        return true;
    keys.truncate(start);
    return false;
}

// A byte a character by its rank; a digit run as the rank of numbers, its
// length and its digits. False at the first character without a rank.
bool NameOrder::appendTokens(const QString& name, QByteArray& keys) const {
    const char16_t* text = reinterpret_cast<const char16_t*>(name.constData());
    const qsizetype size = name.size();
    for (qsizetype i = 0; i < size;) {
        const char16_t c = text[i];
        if (c > LastPrintable || rank_[c] == 0)
            return false;
        if (!IsDigit(c)) {
            keys.append(char(rank_[c]));
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < size && IsDigit(text[end]))
            ++end;
        if (end - i > LongestQuickNumber)
            return false;
        while (i < end - 1 && text[i] == u'0')
            ++i; // leading zeros do not count, as in the collator's numeric mode
        keys.append(char(numberRank_));
        keys.append(char(end - i)); // a longer number is a larger one
        for (; i < end; ++i)
            keys.append(char(text[i]));
    }
    return true;
}

int NameOrder::compare(const Key& a, const QString& aName, const Key& b,
                       const QString& bName) const {
    int order;
    if (!a.quick.isEmpty() && !b.quick.isEmpty())
        order = a.quick.compare(b.quick);
    else if (a.full && b.full)
        order = a.full->compare(*b.full);
    else
        order = collator_.compare(aName, bName);
    return order != 0 ? Sign(order) : Sign(QString::compare(aName, bName));
}

} // namespace sorvane
