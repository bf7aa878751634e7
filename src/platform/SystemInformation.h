#pragma once

#include <QString>

namespace sorvane {

// The desktop's system-information program: the first of the known ones
// found on PATH; empty when there is none.
QString FindSystemInformationProgram();

} // namespace sorvane
