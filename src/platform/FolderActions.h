#pragma once

#include "platform/FileError.h"

#include <QString>

namespace sorvane {

// Folder work of the folder setup window: making and removing one folder,
// and emptying the bulk-delete folder. Paths are absolute and clean.

// The absolute, clean path a typed folder text names; a relative text is
// taken against base (the folder the window shows).
QString ResolveFolderText(const QString& text, const QString& base);

// Makes exactly one folder: its parent must already exist, and nothing may
// exist under the name yet.
FileError MakeFolder(const QString& path);

// Removes one empty folder. Access when it is not empty or the removal is
// refused; nothing inside a folder is ever deleted.
FileError RemoveEmptyFolder(const QString& path);

// The folder containing path: "/a/b" gives "/a", "/a" gives "/".
QString ParentFolder(const QString& path);

// Why a folder must not be emptied by the bulk delete. The slots start out
// as "/" and a vanished slot folder falls back to "/", so one habitual OK
// must never empty the root, the home folder or the program's own folder.
enum class BulkDeleteRefusal {
    None,
    NotSet,        // the slot is empty
    Root,          // the file-system root, by any name
    Home,          // the user's home folder, by any name
    ProgramFolder, // the folder holding the program and its settings
    NotAFolder,    // missing, not a folder, or a symbolic link to one
};

BulkDeleteRefusal CheckBulkDeleteFolder(const QString& folder, const QString& home,
                                        const QString& programFolder);

// Deletes the folder's own regular files and symbolic links (a link is
// removed as a link; what it points to is untouched). Hidden names,
// sub-folders and special files stay, and no permission is changed. The
// folder is opened once and every name is removed relative to it, so a folder
// replaced by a link meanwhile cannot redirect the deletion.
// Returns how many files could not be deleted, or -1 when the folder cannot
// be opened (nothing is deleted then).
int DeleteFolderFiles(const QString& folder);

} // namespace sorvane
