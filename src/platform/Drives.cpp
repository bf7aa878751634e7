#include "platform/Drives.h"

#include "platform/FileOps.h"

#include <QStorageInfo>

namespace sorvane {
namespace {

bool IsPseudoFileSystem(const QByteArray& type) {
    static const QList<QByteArray> pseudo = {
        "proc",        "sysfs",  "devpts",   "cgroup", "cgroup2",    "securityfs", "debugfs",
        "tracefs",     "mqueue", "pstore",   "bpf",    "configfs",   "fusectl",    "hugetlbfs",
        "binfmt_misc", "autofs", "efivarfs", "nsfs",   "rpc_pipefs", "devtmpfs"};
    return pseudo.contains(type);
}

} // namespace

QStringList ListDrives() {
    QStringList drives{QStringLiteral("/")};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (!IsPseudoFileSystem(volume.fileSystemType()) && !drives.contains(root))
            drives.append(root);
    }
    SortNames(drives);
    return drives;
}

QString DriveOf(const QString& path, const QStringList& drives) {
    QString best = QStringLiteral("/");
    for (const QString& drive : drives) {
        const bool inside =
            path == drive || path.startsWith(drive.endsWith(u'/') ? drive : drive + u'/');
        if (inside && drive.size() > best.size())
            best = drive;
    }
    return best;
}

} // namespace sorvane
