#include "journal/SendJournal.h"

#include "platform/FolderActions.h"
#include "platform/NativeName.h"
#include "platform/Paths.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QtConcurrent/QtConcurrentRun>

#include <sqlite3.h>

#include <limits>

namespace sorvane {
namespace {

// One row a file; names and paths are the system's bytes. An undo or
// take-back row names the row it reversed, and that row points back.
constexpr const char* Schema = R"(
CREATE TABLE IF NOT EXISTS entries(
    id INTEGER PRIMARY KEY,
    at INTEGER NOT NULL,
    action TEXT NOT NULL,
    slot INTEGER,
    name BLOB NOT NULL,
    from_folder BLOB NOT NULL,
    to_folder BLOB,
    size INTEGER, mtime_s INTEGER, mtime_ns INTEGER,
    inode INTEGER, device INTEGER, inode_kept INTEGER,
    aside_original BLOB, aside_file BLOB, aside_info BLOB, aside_info_text BLOB,
    aside_size INTEGER, aside_mtime_s INTEGER, aside_mtime_ns INTEGER,
    aside_inode INTEGER, aside_device INTEGER, aside_inode_kept INTEGER,
    reverses INTEGER,
    reversed_by INTEGER);
CREATE INDEX IF NOT EXISTS entries_to ON entries(to_folder);
PRAGMA user_version = 1;
)";

constexpr const char* Columns =
    "id, at, action, slot, name, from_folder, to_folder, size, mtime_s, mtime_ns, inode, device, "
    "inode_kept, aside_original, aside_file, aside_info, aside_info_text, aside_size, "
    "aside_mtime_s, aside_mtime_ns, aside_inode, aside_device, aside_inode_kept, reverses, "
    "reversed_by";

const char* ActionName(JournalAction action) {
    switch (action) {
    case JournalAction::Move:
        return "move";
    case JournalAction::Copy:
        return "copy";
    case JournalAction::Delete:
        return "delete";
    case JournalAction::Undo:
        return "undo";
    case JournalAction::TakeBack:
        return "takeback";
    }
    return "move";
}

JournalAction ActionNamed(const QByteArray& name) {
    for (JournalAction action :
         {JournalAction::Copy, JournalAction::Delete, JournalAction::Undo, JournalAction::TakeBack})
        if (name == ActionName(action))
            return action;
    return JournalAction::Move;
}

// A prepared statement, finalized when it goes.
class Statement {
public:
    Statement(sqlite3* db, const QByteArray& sql) {
        if (db)
            sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &stmt_, nullptr);
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* get() const { return stmt_; }
    explicit operator bool() const { return stmt_ != nullptr; }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

void BindBytes(sqlite3_stmt* stmt, int index, const QByteArray& bytes) {
    sqlite3_bind_blob(stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
}

void BindPath(sqlite3_stmt* stmt, int index, const QString& path) {
    if (path.isEmpty())
        sqlite3_bind_null(stmt, index);
    else
        BindBytes(stmt, index, ToNativeName(path));
}

void BindIdentity(sqlite3_stmt* stmt, int first, const FileIdentity& identity) {
    if (identity.size < 0)
        return; // left NULL: nothing was there to describe
    sqlite3_bind_int64(stmt, first, identity.size);
    sqlite3_bind_int64(stmt, first + 1, identity.modifiedSeconds);
    sqlite3_bind_int64(stmt, first + 2, identity.modifiedNanoseconds);
    sqlite3_bind_int64(stmt, first + 3, sqlite3_int64(identity.inode));
    sqlite3_bind_int64(stmt, first + 4, sqlite3_int64(identity.device));
    sqlite3_bind_int(stmt, first + 5, identity.inodeKept ? 1 : 0);
}

QByteArray ColumnBytes(sqlite3_stmt* stmt, int column) {
    const void* data = sqlite3_column_blob(stmt, column);
    return QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(stmt, column));
}

QString ColumnPath(sqlite3_stmt* stmt, int column) {
    return FromNativeName(ColumnBytes(stmt, column));
}

FileIdentity ColumnIdentity(sqlite3_stmt* stmt, int first) {
    FileIdentity identity;
    if (sqlite3_column_type(stmt, first) == SQLITE_NULL)
        return identity;
    identity.size = sqlite3_column_int64(stmt, first);
    identity.modifiedSeconds = sqlite3_column_int64(stmt, first + 1);
    identity.modifiedNanoseconds = sqlite3_column_int64(stmt, first + 2);
    identity.inode = quint64(sqlite3_column_int64(stmt, first + 3));
    identity.device = quint64(sqlite3_column_int64(stmt, first + 4));
    identity.inodeKept = sqlite3_column_int(stmt, first + 5) == 1;
    return identity;
}

SendJournal::Entry ReadEntry(sqlite3_stmt* stmt) {
    SendJournal::Entry entry;
    entry.id = sqlite3_column_int64(stmt, 0);
    entry.atMs = sqlite3_column_int64(stmt, 1);
    JournalEvent& event = entry.event;
    event.action = ActionNamed(ColumnBytes(stmt, 2));
    event.slot = sqlite3_column_type(stmt, 3) == SQLITE_NULL ? -1 : sqlite3_column_int(stmt, 3);
    const QString name = ColumnPath(stmt, 4);
    event.source = JoinPath(ColumnPath(stmt, 5), name);
    if (sqlite3_column_type(stmt, 6) != SQLITE_NULL)
        event.destination = JoinPath(ColumnPath(stmt, 6), name);
    event.identity = ColumnIdentity(stmt, 7);
    event.replaced.original = ColumnPath(stmt, 13);
    event.replaced.where.file = ColumnPath(stmt, 14);
    event.replaced.where.info = ColumnPath(stmt, 15);
    event.replaced.where.infoText = ColumnBytes(stmt, 16);
    event.replaced.where.identity = ColumnIdentity(stmt, 17);
    event.reverses = sqlite3_column_int64(stmt, 23);
    entry.reversedBy = sqlite3_column_int64(stmt, 24);
    return entry;
}

} // namespace

SendJournal::SendJournal(const QString& path, qint64 bound) : path_(path), bound_(bound) {}

// Opened at the first record, and for reading only once the file is there:
// a program that never sends leaves no journal behind. A journal that
// could not be opened is tried again next time, so a folder made writable
// meanwhile takes the next record.
bool SendJournal::ready(bool create) const {
    if (db_)
        return true;
    if (!create && !QFileInfo::exists(path_))
        return false;
    if (!open())
        close();
    return db_ != nullptr;
}

SendJournal::~SendJournal() {
    checkpoint_.waitForFinished();
    sqlite3_close(checkpointer_);
    close();
}

// SQLite copies the log into the database itself every thousand pages, on
// the connection that commits, which is a send; with its flushes to disk
// that costs a send several milliseconds now and then. The copy is left to
// a worker with a connection of its own instead: a passive checkpoint lets
// the sends go on appending to the log meanwhile.
int SendJournal::committed(void* journal, sqlite3*, const char*, int pages) {
    static constexpr int CheckpointPages = 1000;
    auto* self = static_cast<const SendJournal*>(journal);
    if (pages >= CheckpointPages && !self->checkpointing_.exchange(true))
        self->checkpoint_ = QtConcurrent::run([self] {
            if (!self->checkpointer_ &&
                sqlite3_open_v2(ToNativeName(self->path_).constData(), &self->checkpointer_,
                                SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                                nullptr) != SQLITE_OK) {
                sqlite3_close(self->checkpointer_);
                self->checkpointer_ = nullptr;
            }
            if (self->checkpointer_)
                sqlite3_wal_checkpoint_v2(self->checkpointer_, nullptr, SQLITE_CHECKPOINT_PASSIVE,
                                          nullptr, nullptr);
            self->checkpointing_ = false;
        });
    return SQLITE_OK;
}

void SendJournal::close() const {
    sqlite3_finalize(insert_);
    insert_ = nullptr;
    sqlite3_close(db_);
    db_ = nullptr;
}

// WAL with synchronous NORMAL: a commit is an append to the log, flushed by
// the system's own writeback; a killed process loses nothing committed. A
// file system that cannot share the log's index (some FUSE volumes) keeps
// the rollback journal instead, just as safe and a little slower.
bool SendJournal::open() const {
    QDir().mkpath(QFileInfo(path_).absolutePath());
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(ToNativeName(path_).constData(), &db_, flags, nullptr) != SQLITE_OK)
        return false;
    sqlite3_busy_timeout(db_, 200); // another running copy of the program writing
    execute("PRAGMA journal_mode = WAL");
    sqlite3_wal_hook(db_, &SendJournal::committed, const_cast<SendJournal*>(this));
    if (!execute("PRAGMA synchronous = NORMAL") || !execute(Schema))
        return false;
    // The bound is kept by the insert itself, in its own statement's
    // transaction: a seek on the key, which finds nothing to delete but once
    // a row.
    const QByteArray bound = "CREATE TEMP TRIGGER bound AFTER INSERT ON main.entries BEGIN "
                             "DELETE FROM entries WHERE id <= NEW.id - " +
                             QByteArray::number(bound_) + "; END;";
    if (!execute(bound.constData()))
        return false;
    const QByteArray insert =
        "INSERT INTO entries(at, action, slot, name, from_folder, to_folder, size, mtime_s, "
        "mtime_ns, inode, device, inode_kept, aside_original, aside_file, aside_info, "
        "aside_info_text, aside_size, aside_mtime_s, aside_mtime_ns, aside_inode, aside_device, "
        "aside_inode_kept, reverses) VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";
    if (sqlite3_prepare_v3(db_, insert.constData(), int(insert.size()), SQLITE_PREPARE_PERSISTENT,
                           &insert_, nullptr) != SQLITE_OK)
        return false;
    prune(); // a journal kept under a larger bound before
    return true;
}

bool SendJournal::execute(const char* sql) const {
    return db_ && sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

void SendJournal::prune() const {
    Statement remove(db_, "DELETE FROM entries WHERE id <= (SELECT max(id) FROM entries) - ?");
    if (remove) {
        sqlite3_bind_int64(remove.get(), 1, bound_);
        sqlite3_step(remove.get());
    }
}

bool SendJournal::record(const JournalEvent& event) {
    if (!ready(true))
        return false;
    const bool reverses =
        event.action == JournalAction::Undo || event.action == JournalAction::TakeBack;
    const bool own = reverses && sqlite3_get_autocommit(db_);
    if (own && !execute("BEGIN IMMEDIATE"))
        return false;
    sqlite3_stmt* s = insert_;
    sqlite3_reset(s);
    sqlite3_clear_bindings(s);
    sqlite3_bind_int64(s, 1, QDateTime::currentMSecsSinceEpoch());
    sqlite3_bind_text(s, 2, ActionName(event.action), -1, SQLITE_STATIC);
    if (event.slot >= 0)
        sqlite3_bind_int(s, 3, event.slot);
    BindBytes(s, 4, ToNativeName(FileNameOf(event.source)));
    BindPath(s, 5, ParentFolder(event.source));
    BindPath(s, 6, event.destination.isEmpty() ? QString() : ParentFolder(event.destination));
    BindIdentity(s, 7, event.identity);
    BindPath(s, 13, event.replaced.original);
    BindPath(s, 14, event.replaced.where.file);
    BindPath(s, 15, event.replaced.where.info);
    if (!event.replaced.where.infoText.isEmpty())
        BindBytes(s, 16, event.replaced.where.infoText);
    if (!event.replaced.isEmpty())
        BindIdentity(s, 17, event.replaced.where.identity);
    bool written = sqlite3_step(s) == SQLITE_DONE;
    sqlite3_reset(s);
    if (written && reverses)
        written = markReversed(event, sqlite3_last_insert_rowid(db_));
    if (own)
        written = execute(written ? "COMMIT" : "ROLLBACK") && written;
    return written;
}

// The undo of the main window names no row: it reverses the latest send of
// that file between those two folders that is not reversed yet.
bool SendJournal::markReversed(const JournalEvent& event, qint64 by) {
    qint64 target = event.reverses;
    if (target == 0) {
        Statement find(db_, "SELECT id FROM entries WHERE id < ? AND action IN ('move', 'copy') "
                            "AND reversed_by IS NULL AND name = ? AND from_folder = ? AND "
                            "to_folder = ? ORDER BY id DESC LIMIT 1");
        if (!find)
            return false;
        sqlite3_bind_int64(find.get(), 1, by);
        BindBytes(find.get(), 2, ToNativeName(FileNameOf(event.source)));
        BindPath(find.get(), 3, ParentFolder(event.destination));
        BindPath(find.get(), 4, ParentFolder(event.source));
        if (sqlite3_step(find.get()) != SQLITE_ROW)
            return true; // its send was pruned, or made before the journal
        target = sqlite3_column_int64(find.get(), 0);
    }
    Statement update(db_, "UPDATE entries SET reversed_by = ? WHERE id = ?");
    Statement link(db_, "UPDATE entries SET reverses = ? WHERE id = ?");
    if (!update || !link)
        return false;
    sqlite3_bind_int64(update.get(), 1, by);
    sqlite3_bind_int64(update.get(), 2, target);
    sqlite3_bind_int64(link.get(), 1, target);
    sqlite3_bind_int64(link.get(), 2, by);
    return sqlite3_step(update.get()) == SQLITE_DONE && sqlite3_step(link.get()) == SQLITE_DONE;
}

QList<SendJournal::Entry> SendJournal::entries(const Filter& filter, qint64 beforeId,
                                               int limit) const {
    QByteArray sql = QByteArray("SELECT ") + Columns + " FROM entries WHERE id < ?1";
    if (!filter.folder.isEmpty())
        sql += " AND (from_folder = ?2 OR to_folder = ?2)";
    if (filter.day.isValid())
        sql += " AND at >= ?3 AND at < ?4";
    if (!filter.name.isEmpty())
        sql += " AND instr(lower(CAST(name AS TEXT)), lower(CAST(?5 AS TEXT))) > 0";
    sql += " ORDER BY id DESC LIMIT ?6";
    QList<Entry> found;
    if (!ready(false))
        return found;
    Statement query(db_, sql);
    if (!query)
        return found;
    sqlite3_stmt* q = query.get();
    sqlite3_bind_int64(q, 1, beforeId > 0 ? beforeId : std::numeric_limits<qint64>::max());
    if (!filter.folder.isEmpty())
        BindPath(q, 2, filter.folder);
    if (filter.day.isValid()) {
        sqlite3_bind_int64(q, 3, filter.day.startOfDay().toMSecsSinceEpoch());
        sqlite3_bind_int64(q, 4, filter.day.addDays(1).startOfDay().toMSecsSinceEpoch());
    }
    if (!filter.name.isEmpty())
        BindBytes(q, 5, ToNativeName(filter.name));
    sqlite3_bind_int(q, 6, limit);
    while (sqlite3_step(q) == SQLITE_ROW)
        found.append(ReadEntry(q));
    return found;
}

bool SendJournal::entry(qint64 id, Entry* found) const {
    if (!ready(false))
        return false;
    Statement query(db_, QByteArray("SELECT ") + Columns + " FROM entries WHERE id = ?");
    if (!query)
        return false;
    sqlite3_bind_int64(query.get(), 1, id);
    if (sqlite3_step(query.get()) != SQLITE_ROW)
        return false;
    *found = ReadEntry(query.get());
    return true;
}

QStringList SendJournal::destinationFolders() const {
    if (!ready(false))
        return {};
    // From one folder to the next on the index: a few seeks a folder, not a
    // pass over every entry.
    Statement query(db_, "WITH RECURSIVE f(folder) AS (SELECT min(to_folder) FROM entries "
                         "UNION ALL SELECT (SELECT min(to_folder) FROM entries WHERE to_folder > "
                         "folder) FROM f WHERE folder IS NOT NULL) "
                         "SELECT folder FROM f WHERE folder IS NOT NULL");
    QStringList folders;
    while (query && sqlite3_step(query.get()) == SQLITE_ROW)
        folders.append(ColumnPath(query.get(), 0));
    folders.sort();
    return folders;
}

qint64 SendJournal::count() const {
    if (!ready(false))
        return 0;
    Statement query(db_, "SELECT count(*) FROM entries");
    return query && sqlite3_step(query.get()) == SQLITE_ROW ? sqlite3_column_int64(query.get(), 0)
                                                            : 0;
}

SendJournal::Batch::Batch(SendJournal& journal) : journal_(journal) {
    began_ = journal_.ready(true) && sqlite3_get_autocommit(journal_.db_) &&
             journal_.execute("BEGIN IMMEDIATE");
}

SendJournal::Batch::~Batch() {
    if (began_ && !journal_.execute("COMMIT"))
        journal_.execute("ROLLBACK");
}

} // namespace sorvane
