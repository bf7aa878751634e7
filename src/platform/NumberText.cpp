#include "platform/NumberText.h"

#include <cmath>

namespace sorvane {
namespace {

// The value of an ASCII digit in the base, or -1.
int digitValue(QChar c, int base) {
    const char16_t u = c.toLower().unicode();
    const int digit = u >= '0' && u <= '9' ? u - '0' : u >= 'a' && u <= 'f' ? u - 'a' + 10 : -1;
    return digit < base ? digit : -1;
}

qsizetype skipDigits(const QString& s, qsizetype pos, int base = 10) {
    while (pos < s.size() && digitValue(s[pos], base) >= 0)
        ++pos;
    return pos;
}

// An &H or &O integer: the digits after the prefix, none giving 0.
double radixValue(const QString& s, int base) {
    const qsizetype end = skipDigits(s, 2, base);
    double value = 0;
    for (qsizetype i = 2; i < end; ++i)
        value = value * base + digitValue(s[i], base);
    return value;
}

// The longest decimal number at the start: [sign] digits [. digits]
// [E|D [sign] digits]. An exponent letter without digits is not taken.
double decimalValue(const QString& s) {
    qsizetype pos = 0;
    if (pos < s.size() && (s[pos] == u'+' || s[pos] == u'-'))
        ++pos;
    const qsizetype mantissaStart = pos;
    pos = skipDigits(s, pos);
    if (pos < s.size() && s[pos] == u'.')
        pos = skipDigits(s, pos + 1);
    if (pos == mantissaStart || s.mid(mantissaStart, pos - mantissaStart) == u".")
        return 0;
    QString number = s.left(pos);
    if (pos < s.size() && QStringLiteral("EeDd").contains(s[pos])) {
        qsizetype exp = pos + 1;
        if (exp < s.size() && (s[exp] == u'+' || s[exp] == u'-'))
            ++exp;
        const qsizetype expEnd = skipDigits(s, exp);
        if (expEnd > exp)
            number += u'e' + s.mid(pos + 1, expEnd - pos - 1);
    }
    return number.toDouble();
}

// What an input method types in full width (digits, signs, the point, the
// letters of an exponent or prefix, the wide blank) reads as its ASCII form,
// and so does the minus sign U+2212.
QString HalfWidth(const QString& text) {
    QString s = text;
    for (QChar& c : s) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E)
            c = QChar(char16_t(u - 0xFEE0));
        else if (u == 0x3000)
            c = u' ';
        else if (u == 0x2212)
            c = u'-';
    }
    return s;
}

} // namespace

QString SingleText(float value) {
    if (std::nearbyint(value) == value && std::fabs(value) < 1e7f)
        return QString::number(static_cast<qint64>(value));
    return QString::number(static_cast<double>(value), 'g', 7);
}

std::optional<std::int16_t> readNumber(const QString& text) {
    QString s = HalfWidth(text);
    s.remove(u' ').remove(u'\t').remove(u'\n');
    const QString prefix = s.left(2).toUpper();
    const double value = prefix == u"&H"   ? radixValue(s, 16)
                         : prefix == u"&O" ? radixValue(s, 8)
                                           : decimalValue(s);
    const double rounded = std::nearbyint(value); // half to even
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

} // namespace sorvane
