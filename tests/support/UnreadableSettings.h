#pragma once

#include "settings/SettingsFile.h"

namespace sorvane::test {

// While it lives, the settings file reads as one that is there but cannot
// be read (a permission or I/O error, which root would not meet on a real
// file); the file itself is read again after it, even when the test that
// made it failed half way.
class UnreadableSettings {
public:
    UnreadableSettings() {
        SetSettingsReader([](const QString&) { return std::optional<QByteArray>(); });
    }
    ~UnreadableSettings() { SetSettingsReader(nullptr); }
    Q_DISABLE_COPY(UnreadableSettings)
};

} // namespace sorvane::test
