#include "imaging/PictureCache.h"

#include <algorithm>

namespace sorvane {

std::list<PictureCache::Entry>::iterator PictureCache::locate(const QString& path, QSize box) {
    return std::find_if(entries_.begin(), entries_.end(),
                        [&](const Entry& e) { return e.box == box && e.path == path; });
}

std::optional<Picture> PictureCache::find(const QString& path, QSize box, const FileStamp& stamp) {
    const auto it = locate(path, box);
    if (it == entries_.end() || !(it->stamp == stamp))
        return std::nullopt;
    entries_.splice(entries_.begin(), entries_, it);
    return it->picture;
}

bool PictureCache::contains(const QString& path, QSize box, const FileStamp& stamp) const {
    return std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) {
        return e.box == box && e.path == path && e.stamp == stamp;
    });
}

std::vector<Picture> PictureCache::store(const QString& path, QSize box, const FileStamp& stamp,
                                         const Picture& picture) {
    std::vector<Picture> dropped;
    const auto it = locate(path, box);
    if (it != entries_.end()) {
        dropped.push_back(std::move(it->picture));
        entries_.erase(it);
    }
    entries_.push_front(Entry{path, box, stamp, picture});
    while (int(entries_.size()) > capacity_) {
        dropped.push_back(std::move(entries_.back().picture));
        entries_.pop_back();
    }
    return dropped;
}

} // namespace sorvane
