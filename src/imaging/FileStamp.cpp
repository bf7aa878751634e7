#include "imaging/FileStamp.h"

#include "platform/NativeName.h"

#include <sys/stat.h>

namespace sorvane {

std::optional<FileStamp> FileStamp::of(const QString& path) {
    struct stat st;
    if (::stat(ToNativeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    auto ns = [](const timespec& t) { return std::int64_t(t.tv_sec) * 1000000000 + t.tv_nsec; };
    return FileStamp{std::uint64_t(st.st_dev), std::uint64_t(st.st_ino), std::int64_t(st.st_size),
                     ns(st.st_mtim)};
}

} // namespace sorvane
