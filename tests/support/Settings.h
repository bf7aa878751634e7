#pragma once

#include "settings/SettingsFile.h"

namespace sorvane::test {

// The settings record a first start saves (every folder "/", the window at its
// design size), for a test to change by field name.
inline Module1 FirstStartSettings() {
    Module1 settings;
    ApplyDefaults(settings);
    settings.WindowWidth = QStringLiteral("8775");
    settings.WindowHeight = QStringLiteral("8040");
    return settings;
}

} // namespace sorvane::test
