#include "platform/Paths.h"

#include "platform/NativeName.h"

namespace sorvane {

QString JoinPath(const QString& folder, const QString& name) {
    if (folder.endsWith(PathSeparator))
        return folder + name;
    return folder + PathSeparator + name;
}

QString ParentFolder(const QString& path) {
    const qsizetype slash = path.lastIndexOf(PathSeparator);
    return slash <= 0 ? QString(PathSeparator) : path.left(slash);
}

QString FileNameOf(const QString& path) {
    return path.mid(path.lastIndexOf(PathSeparator) + 1);
}

QString FolderButtonCaption(const QString& path) {
    const QString last = FileNameOf(path);
    return DisplayName(last.isEmpty() ? path : last);
}

} // namespace sorvane
