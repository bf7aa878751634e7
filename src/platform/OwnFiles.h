#pragma once

#include <QString>

namespace sorvane {

// The hidden files this program leaves in folders for a while: copies being
// written where the file system has no unnamed files, and notes of a trash
// entry being made or taken back. Their names are short, so that a file of
// any name can be staged beside them, and carry the writing process's id, so
// that what a killed process left is known as such.

enum class OwnFile {
    Temporary, // ".sorvane-tmp-<pid>-<n>": a copy or a write not yet placed
    Claim,     // ".sorvane-claim-<pid>-<n>": a trash entry being made or restored
};

// A name of that kind, new in this process, in the folder.
QString NewOwnFileName(const QString& folder, OwnFile kind);

// True when the name is one of that kind whose process no longer runs.
bool IsStaleOwnFile(const char* name, OwnFile kind);

// Removes the regular files of temporary names, and the ".sorvane-copy-<pid>-"
// copies of earlier versions, whose process no longer runs. Returns how many.
// Files earlier versions kept for an undo (".sorvane-kept-") are the user's
// pictures and stay.
int RemoveStaleOwnFiles(const QString& folder);

} // namespace sorvane
