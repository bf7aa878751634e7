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

// The window's inner area at its design size, in twips.
constexpr double DesignWidthTwips = 8655;
constexpr double DesignHeightTwips = 7350;

QProcessEnvironment DisplayEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), E2eDisplay());
    return environment;
}

// Runs xdotool on the display; false when it fails or hangs.
bool Xdotool(const QStringList& arguments, QByteArray* output = nullptr, int timeoutMs = 10000) {
    QProcess tool;
    tool.setProcessEnvironment(DisplayEnvironment());
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(timeoutMs)) {
        tool.kill();
        tool.waitForFinished(1000);
        return false;
    }
    if (output)
        *output = tool.readAllStandardOutput();
    return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

QStringList KeyArguments(const QString& keys) {
    return QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("40")} +
           keys.split(u' ', Qt::SkipEmptyParts);
}

// Runs ImageMagick's import on the display.
bool Import(const QStringList& arguments) {
    QProcess import;
    import.setProcessEnvironment(DisplayEnvironment());
    import.start(QStringLiteral("import"), arguments);
    return import.waitForFinished(20000) && import.exitStatus() == QProcess::NormalExit &&
           import.exitCode() == 0;
}

} // namespace

QString E2eDisplay() {
    return qEnvironmentVariable("E2E_DISPLAY");
}

std::optional<bool> NumLockState() {
    Display* display = XOpenDisplay(E2eDisplay().toLocal8Bit().constData());
    if (!display)
        return std::nullopt;
    std::optional<bool> on;
    const unsigned int mask = XkbKeysymToModifiers(display, XK_Num_Lock);
    XkbStateRec state;
    if (mask != 0 && XkbGetState(display, XkbUseCoreKbd, &state) == Success)
        on = (state.locked_mods & mask) != 0;
    XCloseDisplay(display);
    return on;
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

// The window has no frame on a bare X server, and it opens at its design
// size: its width gives the scale from twips to pixels, and what its height
// has beyond the inner area is the menu bar's.
QPoint RealWindow::toWindowPixels(QPointF twips) {
    const QRect window = geometry();
    const double scale = window.width() / DesignWidthTwips;
    const double menuBar = window.height() - DesignHeightTwips * scale;
    return QPoint(qRound(twips.x() * scale), qRound(menuBar + twips.y() * scale));
}

bool RealWindow::clickAt(QPointF twips, int times) {
    return clickInto(window_, toWindowPixels(twips), times);
}

bool RealWindow::clickInto(const QString& window, QPoint at, int times) {
    return Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                    QString::number(at.x()), QString::number(at.y()), QStringLiteral("click"),
                    QStringLiteral("--repeat"), QString::number(times), QStringLiteral("--delay"),
                    QStringLiteral("80"), QStringLiteral("1")});
}

bool RealWindow::click(QPointF twips) {
    return clickAt(twips, 1);
}

bool RealWindow::doubleClick(QPointF twips, int gapMs) {
    const QPoint at = toWindowPixels(twips);
    return Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window_,
                    QString::number(at.x()), QString::number(at.y()), QStringLiteral("click"),
                    QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("--delay"),
                    QString::number(gapMs), QStringLiteral("1")});
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
    const QPoint inner = toWindowPixels({0, 0}); // the menu bar lies above the inner area
    const qsizetype before = visibleWindows().size();
    if (!Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window_,
                  QStringLiteral("12"), QString::number(inner.y() / 2), QStringLiteral("click"),
                  QStringLiteral("1")}))
        return false;
    for (const QDeadlineTimer deadline(5000); visibleWindows().size() <= before;)
        if (deadline.hasExpired())
            return false;
    return true;
}

bool RealWindow::keyIntoMenu(const QString& keys) {
    return Xdotool(KeyArguments(keys));
}

bool RealWindow::setNumLock(bool on) {
    const std::optional<bool> now = NumLockState();
    if (!now || (*now != on && !key(QStringLiteral("Num_Lock"))))
        return false;
    for (const QDeadlineTimer deadline(5000); !deadline.hasExpired(); QThread::msleep(20))
        if (NumLockState() == on)
            return true;
    return false;
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
