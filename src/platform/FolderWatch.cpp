#include "platform/FolderWatch.h"

#include "platform/NativeName.h"

#include <cerrno>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace sorvane {
namespace {

constexpr uint32_t WatchedEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                   IN_CLOSE_WRITE | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF |
                                   IN_ONLYDIR;
// Events after which the names in the queue no longer describe the folder.
constexpr uint32_t LostTrack =
    IN_Q_OVERFLOW | IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT;

// File systems shared over a network: inotify sees only this machine's
// changes there, so every refresh must read the folder.
bool IsRemote(const QByteArray& path) {
    struct statfs fs;
    if (::statfs(path.constData(), &fs) != 0)
        return true;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0x6969UL:     // NFS
    case 0x517BUL:     // SMB
    case 0xFF534D42UL: // CIFS
    case 0xFE534D42UL: // SMB2
    case 0x65735546UL: // FUSE
    case 0x01021997UL: // 9P
    case 0x00C36400UL: // Ceph
    case 0x5346414FUL: // AFS
    case 0x73757245UL: // Coda
        return true;
    default:
        return false;
    }
}

} // namespace

FolderWatch::~FolderWatch() {
    stop();
}

void FolderWatch::stop() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

void FolderWatch::watch(const QString& folder) {
    stop();
    folder_ = folder;
    const QByteArray path = ToNativeName(folder);
    struct stat st;
    if (folder.isEmpty() || IsRemote(path))
        return;
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0)
        return;
    // The watch comes before the look at the folder, so nothing changed in
    // between goes unseen.
    if (::inotify_add_watch(fd_, path.constData(), WatchedEvents) < 0 ||
        ::stat(path.constData(), &st) != 0)
        return stop();
    device_ = st.st_dev;
    inode_ = st.st_ino;
}

FolderWatch::Changes FolderWatch::take() {
    Changes changes;
    changes.everything = fd_ < 0 || !readEvents(changes.names) || !stillSameFolder();
    if (changes.everything) {
        changes.names.clear();
        watch(folder_);
    }
    return changes;
}

// Appends the names of the queued events; false when the queue lost track.
bool FolderWatch::readEvents(QStringList& names) {
    alignas(inotify_event) char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno == EAGAIN;
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->mask & LostTrack)
                return false;
            if (event->len > 0)
                names.append(FromNativeName(static_cast<const char*>(event->name)));
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
    }
}

// The watch follows the folder it was given; the path may since name
// another one (a parent renamed, a file system mounted over it).
bool FolderWatch::stillSameFolder() const {
    struct stat st;
    return ::stat(ToNativeName(folder_).constData(), &st) == 0 && st.st_dev == device_ &&
           st.st_ino == inode_;
}

} // namespace sorvane
