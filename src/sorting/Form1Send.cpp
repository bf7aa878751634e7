// Sends to a slot and their undo: the presses that ask for them, and what
// the window shows while the sorting run does the work.
#include "controls/FileList.h"
#include "platform/NativeName.h"
#include "sorting/FailureText.h"
#include "sorting/Form1.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sorvane {

void Form1::Command4_MouseDown(int index, int /*button: every button acts alike*/) {
    Text1->clear();
    if (index < 10)
        SendToSlot(index);
    else if (index == 10)
        UndoLastSend();
}

void Form1::Command4_Click(int /*index*/) {
    if (module_.RunTime.SuppressNextClick == 1) {
        module_.RunTime.SuppressNextClick = 0;
        return;
    }
    // Queued like a send: an Enter that follows digit keys undoes their last send.
    UndoLastSend();
}

void Form1::SendToSlot(int slot) {
    run_.send(slot);
}

void Form1::UndoLastSend() {
    run_.undo();
}

QString Form1::firstName() const {
    return File1->name(0);
}

void Form1::letEventsIn() {
    Yield();
}

// The slot's number turns red and its button stays off while its send runs.
void Form1::sendStarting(int slot) {
    QLabel* label = Label1[size_t(slot)];
    Command4[size_t(slot)]->setEnabled(false);
    slotPalette_ = label->palette();
    QPalette red = slotPalette_;
    red.setColor(QPalette::Window, QColor(255, 0, 0));
    label->setPalette(red);
}

void Form1::sendingTo(const QString& targetFolder) {
    Label4->setText(DisplayName(targetFolder) + tr("に移動します。"));
    Label4->show();
}

void Form1::historyChanged() {
    EnableUndoButton();
    FocusSink->setFocus();
}

void Form1::listChanged() {
    File1->refresh();
    ShowCounts();
}

void Form1::sendFinished(int slot) {
    RefreshPreview();
    Command4[size_t(slot)]->setEnabled(true);
    Label1[size_t(slot)]->setPalette(slotPalette_);
    FocusSink->setFocus();
}

void Form1::undoFinished() {
    RefreshPreview();
    historyChanged();
}

void Form1::reportFailure(const QString& line) {
    Label4->setText(line);
    Label4->show();
}

void Form1::EnableUndoButton() {
    Command4[10]->setEnabled(!run_.history().isEmpty());
}

void Form1::setSendRecorder(SendRecorder* recorder) {
    recorder_ = recorder;
    run_.setRecorder(recorder);
}

// The file is gone already; a record that cannot be written changes nothing
// of that, the user is only told.
void Form1::RecordDeletion(const QString& path, const FileIdentity& identity) {
    if (recorder_ && !recorder_->record({JournalAction::Delete, path, {}, -1, {}, identity}))
        reportJournalFailure();
}

void Form1::reportJournalFailure() {
    reportFailure(JournalFailedText());
}

void Form1::refreshFileList() {
    listChanged();
}

void Form1::forgetSendsTo(const QStringList& destinations) {
    run_.forgetSendsTo(destinations);
}

} // namespace sorvane
