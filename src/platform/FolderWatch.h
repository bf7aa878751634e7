#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>

namespace sorvane {

// Tells which names of one folder changed since it was last asked, from the
// kernel's inotify queue, so a refresh re-reads those names alone. The kernel
// queues an event before the rename or unlink that caused it returns, so a
// change made by this program is always seen at the next question. When the
// watch cannot tell (no inotify, a remote file system whose other clients it
// does not see, a full queue, the folder itself moved, removed or replaced)
// the answer is "everything", and the watch starts afresh on the path.
class FolderWatch {
public:
    FolderWatch() = default;
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Stops watching the previous folder and starts on this one.
    void watch(const QString& folder);

    struct Changes {
        bool everything = false; // read the whole folder again
        QStringList names;       // otherwise these names, in the order they changed
    };
    Changes take();

private:
    void stop();
    bool readEvents(QStringList& names);
    bool stillSameFolder() const;

    QString folder_;
    int fd_ = -1;
    dev_t device_ = 0;
    ino_t inode_ = 0;
};

} // namespace sorvane
