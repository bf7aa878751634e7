#include "platform/Trash.h"

#include "platform/FileOps.h"

#include <QDateTime>
#include <QDir>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {
namespace {

bool MakeFolder(const QString& path) {
    return ::mkdir(NativePath(path).constData(), 0700) == 0 || errno == EEXIST;
}

bool SameFileSystem(const QString& file, const QString& folder) {
    struct stat a, b;
    return ::lstat(NativePath(file).constData(), &a) == 0 &&
           ::stat(NativePath(folder).constData(), &b) == 0 && a.st_dev == b.st_dev;
}

// The n-th name tried for the file in the trash: "a.jpg", "a.2.jpg", ...
QString TrashName(const QString& name, int n) {
    if (n == 1)
        return name;
    const int dot = name.lastIndexOf(u'.');
    const int cut = dot > 0 ? dot : int(name.size());
    return name.left(cut) + u'.' + QString::number(n) + name.mid(cut);
}

QByteArray TrashInfo(const QString& path) {
    return "[Trash Info]\nPath=" + NativePath(path).toPercentEncoding("/") + "\nDeletionDate=" +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toLatin1() +
           '\n';
}

// Claims the info entry for the name: false when it is taken or cannot be written.
bool WriteInfo(const QString& info, const QByteArray& content, bool* taken) {
    const int fd =
        ::open(NativePath(info).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    *taken = fd < 0 && errno == EEXIST;
    if (fd < 0)
        return false;
    const bool written = ::write(fd, content.constData(), size_t(content.size())) == content.size();
    if (::close(fd) == 0 && written)
        return true;
    ::unlink(NativePath(info).constData());
    return false;
}

} // namespace

QString HomeTrash() {
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (!data.startsWith(u'/')) // unset, empty or relative: the default
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return data + QStringLiteral("/Trash");
}

bool MoveToTrash(const QString& path, TrashedFile* trashed) {
    const QString trash = HomeTrash();
    if (!MakeFolder(trash) || !MakeFolder(trash + QStringLiteral("/files")) ||
        !MakeFolder(trash + QStringLiteral("/info")) ||
        !SameFileSystem(path, trash + QStringLiteral("/files")))
        return false;
    const QString name = path.mid(path.lastIndexOf(u'/') + 1);
    const QByteArray content = TrashInfo(path);
    for (int n = 1; n < 1000; ++n) {
        const QString entry = TrashName(name, n);
        const TrashedFile place{trash + QStringLiteral("/files/") + entry,
                                trash + QStringLiteral("/info/") + entry +
                                    QStringLiteral(".trashinfo")};
        bool taken = false;
        if (!WriteInfo(place.info, content, &taken)) {
            if (taken)
                continue;
            return false; // a name too long for an info entry, say
        }
        const FileError moved = RenameNoReplace(path, place.file);
        if (moved == FileError::None) {
            *trashed = place;
            return true;
        }
        ::unlink(NativePath(place.info).constData());
        if (moved != FileError::Access) // not a stray file under that name
            return false;
    }
    return false;
}

bool RestoreFromTrash(const TrashedFile& trashed, const QString& path) {
    if (RenameNoReplace(trashed.file, path) != FileError::None)
        return false;
    ::unlink(NativePath(trashed.info).constData());
    return true;
}

} // namespace sorvane
