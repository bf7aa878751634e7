#pragma once

#include <QString>

#include <deque>

namespace sorvane {

// The last ten sends, newest first: where each file was taken from and where
// it was placed. Only sends that really placed their file are recorded.
class UndoHistory {
public:
    static constexpr int Capacity = 10;

    struct Entry {
        QString source;
        QString destination;
        bool sourceKept = false; // a copy: the source file stayed where it was
    };

    void push(Entry entry);
    bool isEmpty() const { return entries_.empty(); }
    int size() const { return int(entries_.size()); }
    const Entry& newest() const { return entries_.front(); }
    void dropNewest();

private:
    std::deque<Entry> entries_;
};

} // namespace sorvane
