// Sorvane: sorts piles of photographs into folders at the speed of a key press.
#include "imaging/MemoryTuning.h"
#include "imaging/PictureSource.h"
#include "platform/GioLauncher.h"
#include "platform/QtPrompts.h"
#include "settings/Module1.h"
#include "sorting/Form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    sorvane::KeepPictureBuffersInTheHeap();
    QApplication app(argc, argv);
    sorvane::Module1 module;
    module.ProgramFolder = QCoreApplication::applicationDirPath();
    sorvane::QtPrompts prompts;
    sorvane::GioLauncher launcher;
    sorvane::PictureSource pictures;
    sorvane::Form1 window(module, prompts, launcher, pictures);
    if (!window.Form_Load())
        return 0;
    window.show();
    return app.exec();
}
