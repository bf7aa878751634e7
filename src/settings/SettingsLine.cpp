#include "settings/SettingsLine.h"

#include "platform/NativeName.h"

#include <cmath>
#include <functional>
#include <optional>

namespace sorvane {
namespace {

// Fields 1-14 are text: the source folder, the eleven slots, width and height.
template <typename Record> auto TextField(Record& s, int index) -> decltype(&s.SourceFolder) {
    if (index == 0)
        return &s.SourceFolder;
    if (index <= SlotCount)
        return &s.FolderSlots[size_t(index - 1)];
    return index == 12 ? &s.WindowWidth : &s.WindowHeight;
}

// Fields 15-25 are 16-bit numbers.
template <typename Record> auto NumberField(Record& s, int index) -> decltype(&s.WindowTop) {
    decltype(&s.WindowTop) fields[] = {&s.RememberWindowSize,  &s.RememberSourceFolder,
                                       &s.SlideshowRepeat,     &s.SlideshowSeconds,
                                       &s.LaunchByAssociation, &s.ExtendMode,
                                       &s.VerticalButtons,     &s.CopyMode,
                                       &s.ConfirmSameName,     &s.WindowTop,
                                       &s.WindowLeft};
    return fields[index - 14];
}

constexpr int TextFieldCount = 14;

// The nearest folder on the path the file can hold: a folder whose name
// holds a double quote cannot be remembered, so its first ancestor without
// one stands in for it ("/" at the latest).
QString HoldablePath(const QString& path) {
    if (SettingsCanHold(path))
        return path;
    const qsizetype quote = path.indexOf(u'"');
    const qsizetype slash = path.lastIndexOf(u'/', quote);
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

// The window sizes are numbers kept as text: what follows a double quote
// cannot be held and is read back as nothing anyway, so it is not written.
QString HoldableText(const QString& text) {
    return text.left(text.indexOf(u'"'));
}

// Splits the text into fields the way the file is read: a field that starts
// with a double quote runs to the next double quote, any other to the next
// comma or line end with surrounding blanks dropped.
class FieldReader {
public:
    explicit FieldReader(const QByteArray& text) : text_(text) {}

    std::optional<QByteArray> Next() {
        SkipBlanks();
        if (pos_ >= text_.size())
            return std::nullopt;
        QByteArray field;
        if (text_[pos_] == '"') {
            const qsizetype close = text_.indexOf('"', pos_ + 1);
            const qsizetype end = close < 0 ? text_.size() : close;
            field = text_.mid(pos_ + 1, end - pos_ - 1);
            pos_ = close < 0 ? end : close + 1;
            SkipToDelimiter();
        } else {
            const qsizetype start = pos_;
            while (pos_ < text_.size() && !IsDelimiter(text_[pos_]))
                ++pos_;
            field = text_.mid(start, pos_ - start).trimmed();
        }
        ConsumeDelimiter();
        return field;
    }

private:
    static bool IsDelimiter(char c) { return c == ',' || c == '\r' || c == '\n'; }

    void SkipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
            ++pos_;
    }

    void SkipToDelimiter() {
        while (pos_ < text_.size() && !IsDelimiter(text_[pos_]))
            ++pos_;
    }

    void ConsumeDelimiter() {
        if (pos_ >= text_.size())
            return;
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n')
            ++pos_;
        ++pos_;
    }

    const QByteArray& text_;
    qsizetype pos_ = 0;
};

// A 16-bit number as the file holds it: blank reads as 0, fractions are
// rounded half to even, anything else or out of range is refused.
std::optional<std::int16_t> Int16OrRefused(const QByteArray& field) {
    if (field.isEmpty())
        return 0;
    bool ok = false;
    const double value = field.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

} // namespace

QByteArray FormatSettingsLine(const Module1& settings) {
    QByteArray line;
    for (int i = 0; i < SettingsFieldCount; ++i) {
        if (i > 0)
            line += ',';
        if (i <= SlotCount)
            line += '"' + ToNativeName(HoldablePath(*TextField(settings, i))) + '"';
        else if (i < TextFieldCount)
            line += '"' + ToNativeName(HoldableText(*TextField(settings, i))) + '"';
        else
            line += QByteArray::number(*NumberField(settings, i));
    }
    return line + "\r\n";
}

ParseOutcome ParseSettings(const QByteArray& text, Module1& settings) {
    FieldReader reader(text);
    for (int i = 0; i < SettingsFieldCount; ++i) {
        const std::optional<QByteArray> field = reader.Next();
        if (!field)
            return ParseOutcome::TooFewFields;
        if (i < TextFieldCount) {
            *TextField(settings, i) = FromNativeName(*field);
            continue;
        }
        const std::optional<std::int16_t> number = Int16OrRefused(*field);
        if (!number)
            return ParseOutcome::BadNumber;
        *NumberField(settings, i) = *number;
    }
    return ParseOutcome::Complete;
}

bool SettingsCanHold(const QString& text) {
    return !text.contains(u'"');
}

} // namespace sorvane
