#pragma once

#include "platform/SetAside.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

namespace sorvane {

// The last ten sends, newest first: where each file was taken from and where
// it was placed, and the file it replaced there. Only sends that really placed
// their file are recorded. A replaced file stays where it was set aside when
// its entry leaves the history: in the trash, or beside its old place. A file
// sent with its companions is one entry, holding them.
class UndoHistory {
public:
    static constexpr int Capacity = 10;

    struct Entry {
        QString source;
        QString destination;
        bool sourceKept = false; // a copy: the source file stayed where it was
        SetAsideFile replaced;   // the file that had the destination's name, if any
        // The files sent along with it (its companions), each undone with it.
        std::vector<Entry> companions;
    };

    UndoHistory() = default;
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    void push(Entry entry);
    bool isEmpty() const { return entries_.empty(); }
    int size() const { return int(entries_.size()); }
    Entry& newest() { return entries_.front(); }
    const Entry& newest() const { return entries_.front(); }
    void dropNewest();
    // Forgets the sends whose file was placed at one of the destinations:
    // taken back elsewhere, there is nothing left for the undo to do.
    void dropSentTo(const QStringList& destinations);

private:
    std::deque<Entry> entries_;
};

} // namespace sorvane
