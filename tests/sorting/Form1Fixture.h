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
    void WriteSettings(const QByteArray& line) const;

    // A settings line for a source folder and slot folders under the
    // temporary folder, everything else as given.
    QByteArray SettingsLine(const QString& source, const QStringList& slotFolders,
                            const QByteArray& numbers = "0,1,0,1,0,0,0,0,0,0,0") const;

    // Creates the window and runs its start-up; false if the program would end.
    bool Load();
    void Show(); // shows the window and waits until it is exposed

    // The usual start of a sorting test: source folder "src" holding the
    // given files, slot i in folder "slotI" (slot 10 "bulk"), window shown.
    void StartWith(const QStringList& files, const QByteArray& numbers = "0,1,0,1,0,0,0,0,0,0,0");
    QString Slot(int i) const;

    // The window's controls, which tests may reach and drive.
    Form1Controls& ui() { return *window; }

    QTemporaryDir dir;
    Module1 module;
    ScriptedPrompts prompts;
    RecordingLauncher launcher;
    PictureSource pictures;
    std::unique_ptr<Form1> window;
};

// Waits for queued events, so deferred work (such as read-ahead) settles.
void Settle();

} // namespace sorvane::test
