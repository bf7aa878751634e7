#pragma once

#include "viewer/ViewerRules.h"

#include <QObject>
#include <QTimer>

namespace sorvane {

struct Module1;

// The viewer's slideshow: its timer (Timer1), whether it counts as running
// (SlideshowRunning) and where each tick leaves the position in the list. A
// step by mouse or key only halts the ticks; the slideshow still counts as
// running until button 6 is pressed again or it is stopped.
class Slideshow : public QObject {
    Q_OBJECT
public:
    explicit Slideshow(Module1& module, QObject* parent = nullptr);

    enum class Press { Stopped, Started, Refused };
    // Button 6 on a list of `count` files: a running slideshow ends, a
    // position past the list's end is brought back to its last file, and an
    // interval below one second is refused (it would never advance).
    Press toggle(int count);
    void stop();
    void halt();
    bool ticking() const { return timer_.isActive(); }

    // Where the next tick goes: past the last file it goes on with the first
    // when the slideshow repeats; otherwise it stays there, nothing is shown
    // and the caller stops the slideshow.
    StepTarget tickStep(int count) const;

Q_SIGNALS:
    void tick();
    void startedOrStopped(bool running);

private:
    void start();

    Module1& module_;
    QTimer timer_;
};

} // namespace sorvane
