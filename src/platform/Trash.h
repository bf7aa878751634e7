#pragma once

#include <QString>

namespace sorvane {

// The user's home trash as the desktop keeps it ($XDG_DATA_HOME/Trash, with
// the file under files/ and an info/<name>.trashinfo entry saying where it
// came from and when), so that a file manager can restore what this program
// puts there. Files only ever go there by a rename: a file on another file
// system stays where it is.

struct TrashedFile {
    QString file; // the file in the trash
    QString info; // its .trashinfo entry
};

// The home trash folder.
QString HomeTrash();

// Moves the file into the home trash. False, touching nothing, when the trash
// cannot be made or is on another file system.
bool MoveToTrash(const QString& path, TrashedFile* trashed);

// Takes a trashed file back to the path, never over another file.
bool RestoreFromTrash(const TrashedFile& trashed, const QString& path);

} // namespace sorvane
