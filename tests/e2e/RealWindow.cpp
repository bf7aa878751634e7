#include "e2e/RealWindow.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QThread>

// Last: Xlib's macros clash with Qt's names.
#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace sorvane::test {
namespace {

// The files the build puts beside the program, which it looks for there.
const char* const ProgramFiles[] = {"Sorvane", "Error.jpg", "Readme.txt", "help/help.htm"};

QProcessEnvironment DisplayEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), E2eDisplay());
    return environment;
}

// Runs a tool on the display; false when it fails or hangs.
bool Run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr,
         int timeoutMs = 10000) {
    QProcess tool;
    tool.setProcessEnvironment(DisplayEnvironment());
    tool.start(program, arguments);
    if (!tool.waitForFinished(timeoutMs)) {
        tool.kill();
        tool.waitForFinished(1000);
        return false;
    }
    if (output)
        *output = tool.readAllStandardOutput();
    return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

bool Xdotool(const QStringList& arguments, QByteArray* output = nullptr) {
    return Run(QStringLiteral("xdotool"), arguments, output);
}

// Qt joins the accessibility bus only when it is up as the program starts.
bool StartAccessibilityBus() {
    return Run(QStringLiteral("dbus-send"),
               {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                QStringLiteral("--dest=org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                QStringLiteral("org.a11y.Bus.GetAddress")});
}

// Runs f with the display's XKB keyboard; false when it cannot be reached.
template <typename F> bool WithKeyboard(F f) {
    Display* display = XOpenDisplay(E2eDisplay().toLocal8Bit().constData());
    if (!display)
        return false;
    const unsigned int mask = XkbKeysymToModifiers(display, XK_Num_Lock);
    const bool done = mask != 0 && f(display, mask);
    XCloseDisplay(display);
    return done;
}

QStringList KeyArguments(const QString& keys) {
    return QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("40")} +
           keys.split(u' ', Qt::SkipEmptyParts);
}

// Runs ImageMagick's import on the display.
bool Import(const QStringList& arguments) {
    return Run(QStringLiteral("import"), arguments, nullptr, 20000);
}

} // namespace

QString E2eDisplay() {
    return qEnvironmentVariable("E2E_DISPLAY");
}

QString RealWindowsUnavailable() {
    if (E2eDisplay().isEmpty())
        return QStringLiteral("E2E_DISPLAY is not set: real windows need an X server");
    if (!StartAccessibilityBus())
        return QStringLiteral("no accessibility bus: real windows need a D-Bus session bus");
    return {};
}

std::optional<bool> NumLockState() {
    std::optional<bool> on;
    WithKeyboard([&](Display* display, unsigned int mask) {
        XkbStateRec state;
        if (XkbGetState(display, XkbUseCoreKbd, &state) == Success)
            on = (state.locked_mods & mask) != 0;
        return on.has_value();
    });
    return on;
}

bool SetNumLock(bool on) {
    const bool sent = WithKeyboard([on](Display* display, unsigned int mask) {
        return XkbLockModifiers(display, XkbUseCoreKbd, mask, on ? mask : 0) && XSync(display, 0);
    });
    for (const QDeadlineTimer deadline(5000); sent && !deadline.hasExpired(); QThread::msleep(20))
        if (NumLockState() == on)
            return true;
    return false;
}

ProgramCopy::ProgramCopy() {
    if (!dir_.isValid() || !QDir(dir_.path()).mkpath(QStringLiteral("program/help")))
        return;
    for (const char* name : ProgramFiles) {
        const QString from = QStringLiteral(SORVANE_PROGRAM_DIR "/") + QLatin1String(name);
        if (!QFile::copy(from, path(QStringLiteral("program/")) + QLatin1String(name)))
            return;
    }
    valid_ = true;
}

QString ProgramCopy::executable() const {
    return path(QStringLiteral("program/Sorvane"));
}

QString ProgramCopy::settingsPath() const {
    return path(QStringLiteral("program/Sorvane.ini"));
}

QString ProgramCopy::path(const QString& relative) const {
    return dir_.filePath(relative);
}

QString ProgramCopy::makeFolder(const QString& relative) const {
    QDir(dir_.path()).mkpath(relative);
    return path(relative);
}

RealWindow::RealWindow() {
    process_.setStandardOutputFile(QProcess::nullDevice());
}

RealWindow::~RealWindow() {
    if (isRunning()) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

bool RealWindow::start(const QString& executable, const QString& workingFolder) {
    QProcessEnvironment environment = DisplayEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    process_.setProcessEnvironment(environment);
    process_.setWorkingDirectory(workingFolder);
    process_.start(executable, {});
    return process_.waitForStarted(10000);
}

bool RealWindow::awaitWindow(int timeoutMs) {
    window_ = awaitWindowNamed(QStringLiteral("Sorvane"), timeoutMs);
    return !window_.isEmpty();
}

QString RealWindow::awaitWindowNamed(const QString& title, int timeoutMs) {
    // The process id tells this run's window from any other program's.
    QProcess search;
    search.setProcessEnvironment(DisplayEnvironment());
    search.start(QStringLiteral("xdotool"),
                 {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--all"),
                  QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                  QString::number(process_.processId()), QStringLiteral("--name"),
                  u'^' + title + u'$'});
    const QDeadlineTimer deadline(timeoutMs);
    while (!search.waitForFinished(100)) {
        if (!isRunning() || deadline.hasExpired()) {
            search.kill();
            search.waitForFinished(1000);
            return {};
        }
    }
    return QString::fromLatin1(search.readAllStandardOutput()).section(u'\n', 0, 0).trimmed();
}

QString RealWindow::awaitOtherWindow(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    do {
        for (const QString& id : visibleWindows(QStringLiteral("^Sorvane$")))
            if (id != window_)
                return id;
    } while (!deadline.hasExpired() && isRunning());
    return {};
}

QStringList RealWindow::visibleWindows(const QString& name) {
    QStringList arguments{QStringLiteral("search"), QStringLiteral("--all"),
                          QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                          QString::number(process_.processId())};
    if (!name.isEmpty())
        arguments << QStringLiteral("--name") << name;
    QByteArray found;
    Xdotool(arguments, &found);
    return QString::fromLatin1(found).split(u'\n', Qt::SkipEmptyParts);
}

bool RealWindow::showsWindow() {
    if (!isRunning())
        return false; // its windows went with it
    return !visibleWindows(QStringLiteral("^Sorvane$")).isEmpty();
}

QRect RealWindow::geometry() {
    QByteArray shell;
    if (!Xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window_}, &shell))
        return {};
    QRect rect;
    for (const QByteArray& line : shell.split('\n')) {
        const int value = line.mid(line.indexOf('=') + 1).toInt();
        if (line.startsWith("X="))
            rect.moveLeft(value);
        else if (line.startsWith("Y="))
            rect.moveTop(value);
        else if (line.startsWith("WIDTH="))
            rect.setWidth(value);
        else if (line.startsWith("HEIGHT="))
            rect.setHeight(value);
    }
    return rect;
}

bool RealWindow::resize(QSize pixels) {
    return Xdotool({QStringLiteral("windowsize"), window_, QString::number(pixels.width()),
                    QString::number(pixels.height())});
}

bool RealWindow::click(const QString& role, const QString& name, int times, const QString& window) {
    QByteArray centre;
    const QStringList query{QStringLiteral(SORVANE_ACCESSIBLE_SCRIPT),
                            QString::number(process_.processId()), role, name, window};
    for (const QDeadlineTimer deadline(10000);
         !Run(QStringLiteral("/usr/bin/python3"), query, &centre); QThread::msleep(100))
        if (deadline.hasExpired() || !isRunning())
            return false;
    const QList<QByteArray> xy = centre.trimmed().split(' ');
    return xy.size() == 2 &&
           Xdotool({QStringLiteral("mousemove"), QString::fromLatin1(xy[0]),
                    QString::fromLatin1(xy[1]), QStringLiteral("click"), QStringLiteral("--repeat"),
                    QString::number(times), QStringLiteral("--delay"), QStringLiteral("80"),
                    QStringLiteral("1")});
}

bool RealWindow::key(const QString& keys) {
    return keyInto(window_, keys);
}

bool RealWindow::keyInto(const QString& window, const QString& keys) {
    return Xdotool(QStringList{QStringLiteral("windowfocus"), QStringLiteral("--sync"), window} +
                   KeyArguments(keys));
}

// The open menu is one more visible window of the program.
bool RealWindow::openFirstMenu() {
    const qsizetype before = visibleWindows().size();
    if (!click(QStringLiteral("menu item"), QStringLiteral("オプション")))
        return false;
    for (const QDeadlineTimer deadline(5000); visibleWindows().size() <= before;)
        if (deadline.hasExpired())
            return false;
    return true;
}

bool RealWindow::keyIntoMenu(const QString& keys) {
    return Xdotool(KeyArguments(keys));
}

bool RealWindow::screenshot(const QString& pngPath, const QString& window) {
    return Import({QStringLiteral("-window"), window.isEmpty() ? window_ : window,
                   QStringLiteral("png:") + pngPath});
}

bool RealWindow::screenshotAsSeen(const QString& pngPath) {
    const QRect window = geometry();
    return !window.isEmpty() &&
           Import({QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("-crop"),
                   QStringLiteral("%1x%2+%3+%4")
                       .arg(window.width())
                       .arg(window.height())
                       .arg(window.x())
                       .arg(window.y()),
                   QStringLiteral("+repage"), QStringLiteral("png:") + pngPath});
}

bool RealWindow::awaitExit(int timeoutMs) {
    return !isRunning() || process_.waitForFinished(timeoutMs);
}

QString RealWindow::errors() {
    errors_ += process_.readAllStandardError();
    return QString::fromLocal8Bit(errors_);
}

} // namespace sorvane::test
