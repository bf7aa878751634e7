#include "platform/OwnFiles.h"

#include "platform/FileOps.h"

#include <atomic>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {
namespace {

std::atomic<unsigned> ownFileCount{0};

// Reads the digits at *text into *number and steps over them; false when
// there are none.
bool ReadNumber(const char** text, long* number) {
    char* end = nullptr;
    if (!std::isdigit(static_cast<unsigned char>(**text)))
        return false;
    *number = std::strtol(*text, &end, 10);
    *text = end;
    return true;
}

// The process id in a name of this program's own hidden files, or 0 when the
// name is not one of them.
long OwnerOf(const char* name) {
    long pid = 0, count = 0;
    const char* const earlierCopy = ".sorvane-copy-"; // the file's name follows
    for (const char* prefix : {".sorvane-tmp-", ".sorvane-kept-", earlierCopy}) {
        const size_t length = std::strlen(prefix);
        if (std::strncmp(name, prefix, length) != 0)
            continue;
        const char* rest = name + length;
        if (!ReadNumber(&rest, &pid) || *rest++ != '-')
            return 0;
        if (prefix == earlierCopy)
            return *rest ? pid : 0;
        return ReadNumber(&rest, &count) && *rest == '\0' ? pid : 0;
    }
    return 0;
}

bool ProcessRuns(long pid) {
    return pid == long(::getpid()) || ::kill(pid_t(pid), 0) == 0 || errno != ESRCH;
}

} // namespace

QString NewOwnFileName(const QString& folder, OwnFile kind) {
    const QString prefix = kind == OwnFile::Kept ? QStringLiteral("/.sorvane-kept-")
                                                 : QStringLiteral("/.sorvane-tmp-");
    return folder + prefix + QString::number(::getpid()) + u'-' + QString::number(++ownFileCount);
}

int RemoveStaleOwnFiles(const QString& folder) {
    DIR* dir = ::opendir(NativePath(folder).constData());
    if (!dir)
        return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const long pid = OwnerOf(entry->d_name);
        struct stat st;
        if (pid <= 0 || ProcessRuns(pid) ||
            ::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(st.st_mode))
            continue;
        removed += ::unlinkat(::dirfd(dir), entry->d_name, 0) == 0;
    }
    ::closedir(dir);
    return removed;
}

} // namespace sorvane
