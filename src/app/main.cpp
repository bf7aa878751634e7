// Sorvane: sorts piles of photographs into folders at the speed of a key press.
#include "app/GioLauncher.h"
#include "app/ProgramPlaces.h"
#include "app/QtPrompts.h"
#include "app/Windows.h"
#include "imaging/MemoryTuning.h"
#include "imaging/PictureSource.h"
#include "platform/NativeName.h"
#include "settings/Module1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    sorvane::KeepPictureBuffersInTheHeap();
    QApplication app(argc, argv);
    sorvane::Module1 module;
    const sorvane::ProgramPlaces places = sorvane::FindProgramPlaces();
    module.ProgramFolder = places.programFolder;
    module.SettingsPath = places.settingsPath;
    sorvane::QtPrompts prompts;
    sorvane::GioLauncher launcher;
    sorvane::PictureSource pictures;
    sorvane::Windows windows(module, prompts, launcher, pictures);
    // A file manager passes the picture (or folder) to open as the one
    // argument, in the bytes of its name (QApplication has taken its own
    // options out of argv by now).
    if (!windows.start(argc > 1 ? sorvane::FromNativeName(argv[1]) : QString()))
        return 0;
    return app.exec();
}
