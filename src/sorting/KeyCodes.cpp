#include "sorting/KeyCodes.h"

namespace sorvane {
namespace {

// X key numbers (evdev code + 8) of the number row: 1..9 are 10..18, 0 is 19.
int NumberRowDigit(quint32 scan) {
    if (scan >= 10 && scan <= 18)
        return int(scan) - 9;
    return scan == 19 ? 0 : -1;
}

// X key numbers of the keypad digits 0..9.
int KeypadDigit(quint32 scan) {
    static const quint32 keys[10] = {90, 87, 88, 89, 83, 84, 85, 79, 80, 81};
    for (int digit = 0; digit < 10; ++digit)
        if (keys[digit] == scan)
            return digit;
    return -1;
}

} // namespace

int KeyCodeOf(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode) {
    if (const int digit = NumberRowDigit(nativeScanCode); digit >= 0)
        return KeyCode::Digit0 + digit;
    // The keypad types digits only with Num Lock on; without it its keys are
    // the arrows and paging keys they type.
    const bool typesDigit = qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9;
    if (const int digit = KeypadDigit(nativeScanCode); digit >= 0 && typesDigit)
        return KeyCode::Keypad0 + digit;
    if (nativeScanCode == 0 && typesDigit) {
        const int base =
            modifiers.testFlag(Qt::KeypadModifier) ? KeyCode::Keypad0 : KeyCode::Digit0;
        return base + (qtKey - Qt::Key_0);
    }
    switch (qtKey) {
    case Qt::Key_Space:
        return KeyCode::Space;
    case Qt::Key_Left:
        return KeyCode::Left;
    case Qt::Key_Up:
        return KeyCode::Up;
    case Qt::Key_Right:
        return KeyCode::Right;
    case Qt::Key_Down:
        return KeyCode::Down;
    default:
        return 0;
    }
}

int ShiftBitsOf(Qt::KeyboardModifiers modifiers) {
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

} // namespace sorvane
