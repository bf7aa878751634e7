#include "sorting/SendOperations.h"

#include "platform/FileOps.h"

namespace sorvane {
namespace {

// Runs place() with any file of the destination's name set aside first when
// it may be replaced, and puts that file back when the placing fails.
template <typename Place>
SendOutcome IntoFreeName(const QString& destination, bool replace, Place place) {
    SendOutcome outcome;
    if (replace)
        outcome.error = SetAside(destination, &outcome.replaced);
    if (outcome.error != FileError::None)
        return outcome;
    outcome.error = place();
    outcome.placed = outcome.error == FileError::None;
    if (!outcome.placed && PutBack(outcome.replaced) == FileError::None)
        outcome.replaced = {};
    return outcome;
}

FileError TakeBackSent(const UndoHistory::Entry& entry) {
    if (!IsRegularFile(entry.destination))
        return MissingPathError(entry.destination);
    if (IsRegularFile(entry.source) && !SameFile(entry.source, entry.destination)) {
        if (!entry.sourceKept)
            return FileError::NameTaken; // a moved file's old place is taken by another file
        if (!SameContent(entry.source, entry.destination))
            return RemoveFile(entry.destination); // the source was edited
    }
    return MoveReplacing(entry.destination, entry.source);
}

} // namespace

SendOutcome PlaceFile(const QString& source, const QString& destination, bool keepSource,
                      bool replace) {
    if (!IsRegularFile(source))
        return {false, MissingPathError(source), {}};
    if (SameFile(source, destination))
        return {}; // already there (the same file, or a hard link of it): nothing placed
    const FileError writable = MakeWritable(source);
    if (writable != FileError::None)
        return {false, writable, {}};
    if (!keepSource) {
        SendOutcome moved = IntoFreeName(destination, replace,
                                         [&] { return RenameNoReplace(source, destination); });
        if (moved.error != FileError::CrossDevice)
            return moved;
    }
    StagedFile copy; // whole before anything of that name is set aside
    const FileError staged = StageCopy(source, destination, copy);
    if (staged != FileError::None)
        return {false, staged, {}};
    SendOutcome outcome =
        IntoFreeName(destination, replace, [&] { return copy.place(destination, false); });
    if (outcome.placed && !keepSource) // placed even if its old copy cannot be removed
        outcome.error = RemoveFile(source);
    return outcome;
}

TakeBackOutcome TakeBack(const UndoHistory::Entry& entry) {
    const FileError sent = TakeBackSent(entry);
    if (sent != FileError::None)
        return {sent, FileError::None}; // the replaced file waits where it is
    return {FileError::None, PutBack(entry.replaced)};
}

} // namespace sorvane
