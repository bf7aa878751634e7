#pragma once

#include "platform/FileOps.h"
#include "platform/SetAside.h"

#include <QString>

#include <utility>

namespace sorvane {

// What became of one file, told to whoever keeps the program's journal.
enum class JournalAction { Move, Copy, Delete, Undo, TakeBack };

struct JournalEvent {
    JournalEvent() = default;
    JournalEvent(JournalAction action, QString source, QString destination, int slot,
                 SetAsideFile replaced = {}, FileIdentity identity = {}, qint64 reverses = 0)
        : action(action), source(std::move(source)), destination(std::move(destination)),
          slot(slot), replaced(std::move(replaced)), identity(identity), reverses(reverses) {}

    JournalAction action = JournalAction::Move;
    QString source;        // the path the file had before
    QString destination;   // the path it has now; empty for a deletion
    int slot = -1;         // 0-9, 10 the bulk-delete folder; -1 for none
    SetAsideFile replaced; // the file that had the destination's name, if any
    FileIdentity identity; // the file at its destination now; a deleted file as it was
    qint64 reverses = 0;   // the entry an undo or take-back reverses; 0: the latest that fits
};

// Told of every send, undo and deletion once it has completed, so that a
// record never runs ahead of the disk. Keeping the record must never hold
// up or stop the operation: a recorder that cannot write says so by
// returning false, and the operation stands.
class SendRecorder {
public:
    virtual ~SendRecorder() = default;
    virtual bool record(const JournalEvent& event) = 0;
};

} // namespace sorvane
