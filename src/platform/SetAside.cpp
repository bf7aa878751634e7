#include "platform/SetAside.h"

#include "platform/FileOps.h"
#include "platform/OwnFiles.h"

#include <sys/stat.h>

namespace sorvane {

FileError SetAside(const QString& path, SetAsideFile* aside) {
    *aside = {};
    struct stat st;
    if (::lstat(NativePath(path).constData(), &st) != 0)
        return FileError::None; // nothing there
    if (S_ISDIR(st.st_mode))
        return FileError::Access;
    TrashedFile trashed;
    if (MoveToTrash(path, &trashed)) {
        *aside = {path, trashed};
        return FileError::None;
    }
    const QString kept = NewOwnFileName(path.left(path.lastIndexOf(u'/')), OwnFile::Kept);
    const FileError moved = RenameNoReplace(path, kept);
    if (moved == FileError::None)
        *aside = {path, {kept, {}}};
    return moved;
}

bool PutBack(const SetAsideFile& aside) {
    if (aside.isEmpty())
        return true;
    if (!aside.where.info.isEmpty())
        return RestoreFromTrash(aside.where, aside.original);
    return RenameNoReplace(aside.where.file, aside.original) == FileError::None;
}

void Release(const SetAsideFile& aside) {
    if (!aside.isEmpty() && aside.where.info.isEmpty())
        RemoveFile(aside.where.file);
}

} // namespace sorvane
