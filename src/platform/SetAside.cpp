#include "platform/SetAside.h"

#include "platform/FileOps.h"
#include "platform/NativeName.h"
#include "platform/Paths.h"

#include <dirent.h>
#include <sys/stat.h>

namespace sorvane {
namespace {

// The path as its folder spells the name: a lookup on a file system that
// folds case finds "IMG_0001.JPG" under "IMG_0001.jpg".
QString SpelledAsStored(const QString& path) {
    const QString name = FileNameOf(path);
    DIR* dir = ::opendir(NativePath(ParentFolder(path)).constData());
    if (!dir)
        return path;
    const QByteArray exact = NativePath(name);
    QStringList alike;
    while (const dirent* entry = ::readdir(dir)) {
        if (exact == entry->d_name) {
            alike = {name};
            break;
        }
        const QString other = FromNativeName(entry->d_name);
        if (other.compare(name, Qt::CaseInsensitive) == 0)
            alike.append(other);
    }
    ::closedir(dir);
    return alike.size() == 1 ? path.chopped(name.size()) + alike.front() : path;
}

// The n-th name beside the file for keeping it: "a (1).jpg", "a (2).jpg", ...
QString KeptName(const QString& path, int n) {
    const int slash = path.lastIndexOf(u'/');
    const int dot = path.lastIndexOf(u'.');
    const int cut = dot > slash + 1 ? dot : int(path.size());
    return path.left(cut) + QStringLiteral(" (%1)").arg(n) + path.mid(cut);
}

FileError KeepBeside(const QString& path, SetAsideFile* aside) {
    for (int n = 1; n < 1000; ++n) {
        const QString kept = KeptName(path, n);
        const FileError moved = RenameNoReplace(path, kept);
        if (moved == FileError::None) {
            *aside = {path, {kept, {}, {}, {}}};
            IdentityOf(kept, &aside->where.identity);
        }
        if (moved != FileError::NameTaken)
            return moved;
    }
    return FileError::NameTaken;
}

} // namespace

FileError SetAside(const QString& path, SetAsideFile* aside) {
    *aside = {};
    struct stat st;
    if (::lstat(NativePath(path).constData(), &st) != 0)
        return FileError::None; // nothing there
    if (S_ISDIR(st.st_mode))
        return FileError::Access;
    const QString own = SpelledAsStored(path);
    TrashedFile trashed;
    if (MoveToTrash(own, &trashed)) {
        *aside = {own, trashed};
        return FileError::None;
    }
    return KeepBeside(own, aside);
}

FileError PutBack(const SetAsideFile& aside) {
    if (aside.isEmpty())
        return FileError::None;
    if (!aside.keptBeside())
        return RestoreFromTrash(aside.where, aside.original);
    FileIdentity now;
    if (!IdentityOf(aside.where.file, &now) || !(now == aside.where.identity))
        return FileError::NotTheSame;
    return RenameNoReplace(aside.where.file, aside.original);
}

} // namespace sorvane
