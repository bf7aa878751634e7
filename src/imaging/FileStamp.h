#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace sorvane {

// What identifies one version of a file's content on disk: which file it is,
// its size and when its content last changed. A file replaced or rewritten
// gets a new stamp; a rename of the file (or of another name for it) does not.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;

    bool operator==(const FileStamp&) const = default;

    // The stamp of the file now; none when it cannot be looked up.
    static std::optional<FileStamp> of(const QString& path);
};

} // namespace sorvane
