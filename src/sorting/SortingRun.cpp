#include "sorting/SortingRun.h"

#include "platform/FileOps.h"
#include "platform/OwnFiles.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "settings/Module1.h"
#include "sorting/FailureText.h"
#include "sorting/SendOperations.h"

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
    tidy(send.TargetFolder);
    if (module_.ConfirmSameName == 1 &&
        !confirmSameName(send.TargetFolder, name, send.DestinationPath))
        return;
    // Copy mode keeps the source, except into the bulk-delete folder, which
    // is meant to take files away.
    const bool keepSource =
        module_.CopyMode == 1 && send.TargetFolder != module_.FolderSlots[BulkDeleteSlot];
    const SendOutcome outcome = name.isEmpty()
                                    ? SendOutcome{}
                                    : PlaceFile(send.SourcePath, send.DestinationPath, keepSource);
    if (outcome.placed) { // only a placed file can be taken back
        history_.push({send.SourcePath, send.DestinationPath, keepSource, outcome.replaced});
        window_.historyChanged();
    } else if (outcome.error != FileError::None) {
        window_.reportFailure(SendFailedText(send.TargetFolder, keepSource, outcome.error));
    }
    window_.listChanged(); // also after a failure, so a file removed by others leaves the list
}

// Asks before replacing a file of exactly that name in the target folder
// (hidden files are never listed there). True to go on with the send.
bool SortingRun::confirmSameName(const QString& targetFolder, const QString& name,
                                 const QString& destination) {
    if (!IsRegularFile(destination))
        return true;
    if (!ListFiles(targetFolder).contains(name))
        return true; // only a name differing in case on a file system that folds case
    const Prompt question{QStringLiteral("Sorvane"),
                          QStringLiteral("同名のファイルがあります移動しますか？"),
                          PromptButtons::OkCancel};
    return prompts_.ask(question) == PromptAnswer::Ok;
}

// What a killed run of this program left in a folder goes when a send next
// goes there; each folder is looked through once a run of the program.
void SortingRun::tidy(const QString& folder) {
    if (!tidied_.contains(folder)) {
        RemoveStaleOwnFiles(folder);
        tidied_.insert(folder);
    }
}

void SortingRun::undoLastSend() {
    if (history_.isEmpty())
        return;
    // A refused undo leaves every file where it is.
    const FileError error = TakeBack(history_.newest());
    if (error != FileError::None)
        window_.reportFailure(UndoFailedText(error));
    window_.listChanged();
    history_.dropNewest();
    window_.undoFinished();
}

} // namespace sorvane
