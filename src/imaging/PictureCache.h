#pragma once

#include "imaging/FileStamp.h"
#include "imaging/PictureReader.h"

#include <QSize>
#include <QString>

#include <list>
#include <optional>
#include <vector>

namespace sorvane {

// Recently decoded pictures, keyed by path and the box they were fitted to,
// each with the stamp its file had when it was decoded. A picture is only
// handed out while its file still has that stamp, so a file changed on disk
// is never shown as it was. Holds at most `capacity` pictures, dropping the
// least recently used. Not thread-safe: its owner locks.
class PictureCache {
public:
    explicit PictureCache(int capacity) : capacity_(capacity) {}

    std::optional<Picture> find(const QString& path, QSize box, const FileStamp& stamp);
    bool contains(const QString& path, QSize box, const FileStamp& stamp) const;
    // Keeps the picture; returns the pictures it dropped to make room, for
    // the caller to free when it no longer holds its lock.
    std::vector<Picture> store(const QString& path, QSize box, const FileStamp& stamp,
                               const Picture& picture);
    int size() const { return int(entries_.size()); }

private:
    struct Entry {
        QString path;
        QSize box;
        FileStamp stamp;
        Picture picture;
    };
    std::list<Entry>::iterator locate(const QString& path, QSize box);

    int capacity_;
    std::list<Entry> entries_; // most recently used first
};

} // namespace sorvane
