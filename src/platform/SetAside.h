#pragma once

#include "platform/FileError.h"
#include "platform/Trash.h"

#include <QString>

namespace sorvane {

// A file taken away from its name to make room for another, so that an undo
// can bring it back: in the home trash where that lies on the file's file
// system, else under a hidden name of this program beside its old place.
struct SetAsideFile {
    QString original;  // the name it had
    TrashedFile where; // where it is now; where.info empty when kept beside
    bool isEmpty() const { return where.file.isEmpty(); }
};

// Sets aside the file at the path, if there is one (a folder there is
// refused). Nothing is touched on failure.
FileError SetAside(const QString& path, SetAsideFile* aside);

// Puts it back under its old name, never over another file. True when done
// (or when nothing was set aside).
bool PutBack(const SetAsideFile& aside);

// Its undo is gone: a file kept beside is deleted, as a replaced file is; a
// trashed one stays in the trash for the user.
void Release(const SetAsideFile& aside);

} // namespace sorvane
