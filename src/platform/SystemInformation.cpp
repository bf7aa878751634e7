#include "platform/SystemInformation.h"

#include <QStandardPaths>

namespace sorvane {

QString FindSystemInformationProgram() {
    // Hardware and system overviews first, then the desktops' system monitors.
    for (const char* name : {"hardinfo", "kinfocenter", "gnome-system-monitor",
                             "mate-system-monitor", "xfce4-taskmanager"})
        if (QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
            !path.isEmpty())
            return path;
    return {};
}

} // namespace sorvane
