#include "sorting/SendOperations.h"

#include "platform/FileOps.h"
#include "platform/Paths.h"

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

// Whether the sent file can go back: it is still at its destination, and a
// moved file's old place is free.
FileError RefusalToTakeBack(const UndoHistory::Entry& entry) {
    if (!IsRegularFile(entry.destination))
        return MissingPathError(entry.destination);
    if (!entry.sourceKept && IsRegularFile(entry.source) &&
        !SameFile(entry.source, entry.destination))
        return FileError::NameTaken; // a moved file's old place is taken by another file
    return FileError::None;
}

FileError TakeBackSent(const UndoHistory::Entry& entry) {
    if (const FileError refusal = RefusalToTakeBack(entry); refusal != FileError::None)
        return refusal;
    if (IsRegularFile(entry.source) && !SameFile(entry.source, entry.destination) &&
        !SameContent(entry.source, entry.destination))
        return RemoveFile(entry.destination); // a kept source was edited
    return MoveReplacing(entry.destination, entry.source);
}

// One file back, then the file it replaced.
TakeBackOutcome TakeBackOne(const UndoHistory::Entry& entry) {
    const FileError sent = TakeBackSent(entry);
    if (sent != FileError::None)
        return {sent, FileError::None, {}}; // the replaced file waits where it is
    const FileError replaced = PutBack(entry.replaced);
    return {FileError::None, replaced,
            replaced == FileError::None ? QString() : FileNameOf(entry.replaced.original)};
}

// The first failure of the two outcomes is the one told.
void Keep(TakeBackOutcome& first, const TakeBackOutcome& next) {
    if (first.sent == FileError::None)
        first.sent = next.sent;
    if (first.replaced == FileError::None) {
        first.replaced = next.replaced;
        first.notPutBack = next.notPutBack;
    }
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
    for (const UndoHistory::Entry& companion : entry.companions)
        if (const FileError refusal = RefusalToTakeBack(companion); refusal != FileError::None)
            return {refusal, FileError::None, {}};
    TakeBackOutcome outcome = TakeBackOne(entry);
    if (outcome.sent != FileError::None)
        return outcome;
    for (const UndoHistory::Entry& companion : entry.companions)
        Keep(outcome, TakeBackOne(companion));
    return outcome;
}

GroupOutcome PlaceGroup(const SendPlan& plan, bool keepSource, bool replace) {
    GroupOutcome group;
    static_cast<SendOutcome&>(group) =
        PlaceFile(plan.leader.source, plan.leader.destination, keepSource, replace);
    if (!group.placed)
        return group;
    for (const SendMember& member : plan.companions) {
        SendOutcome outcome = PlaceFile(member.source, member.destination, keepSource, replace);
        if (outcome.placed) {
            group.companions.push_back(outcome);
            continue;
        }
        // Back the way they came, newest first, as an undo takes them.
        for (size_t i = group.companions.size(); i-- > 0;)
            TakeBackOne({plan.companions[i].source,
                         plan.companions[i].destination,
                         keepSource,
                         group.companions[i].replaced,
                         {}});
        TakeBackOne({plan.leader.source, plan.leader.destination, keepSource, group.replaced, {}});
        GroupOutcome failed;
        failed.error = outcome.error;
        return failed;
    }
    return group;
}

bool AnyNameTaken(const SendPlan& plan) {
    if (IsNameTaken(plan.leader.destination))
        return true;
    for (const SendMember& member : plan.companions)
        if (IsNameTaken(member.destination))
            return true;
    return false;
}

UndoHistory::Entry EntryOf(const SendPlan& plan, bool keepSource, const GroupOutcome& outcome) {
    UndoHistory::Entry entry{
        plan.leader.source, plan.leader.destination, keepSource, outcome.replaced, {}};
    for (size_t i = 0; i < plan.companions.size() && i < outcome.companions.size(); ++i)
        entry.companions.push_back({plan.companions[i].source,
                                    plan.companions[i].destination,
                                    keepSource,
                                    outcome.companions[i].replaced,
                                    {}});
    return entry;
}

} // namespace sorvane
