#pragma once

#include "platform/FileOps.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace sorvane {

// Folder work of the folder setup window: making and removing one folder,
// and emptying the bulk-delete folder. Paths are absolute and clean.

// The absolute, clean path a typed folder text names; a relative text is
// taken against base (the folder the window shows).
QString ResolveFolderText(const QString& text, const QString& base);

// Why making a folder failed, as precisely as the window tells it.
enum class MakeFolderResult {
    Made,
    NoName,        // nothing typed
    DotName,       // the last name is "." or ".."
    ParentMissing, // more than one level at once: a folder on the way is missing
    AlreadyExists, // a folder or file has the name already
    NameTooLong,   // a name or the whole path is past the file system's limit
    InvalidName,   // the file system takes no such name (a FAT drive's forbidden characters)
    NotWritable,   // no permission in the parent, or a read-only drive
    DiskFull,
    Other,
};

// Makes exactly the one folder the typed text names (resolved against base):
// its parent must already exist, and nothing may exist under the name yet.
MakeFolderResult MakeFolder(const QString& text, const QString& base);

// Why removing a folder failed.
enum class RemoveFolderResult {
    Removed,
    Root,         // the file-system root
    MountPoint,   // another file system is mounted on it
    HoldsFolders, // a visible sub-folder is inside
    HoldsFiles,   // visible files, but no visible sub-folder
    HoldsHidden,  // only hidden names, which the lists do not show
    NotWritable,  // no permission in the parent, or a read-only drive
    Missing,
    Other,
};

// Removes one empty folder; nothing inside a folder is ever deleted.
RemoveFolderResult RemoveEmptyFolder(const QString& path);

// Why a folder must not be emptied by the bulk delete. The slots start out
// as "/" and a vanished slot folder falls back to "/", so one habitual OK
// must never empty the root, the home folder or the program's own folder.
enum class BulkDeleteRefusal {
    None,
    NotSet,        // the slot is empty
    Root,          // the file-system root, by any name
    Home,          // the user's home folder, by any name
    ProgramFolder, // the folder holding the program and its settings
    NotAFolder,    // missing, or not a folder
    CannotOpen,    // a folder that cannot be listed (no permission)
    SymbolicLink,  // a symbolic link, never followed, whatever it points to
};

// The bulk-delete folder, opened before the user is asked and used through
// that one descriptor to the end: the refusals look at the folder opened, and
// the deletion removes names relative to it. Renaming or replacing a folder
// on the way while the question is on screen therefore cannot turn the
// deletion onto another folder, and the path is checked to name the same
// folder once the user has answered.
class BulkDeleteFolder {
public:
    // Opens the folder itself, never a symbolic link in its place.
    explicit BulkDeleteFolder(const QString& path);
    ~BulkDeleteFolder();
    BulkDeleteFolder(const BulkDeleteFolder&) = delete;
    BulkDeleteFolder& operator=(const BulkDeleteFolder&) = delete;

    // Compares the folder opened with the root, home and each of the
    // program's folders by device and inode, so no other name of them (a
    // link on the way, "..", a bind mount) gets past.
    BulkDeleteRefusal refusal(const QString& home, const QStringList& programFolders) const;

    // True while the path still names the folder opened.
    bool stillNamed() const;

    // Deletes the folder's own regular files and symbolic links (a link is
    // removed as a link; what it points to is untouched). Hidden names,
    // sub-folders and special files stay, and no permission is changed.
    // Returns how many files could not be deleted, or -1 when the folder
    // is not open (nothing is deleted then). With toTrash each goes into its
    // trash instead, renamed from the folder opened; a file no trash takes
    // stays where it is and counts as not deleted. Each file deleted or
    // trashed is told to deleted, with what it was, once it is gone.
    using Deleted = std::function<void(const QString& path, const FileIdentity& identity)>;
    int deleteFiles(bool toTrash = false, const Deleted& deleted = {}) const;

private:
    BulkDeleteRefusal refusalOfUnopened() const;

    QByteArray path_;
    int fd_ = -1;
    int openError_ = 0;
};

} // namespace sorvane
