#pragma once

#include "settings/Module1.h"

#include <QProcess>
#include <QTemporaryDir>

namespace sorvane::test {

// Real-window tests (and the README's screenshot tool) start the built program
// on a real X server and drive it with xdotool, as a user would, finding its
// controls by the names they give assistive technology. They need the Xvfb
// the dev script starts (named in E2E_DISPLAY) and a D-Bus session bus for
// the accessibility bus.
inline QString E2eDisplay() {
    return qEnvironmentVariable("E2E_DISPLAY");
}

// Why real windows cannot run here; empty when they can. A test skips then,
// but fails under CI, which must run every layer.
QString RealWindowsUnavailable();

// A copy of the built program and its companion files in a temporary folder.
// The program keeps its settings file beside itself, so every test gets a
// program folder of its own and never touches the build's.
class ProgramCopy {
public:
    ProgramCopy();
    bool isValid() const { return valid_; }
    QString executable() const { return path("program/Sorvane"); }
    QString settingsPath() const { return path("program/Sorvane.ini"); }
    // A path inside the temporary folder, and a new folder there.
    QString path(const QString& relative) const { return dir_.filePath(relative); }
    QString makeFolder(const QString& relative) const;
    // The program's settings file beside it, written from a record and read
    // back into one (an empty one when it cannot be read whole).
    bool writeSettings(Module1 settings) const;
    Module1 savedSettings() const;

private:
    QTemporaryDir dir_;
    bool valid_ = false;
};

// One run of the program on the display, and its window. The program is
// killed when the object goes, whatever the test did, before the temporary
// home goes.
class RealWindow {
public:
    ~RealWindow() { process_.close(); } // kills it and waits for its end
    // Starts the program with the arguments given, with the variables of
    // extra added to its environment, and waits for its visible window called
    // "Sorvane"; false when it has not shown within the time or the program
    // ended first.
    bool start(const QString& executable, const QString& workingFolder,
               const QProcessEnvironment& extra = {}, const QStringList& arguments = {});
    bool awaitWindow() { return !(window_ = awaitWindowNamed("Sorvane", 20000)).isEmpty(); }
    // The desktop's trash of the program started.
    QString trash() const { return home_.filePath("data/Trash"); }
    // Waits for a visible window of the program, other than the one given,
    // whose whole title matches the pattern; its id, or nothing when none
    // showed within the time. A timeout of 0 looks once.
    QString awaitWindowNamed(const QString& title, int timeoutMs = 10000,
                             const QString& other = {});
    // A second window called "Sorvane", as the main window is: a dialog.
    QString awaitOtherWindow(int timeoutMs = 10000) {
        return awaitWindowNamed("Sorvane", timeoutMs, window_);
    }

    // Left clicks (two for a double-click, 80 ms apart) on the control of that
    // accessible role and name or, for a control without a name, tooltip
    // ("push button", "終了"), once the program shows it; with a window
    // title, only in the program's window whose title begins so.
    bool click(const QString& role, const QString& name, int times = 1, const QString& window = {});
    // Key presses in xdotool's names ("3", "shift+3", "KP_Next", "Return"),
    // typed into the main window, or another window of the program, through
    // the X server's test extension.
    bool key(const QString& keys) { return keyInto(window_, keys); }
    bool keyInto(const QString& window, const QString& keys);
    // Opens the first menu of the menu bar ("オプション", "Options" in
    // English) with a click on its title and waits until it shows; key
    // presses into the open menu, which holds the keyboard.
    bool openFirstMenu(const QString& title = QStringLiteral("オプション"));
    bool keyIntoMenu(const QString& keys);
    // A picture of the window (or of another window of the program), and of
    // the window's place on the screen with any window lying over it, as PNG.
    bool screenshot(const QString& pngPath, const QString& window = {});
    bool screenshotAsSeen(const QString& pngPath);

    // Waits for the program to end; false when it is still running, or ended
    // with a crash or an exit code other than 0.
    bool awaitExit();
    // What the program wrote to stderr so far, for failure messages.
    QString errors() { return QString::fromLocal8Bit(process_.readAllStandardError()); }

private:
    // Ids of the program's visible windows, those with a matching title if given.
    QStringList visibleWindows(const QString& title = {});

    // The program's home, data and config folders, so that nothing it does
    // (its trash, its settings when installed) reaches the real home.
    QTemporaryDir home_;
    QProcess process_;
    QString window_;
};

} // namespace sorvane::test
