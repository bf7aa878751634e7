#pragma once

#include <QString>

namespace sorvane {

// Starting other programs. The real implementation asks the desktop's
// association database; tests record instead of starting anything.
class Launcher {
public:
    virtual ~Launcher() = default;
    // Full path of the program associated with the file's type; empty when none.
    virtual QString FindExecutable(const QString& file) = 0;
    // Starts the program with one argument, never through a shell.
    virtual bool Start(const QString& program, const QString& argument) = 0;
};

} // namespace sorvane
