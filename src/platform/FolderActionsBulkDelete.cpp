// The bulk delete, on one open descriptor of the folder from the refusals to
// the last deleted name.
#include "platform/FolderActions.h"

#include "platform/NativeName.h"
#include "platform/Trash.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace sorvane {
namespace {

// The path without trailing slashes, so that opening it without following a
// link also refuses a link written as "link/".
QByteArray WithoutTrailingSlashes(const QString& path) {
    QByteArray native = ToNativeName(path);
    while (native.size() > 1 && native.endsWith('/'))
        native.chop(1);
    return native;
}

bool SameFolder(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether path names the folder described by folder; a path that cannot be
// looked up names nothing.
bool Names(const QString& path, const struct stat& folder) {
    struct stat st;
    return !path.isEmpty() && ::stat(ToNativeName(path).constData(), &st) == 0 &&
           SameFolder(st, folder);
}

// The names worth deleting: visible regular files and symbolic links.
std::vector<std::string> DeletableNames(int folderFd) {
    std::vector<std::string> names;
    const int listFd = ::dup(folderFd);
    DIR* dir = listFd < 0 ? nullptr : ::fdopendir(listFd);
    if (!dir) {
        if (listFd >= 0)
            ::close(listFd);
        return names;
    }
    ::rewinddir(dir); // the duplicate shares its position with earlier listings
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue; // hidden, and the "." and ".." entries
        struct stat st;
        if (::fstatat(folderFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)))
            names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    return names;
}

bool Holds(int folderFd, const std::string& name) {
    struct stat st;
    return ::fstatat(folderFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

} // namespace

BulkDeleteFolder::BulkDeleteFolder(const QString& path) : path_(WithoutTrailingSlashes(path)) {
    if (path_.isEmpty())
        return;
    fd_ = ::open(path_.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd_ < 0)
        openError_ = errno;
}

BulkDeleteFolder::~BulkDeleteFolder() {
    if (fd_ >= 0)
        ::close(fd_);
}

BulkDeleteRefusal BulkDeleteFolder::refusal(const QString& home,
                                            const QStringList& programFolders) const {
    if (path_.isEmpty())
        return BulkDeleteRefusal::NotSet;
    if (path_ == "/")
        return BulkDeleteRefusal::Root;
    struct stat folder;
    if (fd_ < 0 || ::fstat(fd_, &folder) != 0)
        return refusalOfUnopened();
    if (Names(QStringLiteral("/"), folder))
        return BulkDeleteRefusal::Root;
    if (Names(home, folder))
        return BulkDeleteRefusal::Home;
    for (const QString& programFolder : programFolders)
        if (Names(programFolder, folder))
            return BulkDeleteRefusal::ProgramFolder;
    return BulkDeleteRefusal::None;
}

// The folder could not be opened: a link in its place is told as a link, so
// the user does not look for a missing folder that is there.
BulkDeleteRefusal BulkDeleteFolder::refusalOfUnopened() const {
    struct stat named;
    if (::lstat(path_.constData(), &named) == 0 && S_ISLNK(named.st_mode))
        return BulkDeleteRefusal::SymbolicLink;
    return openError_ == EACCES || openError_ == EPERM ? BulkDeleteRefusal::CannotOpen
                                                       : BulkDeleteRefusal::NotAFolder;
}

bool BulkDeleteFolder::stillNamed() const {
    struct stat opened, named;
    return fd_ >= 0 && ::fstat(fd_, &opened) == 0 && ::lstat(path_.constData(), &named) == 0 &&
           S_ISDIR(named.st_mode) && SameFolder(opened, named);
}

int BulkDeleteFolder::deleteFiles(bool toTrash, const Deleted& deleted) const {
    if (fd_ < 0)
        return -1;
    int failed = 0;
    for (const std::string& name : DeletableNames(fd_)) {
        const QString path = deleted ? FromNativeName(path_ + '/' + name.c_str()) : QString();
        FileIdentity identity;
        if (deleted)
            IdentityOf(path, &identity);
        TrashedFile trashed;
        const bool gone = toTrash ? MoveToTrashAt(fd_, QByteArray::fromStdString(name), &trashed)
                                  : ::unlinkat(fd_, name.c_str(), 0) == 0;
        if (gone) {
            if (deleted)
                deleted(path, identity);
        } else if (toTrash ? Holds(fd_, name) : errno != ENOENT) {
            ++failed; // a file someone else removed meanwhile is gone all the same
        }
    }
    return failed;
}

} // namespace sorvane
