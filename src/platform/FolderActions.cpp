#include "platform/FolderActions.h"

#include "platform/FileOps.h"
#include "platform/NativeName.h"

#include <QDir>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace sorvane {
namespace {

QByteArray Native(const QString& path) {
    return ToNativeName(path);
}

// A real folder, not a symbolic link to one: the bulk delete only ever works
// on the folder the user sees named.
bool IsRealFolder(const QString& path) {
    struct stat st;
    return ::lstat(Native(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The names worth deleting: visible regular files and symbolic links.
std::vector<std::string> DeletableNames(int folderFd) {
    std::vector<std::string> names;
    const int listFd = ::dup(folderFd);
    DIR* dir = listFd < 0 ? nullptr : ::fdopendir(listFd);
    if (!dir) {
        if (listFd >= 0)
            ::close(listFd);
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue; // hidden, and the "." and ".." entries
        struct stat st;
        if (::fstatat(folderFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)))
            names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    return names;
}

} // namespace

QString ResolveFolderText(const QString& text, const QString& base) {
    return QDir::cleanPath(QDir(base).absoluteFilePath(text));
}

FileError MakeFolder(const QString& path) {
    if (::mkdir(Native(path).constData(), 0777) == 0)
        return FileError::None;
    return ErrorFromErrno(errno, path);
}

FileError RemoveEmptyFolder(const QString& path) {
    if (::rmdir(Native(path).constData()) == 0)
        return FileError::None;
    return ErrorFromErrno(errno, path);
}

QString ParentFolder(const QString& path) {
    const int slash = path.lastIndexOf(u'/');
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

BulkDeleteRefusal CheckBulkDeleteFolder(const QString& folder, const QString& home,
                                        const QString& programFolder) {
    if (folder.isEmpty())
        return BulkDeleteRefusal::NotSet;
    if (folder == u"/")
        return BulkDeleteRefusal::Root;
    if (!IsRealFolder(folder))
        return BulkDeleteRefusal::NotAFolder;
    // The same folder under another name (a link on the way, "..", a bind
    // mount) is the same folder.
    if (SameFile(folder, QStringLiteral("/")))
        return BulkDeleteRefusal::Root;
    if (!home.isEmpty() && SameFile(folder, home))
        return BulkDeleteRefusal::Home;
    if (!programFolder.isEmpty() && SameFile(folder, programFolder))
        return BulkDeleteRefusal::ProgramFolder;
    return BulkDeleteRefusal::None;
}

int DeleteFolderFiles(const QString& folder) {
    const int folderFd =
        ::open(Native(folder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folderFd < 0)
        return -1;
    int failed = 0;
    for (const std::string& name : DeletableNames(folderFd))
        if (::unlinkat(folderFd, name.c_str(), 0) != 0 && errno != ENOENT)
            ++failed;
    ::close(folderFd);
    return failed;
}

} // namespace sorvane
