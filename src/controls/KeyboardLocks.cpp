#include "controls/KeyboardLocks.h"

#include <QGuiApplication>

// Last: Xlib's macros clash with Qt's names.
#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace sorvane {

std::optional<KeyboardLocks> ReadKeyboardLocks() {
    const auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    XkbStateRec state;
    if (!display || XkbGetState(display, XkbUseCoreKbd, &state) != Success)
        return std::nullopt;
    const unsigned int num = XkbKeysymToModifiers(display, XK_Num_Lock);
    return KeyboardLocks{(state.locked_mods & LockMask) != 0,
                         num != 0 && (state.locked_mods & num) != 0};
}

} // namespace sorvane
