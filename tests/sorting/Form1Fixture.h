#pragma once

#include "imaging/PictureSource.h"
#include "settings/Module1.h"
#include "sorting/Form1.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedPrompts.h"

#include <QTemporaryDir>

#include <memory>

namespace sorvane::test {

// One program instance in a temporary folder: its program folder (with the
// substitute picture), the user's folders beside it, scripted message boxes
// and a launcher that starts nothing.
class Form1Fixture {
public:
    Form1Fixture();

    QString Path(const QString& relative) const { return dir.filePath(relative); }
    QString MakeFolder(const QString& relative) const; // created if missing; its full path

    // Settings to write before Load(), by field: source folder "src", slot i
    // in folder "slotI" (slot 10 "bulk"), the source folder remembered, the
    // rest off or empty.
    Module1 Settings() const;
    void WriteSettings(const Module1& settings) const;

    // Creates the window and runs its start-up; false if the program would end.
    bool Load();
    bool Show(); // shows the window; false if it never became exposed

    // The usual start: the settings written, the given files in "src"
    // (".jpg" names get a real 64 x 48 picture), the window shown.
    bool StartWith(const QStringList& files);
    bool StartWith(const QStringList& files, const Module1& settings);
    QString Slot(int i) const;

    // The window's controls and its sorting run, which tests may reach.
    Form1Controls& ui() { return *window; }
    const UndoHistory& history() const { return window->run_.history(); }

    QTemporaryDir dir;
    Module1 module;
    ScriptedPrompts prompts;
    RecordingLauncher launcher;
    PictureSource pictures;
    std::unique_ptr<Form1> window;
};

// Lets queued events run until nothing is left, so deferred work settles.
void Settle();

} // namespace sorvane::test
