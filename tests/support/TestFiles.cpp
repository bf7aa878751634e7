#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

namespace sorvane::test {

bool WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QStringList Files(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

namespace {

// Qt reads GIF but cannot write it: a minimal GIF89a writer. Pixels are
// palette index 0 (the colour) or 1 (white); the LZW stream sends literal
// 9-bit codes and a clear code before the table would grow past 9 bits.
QByteArray GifOf(const QImage& image, QColor colour) {
    QByteArray gif("GIF89a");
    auto word = [&gif](int v) {
        gif += char(v & 0xff);
        gif += char((v >> 8) & 0xff);
    };
    word(image.width());
    word(image.height());
    gif += char(0xF7); // global colour table of 256 entries
    gif += char(0);
    gif += char(0);
    for (int i = 0; i < 256; ++i) {
        const QColor c = i == 0 ? colour : QColor(Qt::white);
        gif += char(c.red()), gif += char(c.green()), gif += char(c.blue());
    }
    gif += ',';
    word(0), word(0), word(image.width()), word(image.height());
    gif += char(0);
    gif += char(8); // minimum code size
    QByteArray data;
    quint32 bits = 0;
    int count = 0;
    auto code = [&](int c) {
        bits |= quint32(c) << count;
        for (count += 9; count >= 8; count -= 8, bits >>= 8)
            data += char(bits & 0xff);
    };
    int sinceClear = 0;
    code(256);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (sinceClear == 254) {
                code(256);
                sinceClear = 0;
            }
            code(image.pixel(x, y) == QColor(Qt::white).rgb() ? 1 : 0);
            ++sinceClear;
        }
    code(257);
    if (count > 0)
        data += char(bits & 0xff);
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        gif += char(block.size());
        gif += block;
    }
    gif += char(0);
    gif += ';';
    return gif;
}

} // namespace

bool WriteImage(const QString& path, QSize size, const char* format, QColor colour,
                bool progressive) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QPainter painter(&image); // a mark in one corner so orientation is visible
    painter.fillRect(0, 0, qMax(1, size.width() / 4), qMax(1, size.height() / 4), Qt::white);
    painter.end();
    if (QByteArray(format) == "GIF")
        return WriteFile(path, GifOf(image, colour));
    QImageWriter writer(path, format);
    writer.setProgressiveScanWrite(progressive);
    return writer.write(image);
}

} // namespace sorvane::test
