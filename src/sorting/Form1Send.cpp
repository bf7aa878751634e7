// Sends to a slot and their undo: the presses that ask for them, and the
// journal of what was done.
#include "sorting/FailureText.h"
#include "sorting/Form1.h"

#include <QLineEdit>

namespace sorvane {

void Form1::Command4_MouseDown(int index, int /*button: every button acts alike*/) {
    Text1->clear();
    if (index < 10)
        run_.send(index);
    else if (index == 10)
        run_.undo();
}

void Form1::Command4_Click(int /*index*/) {
    if (module_.RunTime.SuppressNextClick == 1) {
        module_.RunTime.SuppressNextClick = 0;
        return;
    }
    // Queued like a send: an Enter that follows digit keys undoes their last send.
    run_.undo();
}

void Form1::setSendRecorder(SendRecorder* recorder) {
    deletion_.setRecorder(recorder);
    run_.setRecorder(recorder);
}

void Form1::reportJournalFailure() {
    display_.reportFailure(JournalFailedText());
}

void Form1::refreshFileList() {
    display_.listChanged();
}

void Form1::forgetSendsTo(const QStringList& destinations) {
    run_.forgetSendsTo(destinations);
}

} // namespace sorvane
