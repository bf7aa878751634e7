#pragma once

#include <csignal>
#include <sys/resource.h>

namespace sorvane::test {

// A disk that fills up: while it lives, no file of this process grows past
// the given size (a write past it fails instead of killing the process).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        const rlimit tight{bytes, saved_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &tight);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_{};
};

} // namespace sorvane::test
