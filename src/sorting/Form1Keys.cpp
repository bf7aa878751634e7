// The keyboard, and the presses the window sees before its controls do.
#include "controls/FileList.h"
#include "controls/MouseButtons.h"
#include "controls/StageMarks.h"
#include "sorting/Form1.h"
#include "sorting/KeyCodes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace sorvane {

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress)
        return HandleKeyPress(watched, event);
    if (event->type() == QEvent::KeyRelease)
        HandleKeyRelease(static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::MouseButtonPress)
        return HandleMousePress(watched, event);
    // The second press of a double-click arrives as a double-click; on a
    // button it is a press like the first (two sends, or two undos).
    if (event->type() == QEvent::MouseButtonDblClick && watched != Picture1)
        return HandleMousePress(watched, event);
    return QMainWindow::eventFilter(watched, event);
}

// Key preview: the window's handler sees each key once, as it reaches the
// focused control, and never consumes it.
bool Form1::HandleKeyPress(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType() || IsPassedOnToParent(watched, event))
        return false;
    QWidget* focus = QApplication::focusWidget();
    const bool target = watched == (focus ? static_cast<QObject*>(focus) : this);
    if (!keyPreview_ || !target || (focus && focus->window() != this))
        return false;
    MarkStage(Stage::KeyReceived);
    const auto* key = static_cast<QKeyEvent*>(event);
    keyHeld_ = key->isAutoRepeat();
    Form_KeyDown(KeyCodeOf(key->key(), key->modifiers(), key->nativeScanCode()),
                 ShiftBitsOf(key->modifiers()));
    return false;
}

// A key a control leaves untaken goes on to its parent, up to the window.
// When the handler has shown a message box meanwhile, nothing has the focus
// any more and the window would take the same press for a new one.
bool Form1::IsPassedOnToParent(QObject* watched, QEvent* event) {
    const bool passedOn =
        event == keyOnItsWay_ && keyReachedLast_ && watched == keyReachedLast_->parent();
    keyOnItsWay_ = event;
    keyReachedLast_ = watched;
    return passedOn;
}

// The end of a held key: the preview catches up with the file in hand if the
// repeats left it on an earlier one.
void Form1::HandleKeyRelease(const QKeyEvent* key) {
    if (key->isAutoRepeat() || !keyHeld_)
        return;
    keyHeld_ = false;
    if (follower_.behind() && module_.SortingActive == 1 && run_.idle())
        RefreshPreview();
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
        module_.SuppressNextClick = 1;
    if (module_.SortingActive == 0 && keyCode == KeyCode::Space && (shift == 0 || shift == 1)) {
        const bool forward = shift == 0;
        if (!forward)
            Yield();
        StepSelection(forward);
        Yield();
        ShowSelectedFile();
    }
    if (module_.SortingActive == 1) {
        if (keyCode >= KeyCode::Keypad0 && keyCode <= KeyCode::Keypad0 + 9)
            SendToSlot(keyCode - KeyCode::Keypad0);
        if (keyCode >= KeyCode::Digit0 && keyCode <= KeyCode::Digit0 + 9)
            SendToSlot(keyCode - KeyCode::Digit0);
    }
    if (keyCode >= KeyCode::Left && keyCode <= KeyCode::Down)
        FocusSink->setFocus();
}

} // namespace sorvane
