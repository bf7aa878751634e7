#include "e2e/RealWindow.h"
#include "settings/SettingsFile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QThread>

namespace sorvane::test {
namespace {

QProcessEnvironment DisplayEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", E2eDisplay());
    return environment;
}

// Runs a tool on the display; false when it fails or hangs.
bool Run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr,
         int timeoutMs = 10000) {
    QProcess tool;
    tool.setProcessEnvironment(DisplayEnvironment());
    tool.start(program, arguments);
    if (!tool.waitForFinished(timeoutMs))
        return false; // and the tool is killed as it goes
    if (output)
        *output = tool.readAllStandardOutput();
    return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

QStringList KeyArguments(const QString& keys) {
    return QStringList{"key", "--delay", "40"} + keys.split(u' ', Qt::SkipEmptyParts);
}

} // namespace

QString RealWindowsUnavailable() {
    if (E2eDisplay().isEmpty())
        return "E2E_DISPLAY is not set: real windows need an X server";
    // Qt joins the accessibility bus only when it is up as the program starts.
    if (!Run("dbus-send", {"--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                           "org.a11y.Bus.GetAddress"}))
        return "no accessibility bus: real windows need a D-Bus session bus";
    return {};
}

// With the files the build puts beside the program, which it looks for there.
ProgramCopy::ProgramCopy() {
    valid_ = dir_.isValid() && QDir(dir_.path()).mkpath("program/help");
    for (const QString name : {"Sorvane", "Error.jpg", "Readme.txt", "help/help.htm"})
        valid_ = valid_ && QFile::copy(SORVANE_PROGRAM_DIR "/" + name, path("program/" + name));
}

QString ProgramCopy::makeFolder(const QString& relative) const {
    return QDir(dir_.path()).mkpath(relative) ? dir_.filePath(relative) : QString();
}

bool ProgramCopy::writeSettings(Module1 settings) const {
    settings.ProgramFolder = path("program");
    return SaveSettingsFile(settings);
}

Module1 ProgramCopy::savedSettings() const {
    Module1 settings;
    settings.ProgramFolder = path("program");
    return LoadSettingsFile(settings) == LoadOutcome::Loaded ? settings : Module1();
}

bool RealWindow::start(const QString& executable, const QString& workingFolder,
                       const QProcessEnvironment& extra, const QStringList& arguments) {
    QProcessEnvironment environment = DisplayEnvironment();
    QDir(home_.path()).mkpath("data");
    environment.insert("HOME", home_.path());
    for (const char* kind : {"data", "config", "cache"})
        environment.insert(QString("XDG_%1_HOME").arg(kind).toUpper(), home_.filePath(kind));
    environment.insert(extra);
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    process_.setProcessEnvironment(environment);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setWorkingDirectory(workingFolder);
    process_.start(executable, arguments);
    return process_.waitForStarted(10000) && awaitWindow(); // its process id tells its windows
}

// The process id tells this run's windows from any other program's.
QStringList RealWindow::visibleWindows(const QString& title) {
    QStringList arguments{"search", "--all", "--onlyvisible", "--pid",
                          QString::number(process_.processId())};
    if (!title.isEmpty())
        arguments << "--name" << u'^' + title + u'$';
    QByteArray found;
    Run("xdotool", arguments, &found);
    return QString::fromLatin1(found).split(u'\n', Qt::SkipEmptyParts);
}

QString RealWindow::awaitWindowNamed(const QString& title, int timeoutMs, const QString& other) {
    for (const QDeadlineTimer deadline(timeoutMs);; QThread::msleep(50)) {
        for (const QString& id : visibleWindows(title))
            if (id != other)
                return id;
        if (deadline.hasExpired() || process_.state() == QProcess::NotRunning)
            return {};
    }
}

bool RealWindow::click(const QString& role, const QString& name, int times, const QString& window) {
    QByteArray centre;
    const QStringList query{SORVANE_ACCESSIBLE_SCRIPT, QString::number(process_.processId()), role,
                            name, window};
    for (const QDeadlineTimer deadline(10000); !Run("/usr/bin/python3", query, &centre);
         QThread::msleep(100))
        if (deadline.hasExpired() || process_.state() == QProcess::NotRunning)
            return false;
    const QStringList xy = QString::fromLatin1(centre).trimmed().split(u' ');
    return xy.size() == 2 && Run("xdotool", {"mousemove", xy[0], xy[1], "click", "--repeat",
                                             QString::number(times), "--delay", "80", "1"});
}

bool RealWindow::keyInto(const QString& window, const QString& keys) {
    return Run("xdotool", QStringList{"windowfocus", "--sync", window} + KeyArguments(keys));
}

// The open menu is one more visible window of the program.
bool RealWindow::openFirstMenu(const QString& title) {
    const qsizetype before = visibleWindows().size();
    if (!click("menu item", title))
        return false;
    for (const QDeadlineTimer deadline(5000); visibleWindows().size() <= before;)
        if (deadline.hasExpired())
            return false;
    return true;
}

bool RealWindow::keyIntoMenu(const QString& keys) {
    return Run("xdotool", KeyArguments(keys));
}

// Both through ImageMagick's import.
bool RealWindow::screenshot(const QString& pngPath, const QString& window) {
    return Run("import", {"-window", window.isEmpty() ? window_ : window, "png:" + pngPath},
               nullptr, 20000);
}

bool RealWindow::screenshotAsSeen(const QString& pngPath) {
    QByteArray shell; // X=, Y=, WIDTH=, HEIGHT= lines
    if (!Run("xdotool", {"getwindowgeometry", "--shell", window_}, &shell))
        return false;
    QHash<QString, QString> at;
    for (const QString& line : QString::fromLatin1(shell).split(u'\n'))
        at.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
    const QString crop = at["WIDTH"] + 'x' + at["HEIGHT"] + '+' + at["X"] + '+' + at["Y"];
    return Run("import", {"-window", "root", "-crop", crop, "+repage", "png:" + pngPath}, nullptr,
               20000);
}

bool RealWindow::awaitExit() {
    return (process_.state() == QProcess::NotRunning || process_.waitForFinished(15000)) &&
           process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
}

} // namespace sorvane::test
