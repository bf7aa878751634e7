#include "support/TestFiles.h"

#include <QDataStream>
#include <QDir>
#include <QImageWriter>
#include <QPainter>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace sorvane::test {

bool WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Files(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

bool WriteNativeFile(const QByteArray& path, const QByteArray& content) {
    QFile file;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return fd >= 0 && file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle) &&
           file.write(content) == content.size();
}

QList<QByteArray> NativeFiles(const QByteArray& folder) {
    QList<QByteArray> names;
    if (DIR* dir = ::opendir(folder.constData())) {
        while (const dirent* entry = ::readdir(dir))
            if (entry->d_type == DT_REG)
                names.append(entry->d_name);
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Qt reads GIF but cannot write it: a minimal GIF89a writer for pictures of
// the colour and white, at most 126 pixels wide. Pixels are index 0 or 1 of a
// 128-entry palette, so every LZW code is one byte; a clear code (128) starts
// each row's data block, before the code table could grow past 8 bits.
static QByteArray GifOf(const QImage& image, QColor colour) {
    const quint16 width = image.width(), height = image.height();
    QByteArray gif("GIF89a");
    QDataStream out(&gif, QIODevice::Append);
    out.setByteOrder(QDataStream::LittleEndian);
    out << width << height << quint8(0x86) << quint16(0) << quint8(colour.red())
        << quint8(colour.green()) << quint8(colour.blue());
    out.writeRawData(QByteArray(127 * 3, '\xff').constData(), 127 * 3);
    // The picture's place, then 7-bit pixels: 8-bit codes.
    out << quint8(',') << quint32(0) << width << height << quint16(0x0700);
    for (int y = 0; y < height; ++y) {
        out << quint8(width + 1) << quint8(128);
        for (int x = 0; x < width; ++x)
            out << quint8(image.pixel(x, y) == QColor(Qt::white).rgb());
    }
    out << quint8(1) << quint8(129) << quint8(0) << quint8(';'); // end code, no more data, end
    return gif;
}

bool WriteImage(const QString& path, QSize size, const char* format, QColor colour,
                bool progressive) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    // A mark in one corner, so a picture turned or flipped on its way shows.
    QPainter(&image).fillRect(QRect({}, (size / 4).expandedTo({1, 1})), Qt::white);
    if (QByteArray(format) == "GIF")
        return WriteFile(path, GifOf(image, colour));
    QImageWriter writer(path, format);
    writer.setProgressiveScanWrite(progressive);
    return writer.write(image);
}

} // namespace sorvane::test
