#include "XServer.h"

#include <QGuiApplication>
#include <QString>
#include <QThread>
#include <QtGui/qguiapplication_platform.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Xlib's macros (None, KeyPress, Bool...) clash with Qt's names: included last.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

extern char** environ;

namespace sorvane::bench {
namespace {

bool Exists(const QString& path) {
    struct stat info {};
    return ::stat(path.toLocal8Bit().constData(), &info) == 0;
}

Display* AppDisplay() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

} // namespace

XServer StartXServer() {
    // Above the numbers ./dev takes for the tests' server.
    for (int n = 140; n < 180; ++n) {
        const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(n);
        if (Exists(socket) || Exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            continue;
        const QByteArray name = ":" + QByteArray::number(n);
        const char* argv[] = {"Xvfb", name.constData(), "-screen", "0", "1600x1000x24", "-nolisten",
                              "tcp",  "-noreset",       nullptr};
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
        pid_t pid = -1;
        const int failed =
            posix_spawnp(&pid, "Xvfb", &quiet, nullptr, const_cast<char**>(argv), environ);
        posix_spawn_file_actions_destroy(&quiet);
        if (failed)
            return {};
        for (int i = 0; i < 100 && !Exists(socket); ++i)
            QThread::msleep(50);
        if (!Exists(socket)) {
            StopXServer({pid, n});
            continue;
        }
        ::setenv("DISPLAY", name.constData(), 1);
        return {pid, n};
    }
    return {};
}

void StopXServer(const XServer& server) {
    if (server.pid <= 0)
        return;
    ::kill(server.pid, SIGTERM);
    ::waitpid(server.pid, nullptr, 0);
}

bool PressKeyOnServer(unsigned long keysym) {
    Display* display = AppDisplay();
    if (!display)
        return false;
    const KeyCode code = XKeysymToKeycode(display, KeySym(keysym));
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    XFlush(display);
    return true;
}

void SyncWithServer() {
    if (Display* display = AppDisplay())
        XSync(display, False);
}

} // namespace sorvane::bench
