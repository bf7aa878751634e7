#pragma once

#include "settings/Module1.h"

#include <QString>

namespace sorvane::test {

// The settings record a first start saves (every folder "/", the window at its
// design size), for a test to change by field name.
Module1 FirstStartSettings();

// Writes the settings file the program would write for the record.
bool WriteSettings(const QString& path, const Module1& settings);

} // namespace sorvane::test
