#include "imaging/PictureSource.h"

#include "imaging/Colour.h"
#include "imaging/Fit.h"
#include "imaging/ImageKinds.h"
#include "png/PNGLoader.h"
#include "png/PngInBox.h"

#include <algorithm>
#include <chrono>
#include <sys/resource.h>
#include <unistd.h>

namespace sorvane {
namespace {

// With a box the rows go straight into a picture of the box's size, so a
// picture of any size costs no more than the box (see LoadPngPictureInBox).
Picture LoadPng(const QString& path, QSize box) {
    Picture picture;
    if (box.isValid()) {
        BoxedPng png = LoadPngPictureInBox(path, [box](QSize natural) {
            return ShrinksToFit(natural, box) ? FittedSize(natural, box) : natural;
        });
        picture.image = std::move(png.image);
        picture.naturalSize = png.naturalSize;
    } else {
        picture.image = LoadPngPicture(path);
        picture.naturalSize = picture.image.size();
    }
    if (picture.isNull())
        picture.naturalSize = QSize(0, 0);
    ConvertToSrgb(picture.image);
    return picture;
}

// Readers hand out pictures in their own formats (three bytes a pixel,
// grey, alpha not premultiplied), which the screen's painter would convert
// at every paint, on the window's thread. Converted once here, on the thread
// that read them, they are drawn as they are: opaque pictures as 32-bit
// RGB, the screen's own format, see-through ones premultiplied.
void PrepareForScreen(QImage& image) {
    if (image.isNull())
        return;
    const QImage::Format drawn =
        image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    if (image.format() != drawn)
        image.convertTo(drawn);
}

// A running average over the last few reads, so one slow picture does not
// swing it.
void NoteReadTime(std::atomic<int>& recent, std::chrono::steady_clock::time_point taken) {
    const auto ms = int(std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - taken)
                            .count());
    const int before = recent;
    recent = before == 0 ? std::max(ms, 1) : (3 * before + ms + 3) / 4;
}

} // namespace

PictureSource::PictureSource() : PictureSource(Options{}) {}

PictureSource::PictureSource(Options options) : options_(options), cache_(options.cacheCapacity) {}

PictureSource::~PictureSource() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        pending_.clear();
    }
    changed_.notify_all();
    for (std::thread& worker : workers_)
        worker.join();
}

Picture PictureSource::decode(const QString& path, QSize box) const {
    Picture picture = IsPngFile(path) ? LoadPng(path, box) : ReadPicture(path, box);
    PrepareForScreen(picture.image);
    return picture;
}

bool PictureSource::inFlight(const QString& path, QSize box) const {
    return std::any_of(inFlight_.begin(), inFlight_.end(),
                       [&](const Job& job) { return job.box == box && job.path == path; });
}

// Decodes and keeps the picture if its file did not change meanwhile. The
// file counts as in flight meanwhile, so no other thread decodes it as well.
// Called with the lock held; releases it while decoding, and while it frees
// the pictures the cache dropped: the window's thread takes the same lock on
// a key press, and a worker (at a lower priority) must not keep it waiting.
Picture PictureSource::decodeAndKeep(std::unique_lock<std::mutex>& lock, const Job& job,
                                     const FileStamp& stamp) {
    inFlight_.push_back(job);
    lock.unlock();
    Picture picture = decode(job.path, job.box);
    const bool unchanged = FileStamp::of(job.path) == stamp;
    lock.lock();
    std::vector<Picture> dropped;
    if (unchanged)
        dropped = cache_.store(job.path, job.box, stamp, picture);
    inFlight_.erase(std::find_if(inFlight_.begin(), inFlight_.end(), [&](const Job& j) {
        return j.box == job.box && j.path == job.path;
    }));
    changed_.notify_all();
    if (!dropped.empty()) {
        lock.unlock();
        dropped.clear();
        lock.lock();
    }
    return picture;
}

Picture PictureSource::load(const QString& path, QSize box) {
    const std::optional<FileStamp> stamp = FileStamp::of(path);
    if (!stamp)
        return decode(path, box); // missing or no regular file: the decoder says which error
    std::unique_lock lock(mutex_);
    // A worker already reading this file finishes sooner than a second decode.
    changed_.wait(lock, [&] { return !inFlight(path, box); });
    if (std::optional<Picture> cached = cache_.find(path, box, *stamp))
        return *cached;
    return decodeAndKeep(lock, Job{path, box}, *stamp);
}

std::optional<Picture> PictureSource::ready(const QString& path, QSize box) {
    const std::optional<FileStamp> stamp = FileStamp::of(path);
    if (!stamp)
        return std::nullopt;
    std::lock_guard lock(mutex_);
    return cache_.find(path, box, *stamp);
}

void PictureSource::prefetch(const QStringList& paths, QSize box) {
    if (options_.workers <= 0)
        return;
    {
        std::lock_guard lock(mutex_);
        // Started by the first files asked for, not with the source: a
        // window's start has no reading ahead to do before its first paint.
        while (int(workers_.size()) < options_.workers)
            workers_.emplace_back([this] { work(); });
        pending_.clear();
        for (const QString& path : paths)
            if (!path.isEmpty())
                pending_.push_back(Job{path, box});
    }
    changed_.notify_all();
}

int PictureSource::cachedCount() {
    std::lock_guard lock(mutex_);
    return cache_.size();
}

void PictureSource::work() {
    // Reading ahead must never slow the window down: the workers yield the
    // processor to it, ten steps below the thread that started them (the
    // window's) whatever that one runs at, so a program started at a higher
    // priority reads ahead at a higher one too.
    const id_t self = id_t(::gettid());
    ::setpriority(PRIO_PROCESS, self, ::getpriority(PRIO_PROCESS, self) + 10);
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
        if (stopping_)
            return;
        const Job job = pending_.front();
        pending_.pop_front();
        if (inFlight(job.path, job.box))
            continue;
        const auto taken = std::chrono::steady_clock::now();
        // The file system is asked without the lock (see decodeAndKeep).
        lock.unlock();
        const std::optional<FileStamp> stamp = FileStamp::of(job.path);
        lock.lock();
        if (stopping_)
            return;
        if (stamp && !inFlight(job.path, job.box) && !cache_.contains(job.path, job.box, *stamp)) {
            decodeAndKeep(lock, job, *stamp);
            NoteReadTime(recentReadMs_, taken);
        }
    }
}

} // namespace sorvane
