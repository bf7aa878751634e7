#include "sorting/UndoHistory.h"

namespace sorvane {

void UndoHistory::push(Entry entry) {
    entries_.push_front(std::move(entry));
    if (entries_.size() > size_t(Capacity))
        entries_.pop_back();
}

void UndoHistory::dropNewest() {
    if (!entries_.empty())
        entries_.pop_front();
}

void UndoHistory::dropSentTo(const QStringList& destinations) {
    std::erase_if(entries_,
                  [&](const Entry& entry) { return destinations.contains(entry.destination); });
}

} // namespace sorvane
