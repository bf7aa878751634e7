#pragma once

#include "imaging/PictureCache.h"
#include "imaging/PictureReader.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace sorvane {

// The one way the windows get pictures. PNG files (by their name) go through
// the PNG decoder, every other file through ReadPicture, which tells the
// kinds apart by content.
// A PNG the decoder cannot read is no picture and no error: the windows show
// nothing for it rather than the substitute picture.
//
// The files that will be shown next are usually known (the next names in the
// list), so they can be read ahead on worker threads into a small cache of
// pictures already fitted to the box they will be shown in. load() answers
// from that cache only while the file is unchanged on disk; otherwise, or for
// a file nobody read ahead, it decodes at once, exactly as without the cache.
class PictureSource {
public:
    struct Options {
        int cacheCapacity = 12; // pictures kept: what is shown and what is read ahead
        int workers = 2;        // read-ahead threads
    };

    PictureSource();
    explicit PictureSource(Options options);
    virtual ~PictureSource();
    PictureSource(const PictureSource&) = delete;
    PictureSource& operator=(const PictureSource&) = delete;

    // box is the size the picture will be shown in, in device pixels; a
    // larger picture comes already shrunk to fit it, upright, with its
    // natural (upright) size reported.
    // Virtual so that the benchmark can measure a plain reader in its place.
    virtual Picture load(const QString& path, QSize box = {});

    // The picture load() would give, only if it is already read and the
    // file unchanged; never decodes and never waits for a worker.
    std::optional<Picture> ready(const QString& path, QSize box);

    // The files to read ahead for the box, most wanted first. Replaces the
    // files asked for before that no worker has started yet.
    virtual void prefetch(const QStringList& paths, QSize box);

    int cachedCount();

    // How long the workers took lately from taking a file to having its
    // picture ready, in milliseconds; 0 before their first. A burst of sends
    // reads ahead the files it will have reached by then.
    int recentReadMs() const { return recentReadMs_; }

private:
    struct Job {
        QString path;
        QSize box;
    };
    Picture decode(const QString& path, QSize box) const;
    Picture decodeAndKeep(std::unique_lock<std::mutex>& lock, const Job& job,
                          const FileStamp& stamp);
    bool inFlight(const QString& path, QSize box) const;
    void work();

    Options options_;
    std::mutex mutex_;
    std::condition_variable changed_;
    PictureCache cache_;
    std::deque<Job> pending_;
    std::vector<Job> inFlight_;
    bool stopping_ = false;
    std::atomic<int> recentReadMs_ = 0;
    std::vector<std::thread> workers_;
};

} // namespace sorvane
