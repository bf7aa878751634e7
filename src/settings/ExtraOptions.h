#pragma once

#include <QString>

namespace sorvane {

struct Module1;

// Options the program gained after the settings line was laid down. They
// live in a file of their own beside the settings file, so the line stays
// exactly as every earlier version reads and writes it. Each is off unless
// the file says otherwise.
struct ExtraOptions {
    bool deleteToTrash = false;  // the right-click and bulk deletes go to the trash
    bool sendCompanions = false; // a send takes the file's companions along
    bool operator==(const ExtraOptions&) const = default;
};

// SorvaneExtras.ini beside the settings file.
QString ExtraOptionsPath(const Module1& settings);

// The options the file holds. A missing, unreadable or damaged file, an
// unknown key or a value that is not a clear yes or no gives the defaults for
// what it does not say: the file is never needed to start.
ExtraOptions LoadExtraOptions(const QString& path);

// Writes the options in QSettings' INI syntax to a file staged beside the old
// one, renamed over it only when whole; the folder is made when missing (the
// first save of an install). False when the file could not be written (the
// old one is then as it was).
bool SaveExtraOptions(const QString& path, const ExtraOptions& options);

} // namespace sorvane
