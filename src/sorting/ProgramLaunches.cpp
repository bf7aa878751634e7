#include "sorting/ProgramLaunches.h"

#include "platform/FileOps.h"
#include "platform/Launcher.h"
#include "platform/Paths.h"
#include "settings/Module1.h"

namespace sorvane {

QString ProgramLaunches::helpPage() const {
    return JoinPath(module_.ProgramFolder, QStringLiteral("help/help.htm"));
}

bool ProgramLaunches::hasHelpPage() const {
    const QString page = helpPage();
    return IsRegularFile(page) || IsFolder(page);
}

QString ProgramLaunches::launch(const QString& file, const QString& failure) {
    const QString program = launcher_.findExecutable(file);
    return launcher_.start(file) ? program : failure;
}

} // namespace sorvane
