#include "sorting/UndoHistory.h"

namespace sorvane {

UndoHistory::~UndoHistory() {
    for (const Entry& entry : entries_)
        Release(entry.replaced);
}

void UndoHistory::push(Entry entry) {
    entries_.push_front(std::move(entry));
    if (entries_.size() > size_t(Capacity)) {
        Release(entries_.back().replaced);
        entries_.pop_back();
    }
}

void UndoHistory::dropNewest() {
    if (entries_.empty())
        return;
    Release(entries_.front().replaced);
    entries_.pop_front();
}

} // namespace sorvane
