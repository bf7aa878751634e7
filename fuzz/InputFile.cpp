#include "InputFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace sorvane::fuzz {

namespace {

// In memory where the system offers it: one file is written for every run.
QString FolderTemplate() {
    const QString memory = QStringLiteral("/dev/shm");
    const QString base = QFileInfo(memory).isWritable() ? memory : QDir::tempPath();
    return base + QStringLiteral("/sorvane-fuzz-XXXXXX");
}

} // namespace

QString WriteInputFile(const char* name, const std::uint8_t* data, std::size_t size) {
    static const QTemporaryDir folder(FolderTemplate());
    const QString path = folder.filePath(QString::fromLatin1(name));
    QFile file(path);
    // A fuzzer that cannot write its input would report nothing but pass:
    // stop instead.
    if (!folder.isValid() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size)) {
        std::fprintf(stderr, "fuzz: cannot write %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

} // namespace sorvane::fuzz
