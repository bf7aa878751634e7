#include "app/ProgramPlaces.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace sorvane {

ProgramPlaces FindProgramPlaces(const QString& executableFolder, const QString& configHome,
                                const QString& home) {
    if (QFileInfo(executableFolder + QStringLiteral("/Error.jpg")).isFile())
        return {executableFolder, {}};
    // The install rules put the companion files at this path from the executable.
    const QString companion =
        QDir::cleanPath(executableFolder + u'/' + QStringLiteral(SORVANE_COMPANION_FROM_BINARY));
    const QString config = QDir::isAbsolutePath(configHome)
                               ? QDir::cleanPath(configHome)
                               : QDir::cleanPath(home + QStringLiteral("/.config"));
    return {companion, config + QStringLiteral("/sorvane/Sorvane.ini")};
}

ProgramPlaces FindProgramPlaces() {
    return FindProgramPlaces(QCoreApplication::applicationDirPath(),
                             qEnvironmentVariable("XDG_CONFIG_HOME"), QDir::homePath());
}

QString JournalPath(const ProgramPlaces& places, const QString& stateHome, const QString& home) {
    if (places.settingsPath.isEmpty())
        return places.programFolder + QStringLiteral("/Sorvane-journal.sqlite");
    const QString state = QDir::isAbsolutePath(stateHome)
                              ? QDir::cleanPath(stateHome)
                              : QDir::cleanPath(home + QStringLiteral("/.local/state"));
    return state + QStringLiteral("/sorvane/journal.sqlite");
}

QString JournalPath(const ProgramPlaces& places) {
    return JournalPath(places, qEnvironmentVariable("XDG_STATE_HOME"), QDir::homePath());
}

} // namespace sorvane
