#pragma once

#include <QString>
#include <QStringList>

namespace sorvane {

// The "drives" of the drive box: the mount points of the mounted volumes that
// hold files (pseudo file systems such as proc or sysfs are left out), sorted.
QStringList ListDrives();

// The mount point that contains the path: the drive of that path.
QString DriveOf(const QString& path, const QStringList& drives);

} // namespace sorvane
