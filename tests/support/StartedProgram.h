#pragma once

#include "app/Windows.h"
#include "imaging/PictureSource.h"
#include "settings/SettingsFile.h"
#include "sorting/Form1.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedPrompts.h"

#include <QTemporaryDir>

#include <functional>

namespace sorvane::test {

// The whole program over a temporary folder, as the user starts it: its
// settings file there, saved from a record whose program and source folder
// is that folder and which `setUp` may change first (adding files too), then
// the windows started from it. Message boxes are scripted and programs are
// only recorded as started.
struct StartedProgram {
    explicit StartedProgram(const std::function<void(Module1& saved)>& setUp = {}) {
        Module1 saved;
        saved.ProgramFolder = saved.SourceFolder = dir.path();
        if (setUp)
            setUp(saved);
        SaveSettingsFile(saved);
        module.ProgramFolder = saved.ProgramFolder;
        started = windows.start();
    }
    Form1& main() { return windows.main(); }

    QTemporaryDir dir;
    Module1 module;
    ScriptedPrompts prompts;
    RecordingLauncher launcher;
    PictureSource pictures;
    Windows windows{module, prompts, launcher, pictures};
    bool started = false; // false: the start said the program must end
};

} // namespace sorvane::test
