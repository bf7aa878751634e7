#pragma once

#include <QIcon>

namespace sorvane {

// The program's own icon, drawn from its SVG at the sizes desktops ask for.
QIcon ProgramIcon();

} // namespace sorvane
