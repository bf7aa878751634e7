#pragma once

#include <QColor>
#include <QSize>
#include <QStringList>

namespace sorvane::test {

// Small helpers that make real files for the tests inside temporary folders;
// false when the file could not be written.

bool WriteFile(const QString& path, const QByteArray& content);
QByteArray ReadFile(const QString& path);

// The names of the files in a folder, hidden ones too, in name order.
QStringList Files(const QString& folder);

// The same by the bytes the file system holds, for names that are not UTF-8.
bool WriteNativeFile(const QByteArray& path, const QByteArray& content);
QList<QByteArray> NativeFiles(const QByteArray& folder);

// A real picture of the given size and format ("JPEG", "BMP", "PNG"),
// filled with a colour; progressive writes a progressive JPEG.
bool WriteImage(const QString& path, QSize size, const char* format,
                QColor colour = QColor(40, 120, 200), bool progressive = false);

} // namespace sorvane::test
