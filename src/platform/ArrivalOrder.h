#pragma once

#include <deque>
#include <functional>

namespace sorvane {

// Runs actions one after another in the order they were asked for. An
// action asked for while another one runs (one that lets waiting events in,
// so more input arrives meanwhile) waits for it instead of running inside
// it: actions never nest.
class ArrivalOrder {
public:
    void run(std::function<void()> action) {
        pending_.push_back(std::move(action));
        if (busy_)
            return;
        busy_ = true;
        while (!pending_.empty()) {
            const std::function<void()> next = std::move(pending_.front());
            pending_.pop_front();
            next();
        }
        busy_ = false;
    }

    // Actions still waiting behind the one under way.
    int waiting() const { return int(pending_.size()); }
    bool idle() const { return !busy_; }
    void dropWaiting() { pending_.clear(); }

private:
    bool busy_ = false;
    std::deque<std::function<void()>> pending_;
};

} // namespace sorvane
