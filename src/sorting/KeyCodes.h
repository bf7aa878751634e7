#pragma once

#include <Qt>
#include <QtGlobal>

namespace sorvane {

// Key codes the main window's key handler acts on.
namespace KeyCode {
inline constexpr int Space = 32;
inline constexpr int Left = 37, Up = 38, Right = 39, Down = 40;
inline constexpr int Digit0 = 48;  // main keyboard row, 48-57
inline constexpr int Keypad0 = 96; // numeric keypad, 96-105
} // namespace KeyCode

// The key code of a physical key. Digits are told by the key itself, not by
// the character it types: on many layouts Shift+3 types "#" and some number
// rows type symbols without Shift, yet they are still the 3 key. The X
// server's key numbers identify the number row and the keypad; a keypad key
// is a digit only while it types one (Num Lock on), otherwise it is the
// arrow or paging key it types. Events without a key number (synthetic
// events) fall back to the key's symbol. Keys without a code here give 0.
int KeyCodeOf(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode);

// The Shift (1), Ctrl (2) and Alt (4) bits of the held modifier keys.
int ShiftBitsOf(Qt::KeyboardModifiers modifiers);

} // namespace sorvane
