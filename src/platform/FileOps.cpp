#include "platform/FileOps.h"

#include "platform/NameOrder.h"
#include "platform/NativeName.h"
#include "platform/OwnFiles.h"
#include "platform/Paths.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <vector>

namespace sorvane {
namespace {

QByteArray Native(const QString& path) {
    return ToNativeName(path);
}

bool StatPath(const QString& path, struct stat* st) {
    return ::stat(Native(path).constData(), st) == 0;
}

enum class EntryKind { File, Folder, Other };

EntryKind KindOfMode(mode_t mode) {
    if (S_ISREG(mode))
        return EntryKind::File;
    return S_ISDIR(mode) ? EntryKind::Folder : EntryKind::Other;
}

// What the entry is, following a symbolic link; *viaLink tells whether it is
// one (such an entry changes when its target does, not when the folder does).
EntryKind KindOf(int dirFd, const char* name, unsigned char type, bool* viaLink) {
    *viaLink = type == DT_LNK;
    if (type == DT_REG)
        return EntryKind::File;
    if (type == DT_DIR)
        return EntryKind::Folder;
    struct stat st;
    if (type == DT_UNKNOWN && ::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) == 0)
        *viaLink = S_ISLNK(st.st_mode);
    if (type != DT_UNKNOWN && type != DT_LNK)
        return EntryKind::Other;
    return ::fstatat(dirFd, name, &st, 0) == 0 ? KindOfMode(st.st_mode) : EntryKind::Other;
}

// Calls visit(name, kind, viaLink) for every entry that is not hidden, in
// the folder's own order; false when the folder cannot be read.
template <typename Visit> bool ForEachVisibleEntry(const QString& folder, Visit visit) {
    DIR* dir = ::opendir(Native(folder).constData());
    if (!dir)
        return false;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue; // hidden, and the "." and ".." entries
        bool viaLink = false;
        const EntryKind kind = KindOf(::dirfd(dir), entry->d_name, entry->d_type, &viaLink);
        visit(entry->d_name, kind, viaLink);
    }
    ::closedir(dir);
    return true;
}

QStringList ListEntries(const QString& folder, EntryKind wanted) {
    QStringList names;
    ForEachVisibleEntry(folder, [&](const char* name, EntryKind kind, bool) {
        if (kind == wanted)
            names.append(FromNativeName(name));
    });
    SortNames(names);
    return names;
}

bool WriteAll(int fd, const char* data, size_t size) {
    for (size_t done = 0; done < size;) {
        const ssize_t put = ::write(fd, data + done, size - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += size_t(put);
    }
    return true;
}

// Reads until the buffer is full or the file ends: the bytes read, or -1.
ssize_t ReadFull(int fd, char* buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, buffer + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += size_t(got);
    }
    return ssize_t(done);
}

// Copies everything readable from one descriptor to another; false on any
// failed or short read or write.
bool CopyContent(int in, int out) {
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (!WriteAll(out, buffer, size_t(got)))
            return false;
    }
}

// Gives the copy the source's permissions and its access and modification
// times, as a file copy does: people sort pictures by date afterwards. Best
// effort: a file system without permissions (a camera card) still gets the
// whole content.
void KeepStampOf(const struct stat& source, int out) {
    (void)::fchmod(out, source.st_mode & 0777);
    const struct timespec times[2] = {source.st_atim, source.st_mtim};
    (void)::futimens(out, times);
}

bool unnamedFilesAllowed = true;

// Opens a new, empty file in the folder: unnamed where the file system has
// unnamed files, else under a new temporary name (in *temporary).
int OpenStaging(const QString& folder, mode_t mode, QByteArray* temporary) {
    if (unnamedFilesAllowed) {
        const int fd = ::open(Native(folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
        if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
            return fd;
    }
    for (;;) {
        *temporary = Native(NewOwnFileName(folder, OwnFile::Temporary));
        const int fd =
            ::open(temporary->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
}

// Gives an unnamed file a name; the name must be free.
int LinkUnnamed(int fd, const QByteArray& name) {
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
    if (errno != ENOENT || ::access("/proc/self/fd", F_OK) == 0)
        return -1;
    return ::linkat(fd, "", AT_FDCWD, name.constData(), AT_EMPTY_PATH); // no /proc mounted
}

// The error of a placing that must not replace: NameTaken when the name is.
FileError PlacingError(int error, const QString& destination) {
    return error == EEXIST ? FileError::NameTaken : ErrorFromErrno(error, destination);
}

// Whether a file system of that type gives a file the same inode number at
// every lookup.
bool KeepsInodes(decltype(statfs::f_type) type) {
    constexpr decltype(type) msdos = 0x4d44, exfat = 0x2011bab0, fuse = 0x65735546;
    return type != msdos && type != exfat && type != fuse;
}

} // namespace

// Makes staged files; a friend of StagedFile.
class Stager {
public:
    // Opens a staged file beside destination, fills it with write(fd) and
    // flushes it to disk.
    template <typename Writer>
    static FileError stage(const QString& destination, mode_t mode, Writer write,
                           StagedFile& staged) {
        staged.drop();
        staged.fd_ = OpenStaging(ParentFolder(destination), mode, &staged.temporary_);
        if (staged.fd_ < 0)
            return ErrorFromErrno(errno, destination);
        if (write(staged.fd_) && ::fsync(staged.fd_) == 0)
            return FileError::None;
        // A failed write leaves its errno; of those only a full disk is told apart.
        const FileError failed = ErrorFromErrno(errno, destination);
        return failed == FileError::DiskFull ? failed : FileError::Other;
    }
};

bool IsRegularFile(const QString& path) {
    struct stat st;
    return StatPath(path, &st) && S_ISREG(st.st_mode);
}

bool IsFolder(const QString& path) {
    struct stat st;
    return !path.isEmpty() && StatPath(path, &st) && S_ISDIR(st.st_mode);
}

bool IsNameTaken(const QString& path) {
    struct stat st;
    return ::lstat(Native(path).constData(), &st) == 0 && !S_ISDIR(st.st_mode);
}

FileError MissingPathError(const QString& path) {
    return IsFolder(ParentFolder(path)) ? FileError::FileNotFound : FileError::PathNotFound;
}

FileError ErrorFromErrno(int error, const QString& path) {
    switch (error) {
    case ENOENT:
        return MissingPathError(path);
    case ENOTDIR:
        return FileError::PathNotFound;
    case EACCES:
    case EPERM:
    case EBUSY:
    case ENOTEMPTY:
    case EEXIST:
    case EROFS:
    case ETXTBSY:
        return FileError::Access;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileError::DiskFull;
    default:
        return FileError::Other;
    }
}

void SortNames(QStringList& names) {
    const QCollator collator = MakeNameCollator();
    std::vector<std::pair<QCollatorSortKey, int>> keys;
    keys.reserve(size_t(names.size()));
    for (int i = 0; i < names.size(); ++i)
        keys.emplace_back(collator.sortKey(names[i]), i);
    std::stable_sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
        const int order = a.first.compare(b.first);
        return order != 0 ? order < 0 : names[a.second] < names[b.second];
    });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const auto& key : keys)
        sorted.append(names[key.second]);
    names.swap(sorted);
}

QStringList ListFiles(const QString& folder) {
    return ListEntries(folder, EntryKind::File);
}

bool ReadFiles(const QString& folder, const std::function<void(const char*, bool, bool)>& visit) {
    return ForEachVisibleEntry(folder, [&](const char* name, EntryKind kind, bool viaLink) {
        if (kind == EntryKind::File || viaLink)
            visit(name, kind == EntryKind::File, viaLink);
    });
}

QStringList ListFilesStartingWith(const QString& folder, const QString& prefix) {
    const QByteArray start = ToNativeName(prefix);
    QStringList names;
    DIR* dir = ::opendir(Native(folder).constData());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.' ||
            std::strncmp(entry->d_name, start.constData(), size_t(start.size())) != 0)
            continue; // hidden (and "." and ".."), or another name
        bool viaLink = false;
        if (KindOf(::dirfd(dir), entry->d_name, entry->d_type, &viaLink) == EntryKind::File)
            names.append(FromNativeName(entry->d_name));
    }
    ::closedir(dir);
    SortNames(names);
    return names;
}

bool IsListedFile(const QString& folder, const QString& name, bool* viaLink) {
    struct stat st;
    const QString path = folder + u'/' + name;
    *viaLink = ::lstat(Native(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
    return !name.startsWith(u'.') && StatPath(path, &st) && S_ISREG(st.st_mode);
}

QStringList ListSubfolders(const QString& folder) {
    return ListEntries(folder, EntryKind::Folder);
}

bool CanListFolder(const QString& folder, QString* reason) {
    DIR* dir = ::opendir(Native(folder).constData());
    if (!dir) {
        if (reason)
            *reason = QString::fromLocal8Bit(::strerror(errno));
        return false;
    }
    ::closedir(dir);
    return true;
}

FileError RemoveFile(const QString& path) {
    if (::unlink(Native(path).constData()) == 0)
        return FileError::None;
    return ErrorFromErrno(errno, path);
}

FileError MakeWritable(const QString& path) {
    struct stat st;
    if (!StatPath(path, &st))
        return ErrorFromErrno(errno, path);
    if (st.st_mode & S_IWUSR)
        return FileError::None;
    if (::chmod(Native(path).constData(), (st.st_mode | S_IWUSR) & 07777) == 0)
        return FileError::None;
    return ErrorFromErrno(errno, path);
}

StagedFile::~StagedFile() {
    drop();
}

void StagedFile::drop() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!temporary_.isEmpty())
        ::unlink(temporary_.constData());
    fd_ = -1;
    temporary_.clear();
}

FileError StagedFile::place(const QString& destination, bool replace) {
    const QByteArray target = Native(destination);
    if (temporary_.isEmpty() && !replace) // an unnamed file straight to its name
        return LinkUnnamed(fd_, target) == 0 ? (drop(), FileError::None)
                                             : PlacingError(errno, destination);
    while (temporary_.isEmpty()) { // a name to rename over the destination from
        const QByteArray name =
            Native(NewOwnFileName(ParentFolder(destination), OwnFile::Temporary));
        if (LinkUnnamed(fd_, name) == 0)
            temporary_ = name;
        else if (errno != EEXIST)
            return ErrorFromErrno(errno, destination);
    }
    const int placed = replace ? ::rename(temporary_.constData(), target.constData())
                               : RenameAtWithoutReplacing(AT_FDCWD, temporary_, target);
    const int error = errno;
    if (placed == 0)
        temporary_.clear();
    drop();
    return placed == 0 ? FileError::None : PlacingError(error, destination);
}

FileError StageCopy(const QString& source, const QString& destination, StagedFile& staged) {
    const int in = ::open(Native(source).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return ErrorFromErrno(errno, source);
    struct stat st;
    if (::fstat(in, &st) != 0) {
        const int error = errno;
        ::close(in);
        return ErrorFromErrno(error, source);
    }
    const FileError error = Stager::stage(
        destination, S_IRUSR | S_IWUSR,
        [in, &st](int out) {
            if (!CopyContent(in, out))
                return false;
            KeepStampOf(st, out);
            return true;
        },
        staged);
    ::close(in);
    return error;
}

FileError CopyReplacing(const QString& source, const QString& destination) {
    if (SameFile(source, destination))
        return FileError::None; // copying a file onto itself must not truncate it
    StagedFile copy;
    const FileError staged = StageCopy(source, destination, copy);
    return staged != FileError::None ? staged : copy.place(destination, true);
}

FileError WriteFileAtomically(const QString& path, const QByteArray& content) {
    struct stat old;
    const bool replacing = StatPath(path, &old);
    const mode_t mode = replacing ? old.st_mode & 07777 : 0644;
    StagedFile file;
    const FileError staged = Stager::stage(
        path, mode,
        [&](int out) {
            if (replacing) // exactly the old permissions, whatever the umask
                (void)::fchmod(out, mode);
            return WriteAll(out, content.constData(), size_t(content.size()));
        },
        file);
    return staged != FileError::None ? staged : file.place(path, true);
}

// rename() that never replaces: renameat2 where the file system knows
// RENAME_NOREPLACE, else a look before the rename.
int RenameAtWithoutReplacing(int folderFd, const QByteArray& name, const QByteArray& destination) {
    if (::renameat2(folderFd, name.constData(), AT_FDCWD, destination.constData(),
                    RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL)
        return -1;
    struct stat st;
    if (::lstat(destination.constData(), &st) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::renameat(folderFd, name.constData(), AT_FDCWD, destination.constData());
}

namespace {

// What a failed rename tells: a missing path is the destination's when the
// source is still there. The error is taken before the look at the source,
// which may change errno.
FileError RenameFailure(int error, const QString& source, const QString& destination) {
    if (error == EXDEV)
        return FileError::CrossDevice;
    return ErrorFromErrno(error, error == ENOENT && IsRegularFile(source) ? destination : source);
}

} // namespace

FileError RenameNoReplace(const QString& source, const QString& destination) {
    if (RenameAtWithoutReplacing(AT_FDCWD, Native(source), Native(destination)) == 0)
        return FileError::None;
    return errno == EEXIST ? FileError::NameTaken : RenameFailure(errno, source, destination);
}

FileError RenameReplacing(const QString& source, const QString& destination) {
    if (SameFile(source, destination))
        return FileError::None;
    if (::rename(Native(source).constData(), Native(destination).constData()) == 0)
        return FileError::None;
    return RenameFailure(errno, source, destination);
}

FileError MoveReplacing(const QString& source, const QString& destination) {
    const FileError renamed = RenameReplacing(source, destination);
    if (renamed != FileError::CrossDevice)
        return renamed;
    const FileError copied = CopyReplacing(source, destination);
    if (copied != FileError::None)
        return copied;
    return RemoveFile(source);
}

bool SameFile(const QString& a, const QString& b) {
    struct stat sa, sb;
    return StatPath(a, &sa) && StatPath(b, &sb) && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool FileIdentity::operator==(const FileIdentity& other) const {
    return device == other.device && size == other.size &&
           modifiedSeconds == other.modifiedSeconds &&
           modifiedNanoseconds == other.modifiedNanoseconds &&
           (!inodeKept || !other.inodeKept || inode == other.inode);
}

bool IdentityOf(const QString& path, FileIdentity* identity) {
    struct stat st;
    struct statfs fs;
    if (::lstat(Native(path).constData(), &st) != 0)
        return false;
    *identity = {quint64(st.st_dev),        quint64(st.st_ino),         qint64(st.st_size),
                 qint64(st.st_mtim.tv_sec), qint64(st.st_mtim.tv_nsec), true};
    if (::statfs(Native(path).constData(), &fs) == 0)
        identity->inodeKept = KeepsInodes(fs.f_type);
    return true;
}

bool SameContent(const QString& a, const QString& b) {
    const int in[2] = {::open(Native(a).constData(), O_RDONLY | O_CLOEXEC),
                       ::open(Native(b).constData(), O_RDONLY | O_CLOEXEC)};
    bool same = in[0] >= 0 && in[1] >= 0;
    static constexpr size_t Chunk = 1 << 16;
    std::vector<char> buffers(2 * Chunk);
    while (same) {
        const ssize_t got = ReadFull(in[0], buffers.data(), Chunk);
        same = got >= 0 && ReadFull(in[1], buffers.data() + Chunk, Chunk) == got &&
               std::memcmp(buffers.data(), buffers.data() + Chunk, size_t(got)) == 0;
        if (got == 0)
            break;
    }
    for (const int fd : in)
        if (fd >= 0)
            ::close(fd);
    return same;
}

QByteArray NativePath(const QString& path) {
    return Native(path);
}

void SetUnnamedFilesAllowed(bool allowed) {
    unnamedFilesAllowed = allowed;
}

} // namespace sorvane
