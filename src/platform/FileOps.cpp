#include "platform/FileOps.h"

#include "platform/NameOrder.h"

#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {
namespace {

QByteArray Native(const QString& path) {
    return path.toUtf8();
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
            names.append(QString::fromUtf8(name));
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

QString TemporaryBeside(const QString& destination) {
    const int slash = destination.lastIndexOf(u'/');
    return destination.left(slash + 1) + QStringLiteral(".sorvane-copy-") +
           QString::number(::getpid()) + u'-' + destination.mid(slash + 1);
}

// Writes a temporary file beside the destination with the given writer and
// renames it over the destination once it is whole and on disk.
template <typename Writer>
FileError WriteBeside(const QString& destination, mode_t mode, Writer write) {
    const QByteArray temporary = Native(TemporaryBeside(destination));
    const int out = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (out < 0)
        return ErrorFromErrno(errno, destination);
    bool whole = write(out);
    whole = (::fsync(out) == 0) && whole;
    whole = (::close(out) == 0) && whole;
    if (whole && ::rename(temporary.constData(), Native(destination).constData()) == 0)
        return FileError::None;
    const int error = errno;
    ::unlink(temporary.constData());
    return whole ? ErrorFromErrno(error, destination) : FileError::Other;
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

} // namespace

bool IsRegularFile(const QString& path) {
    struct stat st;
    return StatPath(path, &st) && S_ISREG(st.st_mode);
}

bool IsFolder(const QString& path) {
    struct stat st;
    return !path.isEmpty() && StatPath(path, &st) && S_ISDIR(st.st_mode);
}

FileError MissingPathError(const QString& path) {
    const int slash = path.lastIndexOf(u'/');
    const QString parent = slash <= 0 ? QStringLiteral("/") : path.left(slash);
    return IsFolder(parent) ? FileError::FileNotFound : FileError::PathNotFound;
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

FileError CopyReplacing(const QString& source, const QString& destination) {
    if (SameFile(source, destination))
        return FileError::None; // copying a file onto itself must not truncate it
    const int in = ::open(Native(source).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return ErrorFromErrno(errno, source);
    struct stat st;
    if (::fstat(in, &st) != 0) {
        const int error = errno;
        ::close(in);
        return ErrorFromErrno(error, source);
    }
    const FileError error = WriteBeside(destination, S_IRUSR | S_IWUSR, [in, &st](int out) {
        if (!CopyContent(in, out))
            return false;
        KeepStampOf(st, out);
        return true;
    });
    ::close(in);
    return error;
}

FileError WriteFileAtomically(const QString& path, const QByteArray& content) {
    return WriteBeside(path, 0644, [&content](int out) {
        return WriteAll(out, content.constData(), size_t(content.size()));
    });
}

FileError RenameReplacing(const QString& source, const QString& destination) {
    if (SameFile(source, destination))
        return FileError::None;
    if (::rename(Native(source).constData(), Native(destination).constData()) == 0)
        return FileError::None;
    if (errno == EXDEV)
        return FileError::CrossDevice;
    return ErrorFromErrno(errno, errno == ENOENT && IsRegularFile(source) ? destination : source);
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

} // namespace sorvane
