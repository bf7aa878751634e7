#pragma once

#include <optional>

namespace sorvane {

struct KeyboardLocks {
    bool capsLock = false;
    bool numLock = false;
};

// The Caps Lock and Num Lock states of the X server's keyboard; nothing
// when the program does not run on an X server (offscreen, Wayland).
std::optional<KeyboardLocks> ReadKeyboardLocks();

} // namespace sorvane
