#pragma once

#include <QString>

namespace sorvane {

// The hidden files this program leaves in the user's folders for a while:
// copies being written where the file system has no unnamed files, and
// replaced files kept beside their old place for an undo. Their names are
// short, so that a file of any name can be staged beside them, and carry the
// writing process's id, so that what a killed process left is known as such.

enum class OwnFile {
    Temporary, // ".sorvane-tmp-<pid>-<n>": a copy or a write not yet placed
    Kept,      // ".sorvane-kept-<pid>-<n>": a replaced file kept for an undo
};

// A name of that kind, new in this process, in the folder.
QString NewOwnFileName(const QString& folder, OwnFile kind);

// Removes the regular files of those names, and the ".sorvane-copy-<pid>-"
// copies of earlier versions, whose process no longer runs. Returns how many.
int RemoveStaleOwnFiles(const QString& folder);

} // namespace sorvane
