#pragma once

#include <QProcess>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

namespace sorvane::test {

// Real-window tests start the built program on a real X server and drive it
// with xdotool, as a user would, finding its controls by the names they give
// assistive technology. They need the Xvfb the dev script starts (named in
// E2E_DISPLAY) and a D-Bus session bus for the accessibility bus.
QString E2eDisplay();

// Why real windows cannot run here; empty when they can.
QString RealWindowsUnavailable();

// The display's Num Lock, read and set through XKB; nothing or false when the
// display cannot be reached.
std::optional<bool> NumLockState();
bool SetNumLock(bool on);

// A copy of the built program and its companion files in a temporary folder.
// The program keeps its settings file beside itself, so every test gets a
// program folder of its own and never touches the build's.
class ProgramCopy {
public:
    ProgramCopy();

    bool isValid() const { return valid_; }
    QString executable() const;
    QString settingsPath() const;

    // A path inside the temporary folder, and a new folder there.
    QString path(const QString& relative) const;
    QString makeFolder(const QString& relative) const;

private:
    QTemporaryDir dir_;
    bool valid_ = false;
};

// One run of the program on the display, and its window. The program is
// killed when the object goes, whatever the test did.
class RealWindow {
public:
    RealWindow();
    ~RealWindow();
    RealWindow(const RealWindow&) = delete;
    RealWindow& operator=(const RealWindow&) = delete;

    bool start(const QString& executable, const QString& workingFolder);

    // Waits for the program's visible window called "Sorvane"; false when it
    // has not shown within the time or the program ended first.
    bool awaitWindow(int timeoutMs = 20000);
    // Whether the program shows that window right now.
    bool showsWindow();
    // Waits for another visible window of the program by its title; its id,
    // or nothing when it has not shown within the time.
    QString awaitWindowNamed(const QString& title, int timeoutMs = 10000);
    // Waits for a second visible window of the program called "Sorvane", as
    // the main window is (a dialog), and gives its id; nothing when none
    // shows within the time. A timeout of 0 looks once.
    QString awaitOtherWindow(int timeoutMs = 10000);

    // The window's place on the screen, in pixels, and a new size for it as
    // a window manager would give (there is none to refuse it).
    QRect geometry();
    bool resize(QSize pixels);

    // Left clicks (two for a double-click, 80 ms apart) on the control of that
    // accessible role and name or, for a control without a name, tooltip
    // ("push button", "終了"), once the program shows it; with a window
    // title, only in the program's window whose title begins so.
    bool click(const QString& role, const QString& name, int times = 1, const QString& window = {});
    // Key presses in xdotool's names ("3", "shift+3", "KP_Next", "Return"),
    // typed into the window through the X server's test extension.
    bool key(const QString& keys);
    // The same, into another window of the program (awaitWindowNamed).
    bool keyInto(const QString& window, const QString& keys);
    // Opens the first menu of the menu bar ("オプション") with a click on its
    // title and waits until it shows; key presses into the open menu, which holds the
    // keyboard.
    bool openFirstMenu();
    bool keyIntoMenu(const QString& keys);
    // A picture of the window (or of another window of the program), written as PNG.
    bool screenshot(const QString& pngPath, const QString& window = {});
    // The window's place on the screen as it shows, with any window of the
    // program lying over it, written as PNG.
    bool screenshotAsSeen(const QString& pngPath);

    bool awaitExit(int timeoutMs = 15000);
    bool isRunning() const { return process_.state() != QProcess::NotRunning; }
    int exitCode() const { return process_.exitCode(); }
    QProcess::ExitStatus exitStatus() const { return process_.exitStatus(); }
    // What the program wrote to stderr so far, for failure messages.
    QString errors();

private:
    // Ids of the program's visible windows, those with a matching name if given.
    QStringList visibleWindows(const QString& name = {});

    QProcess process_;
    QString window_;
    QByteArray errors_;
};

} // namespace sorvane::test
