#pragma once

#include "platform/FileError.h"
#include "platform/Trash.h"

#include <QString>

namespace sorvane {

// A file taken away from its name to make room for another, so that an undo
// can bring it back: in the trash of its file system, or where no trash can
// take it, beside its old place under a free name like "a (1).jpg". It is
// never deleted: a file kept beside stays there for the user.
struct SetAsideFile {
    QString original;  // its own name, as its folder spells it
    TrashedFile where; // where it is now; where.info empty when kept beside
    bool isEmpty() const { return where.file.isEmpty(); }
    bool keptBeside() const { return !isEmpty() && where.info.isEmpty(); }
};

// Sets aside the file at the path, if there is one (a folder there is
// refused). On a file system that folds case the file found may spell its
// name otherwise; it keeps its own name. Nothing is touched on failure.
FileError SetAside(const QString& path, SetAsideFile* aside);

// Puts the very file back under its own name, never over another file:
// NotTheSame when another file now stands where it was kept. None when done
// (or when nothing was set aside).
FileError PutBack(const SetAsideFile& aside);

} // namespace sorvane
