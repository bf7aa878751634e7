#include "platform/NativeName.h"

namespace sorvane {
namespace {

constexpr char16_t EscapeBase = 0xDC00; // + the byte, which is 0x80 or more

// An escaped byte: a lone low surrogate in the escape range. After a high
// surrogate the same unit is half of an ordinary character beyond U+FFFF.
bool IsEscapeAt(QStringView name, qsizetype at) {
    const char16_t unit = name[at].unicode();
    return unit >= 0xDC80 && unit <= 0xDCFF && (at == 0 || !name[at - 1].isHighSurrogate());
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The code point of the well-formed UTF-8 sequence at the start of bytes and
// its length, or 0 when the sequence there is not one (overlong, a
// surrogate, past U+10FFFF, cut short).
int SequenceAt(QByteArrayView bytes, qsizetype at, char32_t* code) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    int length = 0;
    char32_t min = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, min = 0x80, *code = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, min = 0x800, *code = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, min = 0x10000, *code = lead & 0x07;
    else
        return 0;
    if (bytes.size() - at < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[at + i]);
        if (!IsContinuation(next))
            return 0;
        *code = *code << 6 | (next & 0x3F);
    }
    const bool surrogate = *code >= 0xD800 && *code <= 0xDFFF;
    return *code < min || *code > 0x10FFFF || surrogate ? 0 : length;
}

} // namespace

QString FromNativeName(QByteArrayView bytes) {
    // fromUtf8 drops a leading byte-order mark, which here is part of the name.
    if (bytes.isValidUtf8() && !bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes);
    QString name;
    name.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        char32_t code = byte;
        const int length = byte < 0x80 ? 1 : SequenceAt(bytes, at, &code);
        if (length == 0) {
            name.append(QChar(char16_t(EscapeBase + byte)));
            ++at;
            continue;
        }
        // Unit by unit: fromUcs4 would drop a leading U+FEFF.
        if (QChar::requiresSurrogates(code))
            name.append(QChar(QChar::highSurrogate(code))).append(QChar(QChar::lowSurrogate(code)));
        else
            name.append(QChar(char16_t(code)));
        at += length;
    }
    return name;
}

QByteArray ToNativeName(QStringView name) {
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype from = 0; // the start of the run of ordinary text not yet converted
    for (qsizetype at = 0; at <= name.size(); ++at) {
        if (at < name.size() && !IsEscapeAt(name, at))
            continue;
        bytes += name.sliced(from, at - from).toUtf8();
        if (at < name.size())
            bytes += char(name[at].unicode() - EscapeBase);
        from = at + 1;
    }
    return bytes;
}

QString DisplayName(const QString& name) {
    QString shown = name;
    for (qsizetype at = 0; at < name.size(); ++at)
        if (IsEscapeAt(name, at))
            shown[at] = QChar::ReplacementCharacter;
    return shown;
}

} // namespace sorvane
