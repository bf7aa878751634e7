#pragma once

#include <functional>

class QObject;
class QWidget;

namespace sorvane {

// Runs `work` on the window's thread once the windows have painted and
// flushed what is due so far: the work waits behind the paint requests
// already posted, at the same low priority, so reading the next pictures
// ahead never starts (and never takes the processor or a lock) between a
// key press and its picture reaching the screen. Nothing runs when
// `context` is gone by then.
void RunAfterPaint(QObject* context, std::function<void()> work);

// The same, and not before the window (a top-level widget) has first been
// painted and flushed: work asked for while a window is being set up would
// otherwise run before it is shown, and delay its first paint.
void RunAfterFirstPaint(QWidget* window, std::function<void()> work);

} // namespace sorvane
