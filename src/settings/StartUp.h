#pragma once

#include "settings/Module1.h"
#include "settings/SettingsFile.h"

namespace sorvane {

// What start-up does after reading the settings file.
enum class StartUpAction {
    Continue,       // apply the settings and finish start-up
    ShowWindowOnly, // a field was not a number: skip the rest of start-up, show the window
    Quit,           // the file was cut short: it has been deleted, the program ends unseen
};

struct StartUpPlan {
    StartUpAction action = StartUpAction::Continue;
    bool applyDefaults = false; // no settings were read
    bool deleteFile = false;
    bool keepFile = false; // a file that could not be read is never written over
};

StartUpPlan PlanStartUp(LoadOutcome outcome);

// Reads the settings file into the record and carries out the plan's file
// work: deletes a short file, fills in defaults where nothing was read.
StartUpPlan ReadSettingsAtStartUp(Module1& settings);

} // namespace sorvane
