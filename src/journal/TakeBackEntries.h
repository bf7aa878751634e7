#pragma once

#include "journal/SendJournal.h"

#include <QList>
#include <QString>

namespace sorvane {

// One entry's take-back: done, or why not.
struct TakeBackResult {
    qint64 id = 0;
    QString name; // the file's name, as the screen shows it
    bool done = false;
    QString destination; // where the file had been sent
    QString message;     // the refusal, or what went wrong after the file went back
};

// Whether the file found now is the one the journal recorded: same size and
// modification time, and the same inode where the file system keeps inode
// numbers. The device number is left out: a card mounted again, or a FUSE
// volume, gets another one for the very same file.
bool SameRecordedFile(const FileIdentity& recorded, const FileIdentity& now);

// Takes back the journal's entries, newest first, as the undo does: a moved
// file returns to its folder, a copy is removed, a replaced file comes back
// from where it was set aside. Each entry is refused on its own when it is
// not a send, was reversed already, or its file is no longer at the
// destination or no longer the file sent there. Each take-back done is
// recorded in the journal.
QList<TakeBackResult> TakeBackEntries(SendJournal& journal, QList<qint64> ids);

} // namespace sorvane
