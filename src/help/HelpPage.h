#pragma once

#include <QString>

namespace sorvane {

// The help page the program ships: help/help.htm beside the program when it
// runs from its own folder (the build's, or a copy of it), else in the
// share/sorvane folder of the install it belongs to.
QString ShippedHelpPage(const QString& executableFolder);

// The same for this process.
QString ShippedHelpPage();

} // namespace sorvane
