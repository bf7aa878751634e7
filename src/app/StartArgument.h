#pragma once

#include <QByteArray>

namespace sorvane {

// The picture or folder the program is started with, in the bytes of its
// name: the first argument, or the one after a leading "--" (which ends the
// options of any program, so scripts may write `sorvane -- "$file"`).
// Every argument is a path: the program has no options of its own, and Qt's
// (which would take a file called "-reverse" for its option) come from the
// environment only. Empty when there is none.
QByteArray StartArgument(int argc, const char* const* argv);

} // namespace sorvane
