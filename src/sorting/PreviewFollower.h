#pragma once

#include <QElapsedTimer>
#include <QtGlobal>

#include <vector>

namespace sorvane {

// How the preview follows the file in hand through a run's sends. Outside a
// burst of sends it shows every file. During a burst (presses waiting, or a
// key held) a picture would be replaced before anyone saw it, so the preview
// moves on only to a file whose picture was read ahead, and only once the
// picture before it has been seen for a moment; meanwhile it stays behind on
// what it shows, and catches up when the burst ends.
//
// Reading ahead keeps up with the burst: a file the burst passes while it is
// being read is read in vain, and the reader is then busy when the burst
// stops. So during a burst the files read ahead are those the sends will
// have reached by the time a picture is read.
class PreviewFollower {
public:
    // A send has taken the file in hand; `held` when it came from a key
    // held down, whose repeats come at a steady pace, and `waiting` presses
    // are still to be sent.
    void sent(bool held, int waiting);
    // The list entries to read ahead after that send, most wanted first, in
    // a list of `count` entries, when pictures take `readMs` to read ahead.
    std::vector<int> readAhead(int waiting, int count, int readMs) const;

    // During a burst: the picture shown has been seen long enough to give
    // way to the next.
    bool mayMoveOn() const;
    // The preview shows the file in hand now, from this moment.
    void movedOn();
    // The preview stays on an earlier file than the one in hand.
    void fellBehind() { behind_ = true; }
    bool behind() const { return behind_; }

    // The shortest time a picture stays in the preview during a burst.
    static constexpr qint64 LeastStayMs = 100;

private:
    QElapsedTimer moved_;       // since the preview last moved on to another file
    QElapsedTimer lastSend_;    // since the last send of a held key
    double sendIntervalMs_ = 0; // the time between a held key's sends, lately
    bool held_ = false;
    bool paced_ = false; // the last send answered a press as it came
    bool behind_ = false;
};

} // namespace sorvane
