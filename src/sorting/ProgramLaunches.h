#pragma once

#include <QString>

namespace sorvane {

class Launcher;
struct Module1;

// Other programs the main window starts: the one associated with a file's
// type, and the help page beside the program. The window shows the line a
// launch gives: the program started, or why not.
class ProgramLaunches {
public:
    ProgramLaunches(const Module1& module, Launcher& launcher)
        : module_(module), launcher_(launcher) {}

    QString helpPage() const;
    bool hasHelpPage() const;
    QString launch(const QString& file, const QString& failure);

private:
    const Module1& module_;
    Launcher& launcher_;
};

} // namespace sorvane
