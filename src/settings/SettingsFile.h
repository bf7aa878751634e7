#pragma once

#include "settings/Module1.h"
#include "settings/SettingsLine.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace sorvane {

// Path of the settings file: SettingsPath, or Sorvane.ini in the program folder.
QString SettingsFilePath(const Module1& settings);

enum class LoadOutcome {
    NoFile,       // nothing to read: defaults apply
    Loaded,       // all fields read
    TooFewFields, // the file ended early
    BadNumber,    // a numeric field could not be read; earlier fields were applied
    Unreadable,   // the file exists but cannot be opened or read
};

// Fills in the defaults of a start without a settings file.
void ApplyDefaults(Module1& settings);

LoadOutcome LoadSettingsFile(Module1& settings);

// How LoadSettingsFile reads the file's bytes: nothing when the file cannot be
// read. A test puts in a reader that fails, since no file mode stops root.
using SettingsReader = std::optional<QByteArray> (*)(const QString& path);
void SetSettingsReader(SettingsReader replacement); // nullptr: read the file itself

// Writes the settings line to a temporary file beside the settings file and
// renames it over the old one, so a failed save leaves the previous file whole.
// A SettingsPath's folder is made when it is missing (the first save of an
// install); the program folder is not. A settings file that is a link stays
// one: the file it links to is written, keeping its permissions.
bool SaveSettingsFile(const Module1& settings);

bool DeleteSettingsFile(const Module1& settings);

} // namespace sorvane
