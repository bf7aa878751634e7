#include "sorting/KeyPreview.h"

#include "controls/StageMarks.h"
#include "sorting/KeyCodes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace sorvane {

KeyPreview::KeyPreview(QWidget& window) : QObject(&window), window_(window) {
    qApp->installEventFilter(this);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat() && held_) {
            held_ = false;
            Q_EMIT holdEnded();
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
        IsPassedOnToParent(watched, event) || !enabled_ || !IsForThisWindow(watched))
        return false;
    MarkStage(Stage::KeyReceived);
    const auto* key = static_cast<QKeyEvent*>(event);
    held_ = key->isAutoRepeat();
    Q_EMIT keyDown(KeyCodeOf(key->key(), key->modifiers(), key->nativeScanCode()),
                   ShiftBitsOf(key->modifiers()), held_);
    return false;
}

// The press counts where it first arrives: at the focused control, or at the
// window itself when nothing has the focus; never in another window.
bool KeyPreview::IsForThisWindow(QObject* watched) const {
    QWidget* focus = QApplication::focusWidget();
    if (focus)
        return watched == focus && focus->window() == &window_;
    return watched == &window_;
}

// A key a control leaves untaken goes on to its parent, up to the window.
// When the handler has shown a message box meanwhile, nothing has the focus
// any more and the window would take the same press for a new one.
bool KeyPreview::IsPassedOnToParent(QObject* watched, QEvent* event) {
    const bool passedOn =
        event == keyOnItsWay_ && keyReachedLast_ && watched == keyReachedLast_->parent();
    keyOnItsWay_ = event;
    keyReachedLast_ = watched;
    return passedOn;
}

} // namespace sorvane
