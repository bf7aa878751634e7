#pragma once

#include <QPointF>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

namespace sorvane::test {

// Real-window tests start the built program in a real X server and drive it
// with xdotool, as a user would. They run where the dev script has started an
// Xvfb and named its display in E2E_DISPLAY; elsewhere they skip.
QString E2eDisplay();

// The display's Num Lock, read through XKB; nothing when the display cannot
// be reached.
std::optional<bool> NumLockState();

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

// Centres of the main window's controls in twips of its inner area, at the
// window's design size (inner area 8655 × 7350 twips; the layout keeps the two
// command buttons 1450 twips from the right edge).
namespace Place {
inline constexpr QPointF RunButton{7872.5, 367.5};   // "実行" / "キャンセル"
inline constexpr QPointF ExitButton{7872.5, 967.5};  // "終了"
inline constexpr QPointF FirstListedFile{5400, 230}; // the file list's first row
// The slot buttons share the width from 100 to 8555 twips; undo sits under slot 9.
constexpr QPointF SlotButton(int slot) {
    return {100 + 845.5 * (slot + 0.5), 2107.5};
}
inline constexpr QPointF UndoButton{8132.25, 2587.5};
} // namespace Place

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

    // A left click at a point of the inner area given in twips (Place::...),
    // and a double-click there.
    bool click(QPointF twips);
    // Two left clicks there, the given time apart, as a quick hand gives them.
    bool doubleClick(QPointF twips, int gapMs = 120);
    // A left click into another window of the program, at a point in pixels.
    bool clickInto(const QString& window, QPoint pixels, int times = 1);
    // Key presses in xdotool's names ("3", "shift+3", "KP_Next", "Return"),
    // typed into the window through the X server's test extension.
    bool key(const QString& keys);
    // The same, into another window of the program (awaitWindowNamed).
    bool keyInto(const QString& window, const QString& keys);
    // Opens the first menu of the menu bar with a click on its title and
    // waits until it shows; key presses into the open menu, which holds the
    // keyboard.
    bool openFirstMenu();
    bool keyIntoMenu(const QString& keys);
    // Sets Num Lock with a press of its key into the window, when it differs:
    // the X server changes a lock only while some window has the focus.
    bool setNumLock(bool on);
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
    QPoint toWindowPixels(QPointF twips);
    bool clickAt(QPointF twips, int times);
    // Ids of the program's visible windows, those with a matching name if given.
    QStringList visibleWindows(const QString& name = {});

    QProcess process_;
    QString window_;
    QByteArray errors_;
};

} // namespace sorvane::test
