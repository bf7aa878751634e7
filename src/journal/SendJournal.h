#pragma once

#include "sorting/SendRecorder.h"

#include <QDate>
#include <QFuture>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>

struct sqlite3;
struct sqlite3_stmt;

namespace sorvane {

// The journal of every send, undo, take-back and deletion, kept in an SQLite
// file so that a look back works across runs of the program. Each record is
// one row written in its own transaction, in WAL mode with synchronous
// NORMAL: a process killed at any point leaves every committed row, and a
// row is written only once its operation is done, so the journal agrees
// with the disk or is one operation behind. Names and folders are kept as
// the bytes the system knows them by, so a name that is not UTF-8 comes
// back unchanged. The oldest rows beyond the bound go, a range at a time.
//
// A journal that cannot be opened or written stays usable as an object:
// every record() then returns false, and nothing else is affected. The file
// is made at the first record.
class SendJournal : public SendRecorder {
public:
    static constexpr qint64 DefaultBound = 100000;

    explicit SendJournal(const QString& path, qint64 bound = DefaultBound);
    ~SendJournal() override;
    SendJournal(const SendJournal&) = delete;
    SendJournal& operator=(const SendJournal&) = delete;

    // Whether the file has been opened (by a record, or a read of a file
    // that exists).
    bool isOpen() const { return db_ != nullptr; }
    QString path() const { return path_; }

    bool record(const JournalEvent& event) override;

    struct Entry {
        qint64 id = 0;
        qint64 atMs = 0; // when, in milliseconds since the epoch
        JournalEvent event;
        qint64 reversedBy = 0; // the undo or take-back that reversed this entry, if any
    };

    // What the look-back window asks for: all criteria that are set apply.
    struct Filter {
        QString folder; // the file came from or went to this folder
        QDate day;      // local day
        QString name;   // part of the file's name, ignoring ASCII case
    };

    // Up to limit entries matching the filter, newest first, older than
    // beforeId when that is set.
    QList<Entry> entries(const Filter& filter, qint64 beforeId = 0, int limit = 200) const;
    bool entry(qint64 id, Entry* found) const;
    // The folders entries were sent to, sorted.
    QStringList destinationFolders() const;
    qint64 count() const;

    // Runs many records in one transaction (a bulk delete).
    class Batch {
    public:
        explicit Batch(SendJournal& journal);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        SendJournal& journal_;
        bool began_ = false;
    };

private:
    bool ready(bool create) const;
    bool open() const;
    bool execute(const char* sql) const;
    bool markReversed(const JournalEvent& event, qint64 by);
    void prune() const;
    void close() const;

    static int committed(void* journal, sqlite3* db, const char* name, int pages);

    QString path_;
    qint64 bound_;
    // The log's checkpoints, on a worker (its own connection) one at a time.
    mutable std::atomic<bool> checkpointing_{false};
    mutable QFuture<void> checkpoint_;
    mutable sqlite3* checkpointer_ = nullptr;
    // Opened when first needed, also by the readers.
    mutable sqlite3* db_ = nullptr;
    mutable sqlite3_stmt* insert_ = nullptr;
};

} // namespace sorvane
