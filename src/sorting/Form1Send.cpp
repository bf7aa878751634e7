// Sends to a slot and their undo.
#include "controls/FileList.h"
#include "platform/FileOps.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "sorting/Form1.h"
#include "sorting/SendOperations.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sorvane {

void Form1::Command4_MouseDown(int index, int /*button: every button acts alike*/) {
    Text1->clear();
    if (index < 10)
        SendToSlot(index);
    else if (index == 10)
        RunInOrder([this] { UndoLastSend(); });
}

void Form1::Command4_Click(int /*index*/) {
    if (module_.SuppressNextClick == 1) {
        module_.SuppressNextClick = 0;
        return;
    }
    // Queued like a send: an Enter that follows digit keys undoes their last send.
    RunInOrder([this] { UndoLastSend(); });
}

// Sends and undos run one after another in the order their keys and presses
// arrived. A key that arrives while a send waits for events is queued rather
// than run inside it, so each press takes the file that was first when it
// was its turn, and the files end in the slots in the order pressed.
void Form1::RunInOrder(std::function<void()> action) {
    pending_.push_back(std::move(action));
    if (busy_)
        return;
    busy_ = true;
    while (!pending_.empty()) {
        const std::function<void()> next = std::move(pending_.front());
        pending_.pop_front();
        next();
    }
    busy_ = false;
}

void Form1::SendToSlot(int slot) {
    RunInOrder([this, slot] {
        QPushButton* button = Command4[size_t(slot)];
        QLabel* label = Label1[size_t(slot)];
        TargetFolder = module_.FolderSlots[size_t(slot)];
        button->setEnabled(false);
        const QPalette remembered = label->palette();
        QPalette red = remembered;
        red.setColor(QPalette::Window, QColor(255, 0, 0));
        label->setPalette(red);
        SendFile();
        RefreshPreview();
        button->setEnabled(true);
        label->setPalette(remembered);
        FocusSink->setFocus();
    });
}

void Form1::SendFile() {
    Yield();
    const QString name = File1->name(0);
    SourcePath = SourcePathOf(name);
    DestinationPath = JoinPath(TargetFolder, name);
    Label4->setText(TargetFolder + QStringLiteral("に移動します。"));
    Label4->show();
    if (module_.ConfirmSameName == 1 && !ConfirmSameName(name))
        return;
    const bool keepSource =
        module_.CopyMode == 1 && TargetFolder != module_.FolderSlots[BulkDeleteSlot];
    const SendOutcome outcome =
        name.isEmpty() ? SendOutcome{} : PlaceFile(SourcePath, DestinationPath, keepSource);
    if (outcome.placed) {
        history_.Push({SourcePath, DestinationPath, keepSource});
        EnableUndoButton();
        FocusSink->setFocus();
    }
    RefreshCounts(); // also after a failure, so a file removed by others leaves the list
}

// Asks before replacing a file of exactly that name in the target folder
// (hidden files are never listed there). True to go on with the send.
bool Form1::ConfirmSameName(const QString& name) {
    if (!IsRegularFile(DestinationPath))
        return true;
    File2->setFolder(TargetFolder);
    if (!File2->names().contains(name))
        return true; // only a name differing in case on a file system that folds case
    const Prompt question{QStringLiteral("Sorvane"),
                          QStringLiteral("同名のファイルがあります移動しますか？"),
                          PromptButtons::OkCancel};
    return prompts_.Ask(question) == PromptAnswer::Ok;
}

void Form1::UndoLastSend() {
    if (history_.IsEmpty())
        return;
    TakeBack(history_.Newest()); // a refused undo leaves every file where it is
    RefreshCounts();
    RefreshPreview();
    history_.DropNewest();
    EnableUndoButton();
    FocusSink->setFocus();
}

void Form1::EnableUndoButton() {
    Command4[10]->setEnabled(!history_.IsEmpty());
}

void Form1::RefreshCounts() {
    File1->refresh();
    ShowCounts();
}

} // namespace sorvane
