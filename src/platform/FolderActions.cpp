#include "platform/FolderActions.h"

#include "platform/NativeName.h"
#include "platform/Paths.h"

#include <QDir>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {
namespace {

QByteArray Native(const QString& path) {
    return ToNativeName(path);
}

// The last name of a typed text, trailing slashes aside: "a/b/" gives "b".
QString LastName(const QString& text) {
    QString name = text;
    while (name.size() > 1 && name.endsWith(u'/'))
        name.chop(1);
    return FileNameOf(name);
}

MakeFolderResult MakeFailure(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return MakeFolderResult::ParentMissing;
    case EEXIST:
        return MakeFolderResult::AlreadyExists;
    case ENAMETOOLONG:
        return MakeFolderResult::NameTooLong;
    case EINVAL:
    case EILSEQ:
        return MakeFolderResult::InvalidName;
    case EACCES:
    case EPERM:
    case EROFS:
        return MakeFolderResult::NotWritable;
    case ENOSPC:
    case EDQUOT:
        return MakeFolderResult::DiskFull;
    default:
        return MakeFolderResult::Other;
    }
}

// What keeps a folder from being removed when the system calls it not
// empty: a sub-folder the list shows, else a file it shows, else only the
// hidden names nobody sees.
RemoveFolderResult WhatIsInside(const QString& path) {
    DIR* dir = ::opendir(Native(path).constData());
    if (!dir)
        return RemoveFolderResult::Other;
    bool visibleFile = false, visibleFolder = false;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue; // hidden, and the "." and ".." entries
        struct stat st;
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISDIR(st.st_mode))
            visibleFolder = true;
        else
            visibleFile = true;
    }
    ::closedir(dir);
    return visibleFolder ? RemoveFolderResult::HoldsFolders
           : visibleFile ? RemoveFolderResult::HoldsFiles
                         : RemoveFolderResult::HoldsHidden;
}

RemoveFolderResult RemoveFailure(int error, const QString& path) {
    switch (error) {
    case ENOTEMPTY:
    case EEXIST:
        return WhatIsInside(path);
    case EBUSY: // Linux refuses to remove a folder something is mounted on
        return RemoveFolderResult::MountPoint;
    case EACCES:
    case EPERM:
    case EROFS:
        return RemoveFolderResult::NotWritable;
    case ENOENT:
    case ENOTDIR:
        return RemoveFolderResult::Missing;
    default:
        return RemoveFolderResult::Other;
    }
}

bool IsRoot(const QString& path) {
    struct stat folder, root;
    return ::stat(Native(path).constData(), &folder) == 0 && ::stat("/", &root) == 0 &&
           folder.st_dev == root.st_dev && folder.st_ino == root.st_ino;
}

} // namespace

QString ResolveFolderText(const QString& text, const QString& base) {
    return QDir::cleanPath(QDir(base).absoluteFilePath(text));
}

MakeFolderResult MakeFolder(const QString& text, const QString& base) {
    if (text.trimmed().isEmpty())
        return MakeFolderResult::NoName;
    // Cleaning the path would turn these into the folder itself or its parent.
    if (const QString name = LastName(text); name == u"." || name == u"..")
        return MakeFolderResult::DotName;
    if (::mkdir(Native(ResolveFolderText(text, base)).constData(), 0777) == 0)
        return MakeFolderResult::Made;
    return MakeFailure(errno);
}

RemoveFolderResult RemoveEmptyFolder(const QString& path) {
    if (IsRoot(path))
        return RemoveFolderResult::Root;
    if (::rmdir(Native(path).constData()) == 0)
        return RemoveFolderResult::Removed;
    return RemoveFailure(errno, path);
}

} // namespace sorvane
