#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace sorvane {

// File names are bytes; most are UTF-8, but cameras, old archives and shares
// of other systems leave names that are not. A name is read into a QString
// losslessly: each byte of an invalid sequence becomes the lone surrogate
// U+DC80 + (byte - 0x80), which valid UTF-8 never yields, and is turned back
// into that byte on the way to the system. Every path given to a system call
// goes through ToNativeName, every name read from one through FromNativeName.
QString FromNativeName(QByteArrayView bytes);
QByteArray ToNativeName(QStringView name);

// The name as the screen shows it: each escaped byte as U+FFFD.
QString DisplayName(const QString& name);

} // namespace sorvane
