#pragma once

#include <QColor>
#include <QDir>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace sorvane::test {

// Small helpers that make real files for the tests inside temporary folders;
// false when the file could not be written.

inline bool WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The names of the files in a folder, hidden ones too, in name order.
inline QStringList Files(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// The same by the bytes the file system holds, for names that are not UTF-8.
inline bool WriteNativeFile(const QByteArray& path, const QByteArray& content) {
    QFile file;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return fd >= 0 && file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle) &&
           file.write(content) == content.size();
}

inline QList<QByteArray> NativeFiles(const QByteArray& folder) {
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

// Whether two folders are on different file systems (the disk and a tmpfs, say).
inline bool OnSeparateFileSystems(const QString& a, const QString& b) {
    struct stat x, y;
    return ::stat(QFile::encodeName(a), &x) == 0 && ::stat(QFile::encodeName(b), &y) == 0 &&
           x.st_dev != y.st_dev;
}

// A real picture of the given size and format ("JPEG", "BMP", "PNG"),
// filled with a colour and with a white mark in its top left corner, so a
// picture turned or flipped on its way shows.
inline bool WriteImage(const QString& path, QSize size, const char* format,
                       QColor colour = QColor(40, 120, 200)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QPainter(&image).fillRect(QRect({}, (size / 4).expandedTo({1, 1})), Qt::white);
    return QImageWriter(path, format).write(image);
}

} // namespace sorvane::test
