#pragma once

#include "platform/FileError.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace sorvane {

// File-system work of the windows. Every operation reports the kind of
// failure instead of throwing; none of them ever leaves a file half-written
// under its final name.

bool IsRegularFile(const QString& path);
bool IsFolder(const QString& path);

// Whether something other than a folder has the name (a link counts as
// itself); on a file system that folds case, also under a name differing
// only in case.
bool IsNameTaken(const QString& path);

// The error a path that cannot be found gets: a missing folder on the way,
// or a missing file in an existing folder.
FileError MissingPathError(const QString& path);

// The error of the last failed system call (errno) on the given path.
FileError ErrorFromErrno(int error, const QString& path);

// Regular files of a folder that are not hidden, sorted as a desktop file
// list sorts names. An unreadable or missing folder lists nothing.
QStringList ListFiles(const QString& folder);

// The names ListFiles lists and the symbolic links beside them, unsorted, in
// the folder's own order: visit(name, listed, viaLink) for each, listed
// true for what ListFiles lists. False when the folder cannot be read.
bool ReadFiles(const QString& folder,
               const std::function<void(const char* name, bool listed, bool viaLink)>& visit);

// The names ListFiles lists that begin with the prefix, sorted the same
// way. Only those entries are looked at further, so a large folder costs
// little more than one read of its names.
QStringList ListFilesStartingWith(const QString& folder, const QString& prefix);

// Whether ListFiles would list the name in the folder now; *viaLink tells
// whether it is a symbolic link.
bool IsListedFile(const QString& folder, const QString& name, bool* viaLink);

// Sub-folders of a folder that are not hidden, sorted the same way.
QStringList ListSubfolders(const QString& folder);

// Whether the folder can be listed at all ("drive ready").
bool CanListFolder(const QString& folder, QString* reason = nullptr);

// Sorts names locale-aware, ignoring case, numbers in numeric order.
void SortNames(QStringList& names);

FileError RemoveFile(const QString& path);

// Gives the owner write permission back (the "normal attributes").
FileError MakeWritable(const QString& path);

// A file written whole and flushed in a folder, not yet under any name:
// an unnamed file where the file system has them (so a crash or kill leaves
// nothing behind), else one under a short hidden temporary name of this
// program. Dropped when it goes out of scope unplaced.
class StagedFile {
public:
    StagedFile() = default;
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    ~StagedFile();

    // Gives the file its name. Without replace a file of that name is never
    // replaced: the placing fails with NameTaken instead.
    FileError place(const QString& destination, bool replace);

private:
    friend class Stager;
    void drop();
    int fd_ = -1;
    QByteArray temporary_; // empty for an unnamed file
};

// Writes a copy of source, stamped with its permissions and times, into the
// folder of destination.
FileError StageCopy(const QString& source, const QString& destination, StagedFile& staged);

// Copies source over destination. The copy is staged in the destination's
// folder and put under its name only once complete, so a failed copy leaves
// any earlier destination file untouched.
FileError CopyReplacing(const QString& source, const QString& destination);

// Renames source to destination only while no file has that name (on a
// file system that folds case, no name differing only in case either);
// CrossDevice when the two are on different file systems, NameTaken when the
// name is taken (nothing is touched then).
FileError RenameNoReplace(const QString& source, const QString& destination);

// The same for a name in an open folder (AT_FDCWD: a path of its own) and
// a destination in the system's bytes: 0 when renamed, else -1 with errno
// (EEXIST when the name is taken).
int RenameAtWithoutReplacing(int folderFd, const QByteArray& name, const QByteArray& destination);

// Renames source to destination, replacing it; CrossDevice when the two are
// on different file systems (nothing is touched then).
FileError RenameReplacing(const QString& source, const QString& destination);

// Moves source to destination, replacing it. A rename on one file system; across
// file systems a complete copy first, and the source removed only after that.
FileError MoveReplacing(const QString& source, const QString& destination);

// Replaces the file with the content, staged beside it, flushed to disk and
// renamed over it only when whole: a full disk or a crash leaves the
// previous file as it was. The new file keeps the old one's permissions.
FileError WriteFileAtomically(const QString& path, const QByteArray& content);

// True when both paths name the same existing file.
bool SameFile(const QString& a, const QString& b);

// What tells a file from another one that later took its name: its file
// system, inode, size and modification time. FAT, exFAT and FUSE file
// systems make inode numbers up as names are looked up, so there the inode
// does not count.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;
    qint64 modifiedSeconds = 0;
    qint64 modifiedNanoseconds = 0;
    bool inodeKept = true; // the file system keeps a file's inode number
    bool operator==(const FileIdentity& other) const;
};

// The identity of what the path names (a link itself, not its target); false
// when there is nothing.
bool IdentityOf(const QString& path, FileIdentity* identity);

// True when both files can be read and hold the same bytes.
bool SameContent(const QString& a, const QString& b);

// The bytes a path is handed to the system as.
QByteArray NativePath(const QString& path);

// Tests switch unnamed files off to run what a file system without them runs.
void SetUnnamedFilesAllowed(bool allowed);

} // namespace sorvane
