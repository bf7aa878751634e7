#pragma once

#include "support/ScopedEnvironment.h"

#include <QFile>
#include <QTemporaryDir>

namespace sorvane::test {

// The desktop's trash in a temporary folder: while it lives XDG_DATA_HOME
// points there, so what a test sets aside never reaches the real home's
// trash (CI runs as root). Made per test, it starts empty every time.
class TemporaryTrash {
public:
    // A path inside the trash: "files/a.jpg", "info/a.jpg.trashinfo".
    QString path(const QString& relative = {}) const { return home_.filePath("Trash/" + relative); }
    QString dataHome() const { return home_.path(); }

private:
    QTemporaryDir home_;
    ScopedEnvironment variable_{"XDG_DATA_HOME", QFile::encodeName(home_.path())};
};

} // namespace sorvane::test
