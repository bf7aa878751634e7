#pragma once

#include <sys/types.h>

namespace sorvane::bench {

// An Xvfb of the benchmark's own on a free display, which DISPLAY then
// names; started before the application, stopped after it.
struct XServer {
    pid_t pid = -1;
    int display = -1;
};
XServer StartXServer();
void StopXServer(const XServer& server);

// Presses and releases a key on the X server the application is connected
// to, as a keyboard would (XTest): the press reaches the program through the
// server and Qt's connection to it. False when there is no such server.
bool PressKeyOnServer(unsigned long keysym);
// Waits until the server has done everything the application asked of it
// so far (a round trip on the application's connection).
void SyncWithServer();

} // namespace sorvane::bench
