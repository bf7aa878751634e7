// Sorvane: sorts piles of photographs into folders at the speed of a key press.
#include "app/GioLauncher.h"
#include "app/InterfaceLanguage.h"
#include "app/ProgramPlaces.h"
#include "app/QtPrompts.h"
#include "app/StartArgument.h"
#include "app/Windows.h"
#include "imaging/MemoryTuning.h"
#include "imaging/PictureSource.h"
#include "platform/NativeName.h"
#include "settings/Module1.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[]) {
    sorvane::KeepPictureBuffersInTheHeap();
    // Qt sees the program's name alone: every argument is the user's.
    const QByteArray startArgument = sorvane::StartArgument(argc, argv);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    const sorvane::InterfaceTranslations translations(
        sorvane::InterfaceLanguageOf(QLocale::system().uiLanguages()));
    sorvane::Module1 module;
    const sorvane::ProgramPlaces places = sorvane::FindProgramPlaces();
    module.ProgramFolder = places.programFolder;
    module.SettingsPath = places.settingsPath;
    sorvane::QtPrompts prompts;
    sorvane::GioLauncher launcher;
    sorvane::PictureSource pictures;
    sorvane::Windows windows(module, prompts, launcher, pictures, sorvane::JournalPath(places));
    // A file manager passes the picture (or folder) to open as the one
    // argument, in the bytes of its name.
    if (!windows.start(sorvane::FromNativeName(startArgument)))
        return 0;
    return QApplication::exec();
}
