#pragma once

#include "platform/FileError.h"
#include "sorting/UndoHistory.h"

#include <QString>

namespace sorvane {

// The file-system half of a send and its undo; no window involved.

struct SendOutcome {
    bool placed = false; // the file now stands whole at its destination
    FileError error = FileError::None;
};

// Puts the source file at the destination, replacing a file of that name:
// a copy when keepSource, otherwise a move. The source loses its read-only
// protection first. A move removes the source only once the destination is whole.
// Nothing is placed when the destination already is the source file itself.
SendOutcome PlaceFile(const QString& source, const QString& destination, bool keepSource);

// Puts a sent file back where it came from. Refuses, touching nothing, when
// the file is no longer at its destination, or when a moved file's old place
// is now taken by another file (the undo would destroy a file it never placed).
bool TakeBack(const UndoHistory::Entry& entry);

} // namespace sorvane
