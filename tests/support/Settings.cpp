#include "support/Settings.h"

#include "settings/SettingsFile.h"
#include "support/TestFiles.h"

namespace sorvane::test {

Module1 FirstStartSettings() {
    Module1 settings;
    ApplyDefaults(settings);
    settings.WindowWidth = QStringLiteral("8775");
    settings.WindowHeight = QStringLiteral("8040");
    return settings;
}

bool WriteSettings(const QString& path, const Module1& settings) {
    return WriteFile(path, FormatSettingsLine(settings));
}

} // namespace sorvane::test
