#pragma once

#include <QObject>
#include <QPointer>

class QEvent;
class QWidget;

namespace sorvane {

// The window's key preview: every key press meant for one window reaches its
// handler once, as the press arrives at the focused control (or at the
// window, when nothing has the focus), before that control acts on it. The
// press is never consumed. A key a control leaves untaken travels on to its
// parents; those later deliveries of the same press are not new presses,
// even when the handler has meanwhile shown a message box that took the
// focus away.
class KeyPreview : public QObject {
    Q_OBJECT
public:
    // Watches the presses of the whole program for `window`; reports none
    // until enabled.
    explicit KeyPreview(QWidget& window);

    // From the window's loading on, as its form asks for key preview.
    void enable() { enabled_ = true; }

Q_SIGNALS:
    // A key went down, with the key code, the Shift (1), Ctrl (2), Alt (4)
    // bits and whether it is a repeat of a held key.
    void keyDown(int keyCode, int shift, bool repeat);
    // A held key (one that repeated) came up.
    void holdEnded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsPassedOnToParent(QObject* watched, QEvent* event);
    bool IsForThisWindow(QObject* watched) const;

    QWidget& window_;
    bool enabled_ = false;
    const QEvent* keyOnItsWay_ = nullptr; // the press being delivered, and where it was last
    QPointer<QObject> keyReachedLast_;
    bool held_ = false; // the last press was a repeat of a held key
};

} // namespace sorvane
