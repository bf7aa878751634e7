#pragma once

#include "platform/FileError.h"
#include "platform/FileOps.h"

#include <QByteArray>
#include <QString>

namespace sorvane {

// The desktop's trash, so that a file manager can restore what this program
// puts there: the user's home trash ($XDG_DATA_HOME/Trash) for files on its
// file system, and for files on any other volume (a card, a USB disk) that
// volume's own trash, $topdir/.Trash/$uid where the volume has a shared
// .Trash folder with the sticky bit, else $topdir/.Trash-$uid. A trash holds
// the file under files/ and an info/<name>.trashinfo entry saying where it
// came from and when. Files only ever go there by a rename.

struct TrashedFile {
    QString file;          // the file in the trash
    QString info;          // its .trashinfo entry
    QByteArray infoText;   // what that entry says
    FileIdentity identity; // the file as it went in
};

// The home trash folder.
QString HomeTrash();

// The trash a file at the path goes to, made when missing; empty when there
// can be none (the file's volume takes no folder of it).
QString TrashFor(const QString& path);

// Moves the file into its trash. False, touching nothing, when no trash
// on its file system can take it.
bool MoveToTrash(const QString& path, TrashedFile* trashed);

// The same for a name in an open folder, renamed from that folder itself: a
// folder renamed or replaced on the way since it was opened cannot send
// another folder's file there.
bool MoveToTrashAt(int folderFd, const QByteArray& name, TrashedFile* trashed);

// Takes the very file that was trashed back to the path, never over another
// file: NotTheSame, touching nothing, when the trash now holds another file
// under its name (the trash was emptied and something else trashed since).
FileError RestoreFromTrash(const TrashedFile& trashed, const QString& path);

// Removes the entries of the trash that a killed move or restore of this
// program left without their file. Returns how many.
int ClearStaleClaims(const QString& trash);

} // namespace sorvane
