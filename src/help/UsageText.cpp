#include "help/UsageText.h"

#include <QFile>
#include <QStringDecoder>

namespace sorvane {
namespace {

QString Decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder shiftJis("Shift_JIS");
    return shiftJis.isValid() ? QString(shiftJis.decode(bytes)) : text;
}

} // namespace

std::optional<QString> ReadUsageText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt; // a folder opens, but cannot be read
    QString text = Decode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast(); // the last line's own terminator, or an empty file
    QString shown;
    for (const QString& line : std::as_const(lines))
        shown += line + QStringLiteral("\r\n");
    return shown;
}

} // namespace sorvane
