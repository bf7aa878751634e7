#include "sorting/SortingRun.h"

#include "platform/FileOps.h"
#include "platform/OwnFiles.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "settings/Module1.h"
#include "sorting/FailureText.h"

#include <QCoreApplication>

namespace sorvane {
namespace {

// The send under way.
struct Send {
    QString TargetFolder;
    QString SourcePath;
    QString DestinationPath;
};

} // namespace

SortingRun::SortingRun(Module1& module, Prompts& prompts, Window& window)
    : module_(module), prompts_(prompts), window_(window) {}

void SortingRun::send(int slot) {
    order_.run([this, slot] {
        window_.sendStarting(slot);
        sendFile(slot);
        window_.sendFinished(slot);
    });
}

void SortingRun::undo() {
    order_.run([this] { undoLastSend(); });
}

void SortingRun::sendFile(int slot) {
    Send send;
    send.TargetFolder = module_.FolderSlots[size_t(slot)];
    window_.letEventsIn();
    const QString name = window_.firstName();
    send.SourcePath = JoinPath(window_.listFolder(), name);
    send.DestinationPath = JoinPath(send.TargetFolder, name);
    window_.sendingTo(send.TargetFolder);
    tidy(window_.listFolder()); // an undo copies into it
    tidy(send.TargetFolder);
    // Copy mode keeps the source, except into the bulk-delete folder, which
    // is meant to take files away.
    const bool keepSource =
        module_.CopyMode == 1 && send.TargetFolder != module_.FolderSlots[BulkDeleteSlot];
    const SendPlan plan =
        PlanSend({send.SourcePath, send.DestinationPath}, module_.Extras.sendCompanions);
    const GroupOutcome outcome = name.isEmpty() ? GroupOutcome{} : place(plan, keepSource);
    if (outcome.placed) { // only a placed file can be taken back
        history_.push(EntryOf(plan, keepSource, outcome));
        window_.historyChanged();
        const JournalAction action = keepSource ? JournalAction::Copy : JournalAction::Move;
        record({action, send.SourcePath, send.DestinationPath, slot, outcome.replaced});
        for (size_t i = 0; i < outcome.companions.size(); ++i) // one record a file
            record({action, plan.companions[i].source, plan.companions[i].destination, slot,
                    outcome.companions[i].replaced});
        reportKeptBeside(outcome.replaced);
        for (const SendOutcome& companion : outcome.companions)
            reportKeptBeside(companion.replaced);
    } else if (outcome.error != FileError::None) {
        window_.reportFailure(SendFailedText(send.TargetFolder, keepSource, outcome.error));
    }
    window_.listChanged(); // also after a failure, so a file removed by others leaves the list
}

// Places the file (with its companions), asking once before it replaces any
// file when the question is on. The file system says whether a name is
// taken: on one that folds case, "IMG_0001.JPG" takes "IMG_0001.jpg". A name
// taken only after the question was passed by is asked about all the same.
GroupOutcome SortingRun::place(const SendPlan& plan, bool keepSource) {
    const bool ask = module_.ConfirmSameName == 1;
    if (ask && AnyNameTaken(plan))
        return confirmSameName() ? PlaceGroup(plan, keepSource, true) : GroupOutcome{};
    GroupOutcome outcome = PlaceGroup(plan, keepSource, !ask);
    if (ask && outcome.error == FileError::NameTaken && AnyNameTaken(plan))
        outcome = confirmSameName() ? PlaceGroup(plan, keepSource, true) : GroupOutcome{};
    return outcome;
}

bool SortingRun::confirmSameName() {
    const Prompt question{QStringLiteral("Sorvane"), SameNameQuestionText(),
                          PromptButtons::OkCancel};
    return prompts_.ask(question) == PromptAnswer::Ok;
}

// A replaced file that no trash could take stays beside under another name:
// the user must know where.
void SortingRun::reportKeptBeside(const SetAsideFile& replaced) {
    if (replaced.keptBeside())
        window_.reportFailure(
            KeptBesideText(FileNameOf(replaced.original), FileNameOf(replaced.where.file)));
}

// What a killed run of this program left in a folder goes when a send next
// goes there or takes a file from there; each folder is looked through once
// a run of the program.
void SortingRun::tidy(const QString& folder) {
    if (!tidied_.contains(folder)) {
        RemoveStaleOwnFiles(folder);
        tidied_.insert(folder);
    }
}

void SortingRun::forgetSendsTo(const QStringList& destinations) {
    history_.dropSentTo(destinations);
    window_.historyChanged();
}

void SortingRun::tidySource() {
    tidy(window_.listFolder());
}

// A refused undo leaves every file where it is and keeps its entry, with the
// file the send replaced, for another try.
void SortingRun::undoLastSend() {
    if (history_.isEmpty())
        return;
    const UndoHistory::Entry& entry = history_.newest();
    tidy(entry.source.left(entry.source.lastIndexOf(u'/'))); // the undo may copy into it
    const TakeBackOutcome outcome = TakeBack(entry);
    if (outcome.sent != FileError::None) {
        window_.reportFailure(UndoFailedText(outcome.sent));
    } else {
        record({JournalAction::Undo, entry.destination, entry.source, -1, {}});
        for (const UndoHistory::Entry& companion : entry.companions)
            record({JournalAction::Undo, companion.destination, companion.source, -1, {}});
        if (outcome.replaced != FileError::None) // said after the journal's word: it matters more
            window_.reportFailure(NotPutBackText(outcome.notPutBack, outcome.replaced));
        history_.dropNewest();
    }
    window_.listChanged();
    window_.undoFinished();
}

// Recorded once the file stands at its new place, so the record never runs
// ahead of the disk; a record that cannot be written leaves the send as done.
void SortingRun::record(JournalEvent event) {
    if (!recorder_)
        return;
    IdentityOf(event.destination, &event.identity);
    if (!recorder_->record(event))
        window_.reportFailure(JournalFailedText());
}

} // namespace sorvane
