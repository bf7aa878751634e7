#pragma once

#include "platform/FileError.h"
#include "platform/SetAside.h"
#include "sorting/Companions.h"
#include "sorting/UndoHistory.h"

#include <QString>

namespace sorvane {

// The file-system work of a send and its undo; no window involved.

struct SendOutcome {
    bool placed = false; // the file now stands whole at its destination
    FileError error = FileError::None;
    SetAsideFile replaced; // the file that had its name, now in the trash or kept beside
};

// Puts the source file at the destination: a copy when keepSource, otherwise
// a move. The source loses its read-only protection first. A move removes the
// source only once the destination is whole. With replace, a file of that
// name (on a file system that folds case, of a name differing only in case)
// is not overwritten but set aside, once the new one is ready to take its
// place, and comes back if the placing fails; without, the send fails with
// NameTaken instead. Nothing is placed when the destination already is the
// source file itself.
SendOutcome PlaceFile(const QString& source, const QString& destination, bool keepSource,
                      bool replace);

// A send of a file with its companions: the leader's outcome, and each
// companion's in the plan's order.
struct GroupOutcome : SendOutcome {
    std::vector<SendOutcome> companions;
};

// Places every file of the plan as PlaceFile places one, or none: when one
// cannot be placed (a full disk, a name taken without replace, a failed copy
// to another file system) the ones already placed are taken back and the
// files they replaced put back, and the outcome says why. A plan of one file
// is exactly PlaceFile.
GroupOutcome PlaceGroup(const SendPlan& plan, bool keepSource, bool replace);

// Whether the name of any file of the plan is taken at its destination.
bool AnyNameTaken(const SendPlan& plan);

// The history entry of a placed group.
UndoHistory::Entry EntryOf(const SendPlan& plan, bool keepSource, const GroupOutcome& outcome);

struct TakeBackOutcome {
    FileError sent = FileError::None;     // why the sent file did not go back
    FileError replaced = FileError::None; // why the file it replaced did not
    QString notPutBack;                   // the name of that replaced file
};

// Puts a sent file back where it came from, then the file it replaced back
// under its own name. Refuses, touching nothing, when the file is no longer
// at its destination, or when a moved file's old place is now taken by
// another file (the undo would destroy a file it never placed). A copy whose
// kept source was changed since is only removed: the source stays as it is
// now. The replaced file comes back only when it is the very file set aside;
// otherwise it stays where it is. A file sent with companions goes back with
// them, and only when every one of them can: one refused leaves all where
// they are.
TakeBackOutcome TakeBack(const UndoHistory::Entry& entry);

} // namespace sorvane
