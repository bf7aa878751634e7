#include "help/HelpPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace sorvane {

QString ShippedHelpPage(const QString& executableFolder) {
    const QString page = QStringLiteral("help/help.htm");
    const QString beside = QDir(executableFolder).filePath(page);
    if (QFileInfo(beside).isFile())
        return beside;
    // The install rules put the companion files at this path from the executable.
    return QDir::cleanPath(executableFolder + u'/' + QStringLiteral(SORVANE_COMPANION_FROM_BINARY) +
                           u'/' + page);
}

QString ShippedHelpPage() {
    return ShippedHelpPage(QCoreApplication::applicationDirPath());
}

} // namespace sorvane
