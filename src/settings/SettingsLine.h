#pragma once

#include "settings/Module1.h"

#include <QByteArray>
#include <QString>

namespace sorvane {

inline constexpr int SettingsFieldCount = 25;

// The settings file's single line: 25 comma-separated fields, the 14 text
// fields in double quotes written verbatim, the 11 numbers plain, CR LF at
// the end. UTF-8.
QByteArray FormatSettingsLine(const Module1& settings);

enum class ParseOutcome {
    Complete,     // all 25 fields read
    TooFewFields, // the text ended before the 25th field
    BadNumber,    // a numeric field is not a 16-bit number
};

// Whether a text field reads back exactly as written: a quoted field runs to
// the next double quote, so the text must not hold one. A folder path that
// holds one is written as its nearest ancestor that holds none, and a window
// size text only up to it, so the line always reads back exactly as written.
bool SettingsCanHold(const QString& text);

// Reads the fields in order into the record, as far as they go: the fields
// before a failure keep the values read, later ones are left alone.
// Text after the 25th field is ignored.
ParseOutcome ParseSettings(const QByteArray& text, Module1& settings);

} // namespace sorvane
