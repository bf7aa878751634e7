#include "platform/Trash.h"

#include "platform/NativeName.h"
#include "platform/OwnFiles.h"
#include "platform/Paths.h"

#include <QDateTime>
#include <QDir>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {
namespace {

// Makes the folder with mode 0700 where it is missing; true when it is a
// folder (and not a link to one).
bool MakeFolder(const QString& path) {
    struct stat st;
    (void)::mkdir(NativePath(path).constData(), 0700);
    return ::lstat(NativePath(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeviceOf(const QString& path, dev_t* device) {
    struct stat st;
    if (::stat(NativePath(path).constData(), &st) != 0)
        return false;
    *device = st.st_dev;
    return true;
}

// The folder of the path with every link and "." or ".." resolved.
QString RealFolderOf(const QString& path) {
    char resolved[PATH_MAX];
    if (!::realpath(NativePath(ParentFolder(path)).constData(), resolved))
        return {};
    return FromNativeName(resolved);
}

// The mount point of the folder: its highest ancestor on the same device.
QString TopDirOf(const QString& realFolder, dev_t device) {
    QString top = realFolder;
    dev_t above;
    while (top != QStringLiteral("/") && DeviceOf(ParentFolder(top), &above) && above == device)
        top = ParentFolder(top);
    return top;
}

// The home trash, made when missing, when it lies on that device (*there
// tells whether it does).
QString HomeTrashOn(dev_t device, bool* there) {
    const QString trash = HomeTrash();
    QString existing = trash;
    dev_t found = 0;
    while (!DeviceOf(existing, &found) && existing != QStringLiteral("/"))
        existing = ParentFolder(existing);
    *there = found == device;
    if (!*there)
        return {};
    return QDir().mkpath(ParentFolder(trash)) && MakeFolder(trash) ? trash : QString();
}

QString VolumeTrash(const QString& top) {
    const QString uid = QString::number(::getuid());
    const QString shared = JoinPath(top, QStringLiteral(".Trash"));
    struct stat st; // a shared trash only when nobody can take others' folders from it
    if (::lstat(NativePath(shared).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
        (st.st_mode & S_ISVTX) && MakeFolder(shared + u'/' + uid))
        return shared + u'/' + uid;
    const QString own = JoinPath(top, QStringLiteral(".Trash-") + uid);
    return MakeFolder(own) ? own : QString();
}

// The n-th name tried for the file in the trash: "a.jpg", "a.2.jpg", ...
QString TrashName(const QString& name, int n) {
    if (n == 1)
        return name;
    const int dot = name.lastIndexOf(u'.');
    const int cut = dot > 0 ? dot : int(name.size());
    return name.left(cut) + u'.' + QString::number(n) + name.mid(cut);
}

// The entry for the file; Path is absolute, so that it names the file
// whatever folder this program ran in.
QByteArray TrashInfo(const QString& absolutePath) {
    return "[Trash Info]\nPath=" + NativePath(absolutePath).toPercentEncoding("/") +
           "\nDeletionDate=" +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toLatin1() +
           '\n';
}

bool WriteAllTo(int fd, const QByteArray& content) {
    return ::write(fd, content.constData(), size_t(content.size())) == content.size();
}

// Writes a new file of the content; *taken tells whether the name was.
bool WriteNewFile(const QString& path, const QByteArray& content, bool* taken = nullptr) {
    const int fd =
        ::open(NativePath(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (taken)
        *taken = fd < 0 && errno == EEXIST;
    if (fd < 0)
        return false;
    const bool written = WriteAllTo(fd, content);
    if (::close(fd) == 0 && written)
        return true;
    ::unlink(NativePath(path).constData());
    return false;
}

QByteArray ReadSmallFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(1 << 16) : QByteArray();
}

// A note beside the entries, written before an entry is made or its file
// taken out and removed after: "<entry name>\n<entry text>". A process
// killed in between leaves it, and ClearStaleClaims knows from it which
// entry to remove once its file is not there.
class Claim {
public:
    Claim(const QString& infoFolder, const QString& entry, const QByteArray& text)
        : path_(NewOwnFileName(infoFolder, OwnFile::Claim)) {
        written_ = WriteNewFile(path_, NativePath(entry) + '\n' + text);
    }
    ~Claim() {
        if (written_)
            ::unlink(NativePath(path_).constData());
    }
    bool written() const { return written_; }

private:
    QString path_;
    bool written_ = false;
};

struct Place {
    QString trash, entry;
    QString file() const { return trash + QStringLiteral("/files/") + entry; }
    QString info() const { return trash + QStringLiteral("/info/") + entry + ".trashinfo"; }
};

// A file on its way to the trash: a name in an open folder (AT_FDCWD for a
// path), the folder with every link resolved, and the file's device.
struct Source {
    int folderFd;
    QByteArray name;
    QString realFolder;
    dev_t device;
};

// Claims the place's entry and renames the file into it. *next tells that
// the name was taken and the next one is worth trying.
bool MoveInto(const Place& place, const Source& source, const QByteArray& text, bool* next) {
    *next = false;
    const Claim claim(ParentFolder(place.info()), place.entry, text);
    if (!claim.written())
        return false;
    if (!WriteNewFile(place.info(), text, next))
        return false; // taken, or a name too long for an entry
    if (RenameAtWithoutReplacing(source.folderFd, source.name, NativePath(place.file())) == 0)
        return true;
    *next = errno == EEXIST; // a stray file under that name
    ::unlink(NativePath(place.info()).constData());
    return false;
}

QString TrashOn(dev_t device, const QString& realFolder) {
    bool home = false;
    QString trash = HomeTrashOn(device, &home);
    if (home) // the home's volume has no trash of its own when the home's cannot be made
        return trash;
    return VolumeTrash(TopDirOf(realFolder, device));
}

bool TrashFrom(const Source& source, const QString& name, TrashedFile* trashed) {
    const QString trash = TrashOn(source.device, source.realFolder);
    if (trash.isEmpty() || !MakeFolder(trash + QStringLiteral("/files")) ||
        !MakeFolder(trash + QStringLiteral("/info")))
        return false;
    ClearStaleClaims(trash);
    const QByteArray text = TrashInfo(JoinPath(source.realFolder, name));
    for (int n = 1; n < 1000; ++n) {
        const Place place{trash, TrashName(name, n)};
        bool next = false;
        if (MoveInto(place, source, text, &next)) {
            *trashed = {place.file(), place.info(), text, {}};
            IdentityOf(place.file(), &trashed->identity);
            return true;
        }
        if (!next)
            return false;
    }
    return false;
}

} // namespace

QString HomeTrash() {
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (!data.startsWith(u'/')) // unset, empty or relative: the default
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return data + QStringLiteral("/Trash");
}

QString TrashFor(const QString& path) {
    struct stat st;
    const QString folder = RealFolderOf(path);
    if (::lstat(NativePath(path).constData(), &st) != 0 || folder.isEmpty())
        return {};
    return TrashOn(st.st_dev, folder);
}

bool MoveToTrash(const QString& path, TrashedFile* trashed) {
    struct stat st;
    const QString folder = RealFolderOf(path);
    if (::lstat(NativePath(path).constData(), &st) != 0 || folder.isEmpty())
        return false;
    return TrashFrom({AT_FDCWD, NativePath(path), folder, st.st_dev}, FileNameOf(path), trashed);
}

bool MoveToTrashAt(int folderFd, const QByteArray& name, TrashedFile* trashed) {
    struct stat st;
    if (::fstatat(folderFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    // The folder's own path as the system knows it now, for the entry and
    // for finding its volume's top.
    char folder[PATH_MAX];
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(folderFd);
    const ssize_t length = ::readlink(link.constData(), folder, sizeof folder);
    if (length <= 0 || size_t(length) >= sizeof folder || folder[0] != '/')
        return false;
    return TrashFrom({folderFd, name, FromNativeName(QByteArray(folder, length)), st.st_dev},
                     FromNativeName(name), trashed);
}

FileError RestoreFromTrash(const TrashedFile& trashed, const QString& path) {
    FileIdentity now;
    if (!IdentityOf(trashed.file, &now) || !(now == trashed.identity) ||
        (QFile::exists(trashed.info) && ReadSmallFile(trashed.info) != trashed.infoText))
        return FileError::NotTheSame;
    const QString infoFolder = ParentFolder(trashed.info);
    const QString entry = trashed.info.mid(infoFolder.size() + 1).chopped(10); // ".trashinfo"
    const Claim claim(infoFolder, entry, trashed.infoText);
    if (!claim.written())
        return FileError::Access;
    const FileError back = RenameNoReplace(trashed.file, path);
    if (back == FileError::None)
        ::unlink(NativePath(trashed.info).constData());
    return back;
}

int ClearStaleClaims(const QString& trash) {
    const QString infoFolder = trash + QStringLiteral("/info");
    DIR* dir = ::opendir(NativePath(infoFolder).constData());
    if (!dir)
        return 0;
    QStringList claims;
    while (const dirent* entry = ::readdir(dir))
        if (IsStaleOwnFile(entry->d_name, OwnFile::Claim))
            claims.append(FromNativeName(entry->d_name));
    ::closedir(dir);
    int removed = 0;
    for (const QString& claim : claims) {
        const QByteArray note = ReadSmallFile(infoFolder + u'/' + claim);
        const int cut = note.indexOf('\n');
        const Place place{trash, FromNativeName(note.left(cut))};
        struct stat st;
        const QByteArray entry = ReadSmallFile(place.info());
        // An entry cut short by the kill is the start of the claimed text.
        if (cut > 0 && ::lstat(NativePath(place.file()).constData(), &st) != 0 && errno == ENOENT &&
            QFile::exists(place.info()) && note.mid(cut + 1).startsWith(entry))
            removed += ::unlink(NativePath(place.info()).constData()) == 0;
        ::unlink(NativePath(infoFolder + u'/' + claim).constData());
    }
    return removed;
}

} // namespace sorvane
