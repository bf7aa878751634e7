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
#include <initializer_list>
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

const char* const earlierCopy = ".sorvane-copy-"; // the file's name follows

const char* PrefixOf(OwnFile kind) {
    return kind == OwnFile::Claim ? ".sorvane-claim-" : ".sorvane-tmp-";
}

// The process id in a name of this program's own hidden files of those
// prefixes, or 0 when the name is not one of them.
long OwnerOf(const char* name, std::initializer_list<const char*> prefixes) {
    long pid = 0, count = 0;
    for (const char* prefix : prefixes) {
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
    return folder + u'/' + QLatin1StringView(PrefixOf(kind)) + QString::number(::getpid()) + u'-' +
           QString::number(++ownFileCount);
}

bool IsStaleOwnFile(const char* name, OwnFile kind) {
    const long pid = OwnerOf(name, {PrefixOf(kind)});
    return pid > 0 && !ProcessRuns(pid);
}

int RemoveStaleOwnFiles(const QString& folder) {
    DIR* dir = ::opendir(NativePath(folder).constData());
    if (!dir)
        return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const long pid = OwnerOf(entry->d_name, {PrefixOf(OwnFile::Temporary), earlierCopy});
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
