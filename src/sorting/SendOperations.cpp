#include "sorting/SendOperations.h"

#include "platform/FileOps.h"

namespace sorvane {

SendOutcome PlaceFile(const QString& source, const QString& destination, bool keepSource) {
    if (!IsRegularFile(source))
        return {false, MissingPathError(source)};
    if (SameFile(source, destination))
        return {}; // already there (the same file, or a hard link of it): nothing placed
    const FileError writable = MakeWritable(source);
    if (writable != FileError::None)
        return {false, writable};
    if (keepSource) {
        const FileError copied = CopyReplacing(source, destination);
        return {copied == FileError::None, copied};
    }
    const FileError renamed = RenameReplacing(source, destination);
    if (renamed != FileError::CrossDevice)
        return {renamed == FileError::None, renamed};
    const FileError copied = CopyReplacing(source, destination);
    if (copied != FileError::None)
        return {false, copied};
    // The file is placed even if its old copy cannot be removed.
    return {true, RemoveFile(source)};
}

bool TakeBack(const UndoHistory::Entry& entry) {
    if (!IsRegularFile(entry.destination))
        return false;
    if (!entry.sourceKept && IsRegularFile(entry.source) &&
        !SameFile(entry.source, entry.destination))
        return false;
    return MoveReplacing(entry.destination, entry.source) == FileError::None;
}

} // namespace sorvane
