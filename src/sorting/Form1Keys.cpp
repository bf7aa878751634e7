// The keyboard, and the presses the window sees before its controls do.
#include "controls/FileList.h"
#include "controls/MouseButtons.h"
#include "sorting/Form1.h"
#include "sorting/KeyCodes.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace sorvane {

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress)
        return HandleMousePress(watched, event);
    // The second press of a double-click arrives as a double-click; on a
    // button it is a press like the first (two sends, or two undos).
    if (event->type() == QEvent::MouseButtonDblClick && watched != Picture1)
        return HandleMousePress(watched, event);
    return QMainWindow::eventFilter(watched, event);
}

// From the loading on, each key press reaches Form_KeyDown once. At the end
// of a held key the preview catches up with the file in hand if the repeats
// left it on an earlier one.
void Form1::ConnectKeys() {
    connect(keys_, &KeyPreview::keyDown, this, [this](int keyCode, int shift, bool repeat) {
        preview_->setKeyHeld(repeat);
        Form_KeyDown(keyCode, shift);
    });
    connect(keys_, &KeyPreview::holdEnded, this, [this] { preview_->keyReleased(); });
    keys_->enable();
}

bool Form1::HandleMousePress(QObject* watched, QEvent* event) {
    const int button = ButtonNumber(static_cast<QMouseEvent*>(event)->button());
    if (watched == Picture1) {
        Picture1_MouseDown(button);
        return false;
    }
    for (int i = 0; i < int(Command4.size()); ++i) {
        if (watched != Command4[size_t(i)])
            continue;
        if (!Command4[size_t(i)]->isEnabled())
            return false;
        Command4_MouseDown(i, button);
        // The press is taken here, so the release makes no click; only the
        // focus button keeps its click (a full click on it undoes).
        return i != 11;
    }
    return false;
}

void Form1::Form_KeyDown(int keyCode, int shift) {
    Text1->clear();
    if (keyCode == KeyCode::Space)
        module_.RunTime.SuppressNextClick = 1;
    if (module_.RunTime.SortingActive == 0 && keyCode == KeyCode::Space &&
        (shift == 0 || shift == 1)) {
        const bool forward = shift == 0;
        if (!forward)
            LetEventsIn();
        StepSelection(forward);
        LetEventsIn();
        ShowSelectedFile();
    }
    if (module_.RunTime.SortingActive == 1) {
        if (keyCode >= KeyCode::Keypad0 && keyCode <= KeyCode::Keypad0 + 9)
            run_.send(keyCode - KeyCode::Keypad0);
        if (keyCode >= KeyCode::Digit0 && keyCode <= KeyCode::Digit0 + 9)
            run_.send(keyCode - KeyCode::Digit0);
    }
    if (keyCode >= KeyCode::Left && keyCode <= KeyCode::Down)
        FocusSink->setFocus();
}

} // namespace sorvane
