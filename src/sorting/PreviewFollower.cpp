#include "sorting/PreviewFollower.h"

#include "imaging/PictureDisplay.h"

#include <algorithm>
#include <cmath>

namespace sorvane {
namespace {

// Repeats further apart than this are no steady pace: a new press.
constexpr qint64 LongestRepeatMs = 1000;

} // namespace

void PreviewFollower::sent(bool held, int waiting) {
    // Sends that catch up with presses waiting come one right after another:
    // the key's pace is the time between sends that each answered a press.
    const bool paced = held && waiting == 0;
    if (paced && paced_ && lastSend_.elapsed() < LongestRepeatMs) {
        const auto interval = double(qMax<qint64>(lastSend_.elapsed(), 1));
        sendIntervalMs_ = sendIntervalMs_ > 0 ? (3 * sendIntervalMs_ + interval) / 4 : interval;
    }
    held_ = held;
    paced_ = paced;
    lastSend_.start();
}

std::vector<int> PreviewFollower::readAhead(int waiting, int count, int readMs) const {
    if (!held_ && waiting == 0)
        return ReadAheadAfterSend(0, count);
    // The entry the burst will be on when a picture is read: past the
    // presses waiting, one further for each repeat of a held key meanwhile,
    // and never past the list's last.
    const int repeats =
        held_ && sendIntervalMs_ > 0 ? int(std::floor(readMs / sendIntervalMs_)) : 0;
    const int first = std::min(waiting + repeats, std::max(count - 1, 0));
    std::vector<int> indices;
    for (int i = first; i < first + 4 && i < count; ++i)
        indices.push_back(i);
    return indices;
}

bool PreviewFollower::mayMoveOn() const {
    return !moved_.isValid() || moved_.elapsed() >= LeastStayMs;
}

void PreviewFollower::movedOn() {
    behind_ = false;
    moved_.start();
}

} // namespace sorvane
