#include "support/TestFiles.h"

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

bool WriteImage(const QString& path, QSize size, const char* format, QColor colour,
                bool progressive) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    // A mark in one corner, so a picture turned or flipped on its way shows.
    QPainter(&image).fillRect(QRect({}, (size / 4).expandedTo({1, 1})), Qt::white);
    QImageWriter writer(path, format);
    writer.setProgressiveScanWrite(progressive);
    return writer.write(image);
}

} // namespace sorvane::test
