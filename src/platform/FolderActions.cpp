#include "platform/FolderActions.h"

#include "platform/FileOps.h"
#include "platform/NativeName.h"

#include <QDir>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {
namespace {

QByteArray Native(const QString& path) {
    return ToNativeName(path);
}

} // namespace

QString ResolveFolderText(const QString& text, const QString& base) {
    return QDir::cleanPath(QDir(base).absoluteFilePath(text));
}

FileError MakeFolder(const QString& path) {
    if (::mkdir(Native(path).constData(), 0777) == 0)
        return FileError::None;
    return ErrorFromErrno(errno, path);
}

FileError RemoveEmptyFolder(const QString& path) {
    if (::rmdir(Native(path).constData()) == 0)
        return FileError::None;
    return ErrorFromErrno(errno, path);
}

QString ParentFolder(const QString& path) {
    const int slash = path.lastIndexOf(u'/');
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

} // namespace sorvane
