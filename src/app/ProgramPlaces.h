#pragma once

#include <QString>

namespace sorvane {

// Where the program finds its companion files (Error.jpg, Readme.txt, help/)
// and keeps its settings file.
struct ProgramPlaces {
    QString programFolder;
    QString settingsPath; // empty: beside the companion files, in the program folder
};

// A program whose own folder holds the companion files (the build folder, a
// folder copied anywhere) keeps everything beside itself. An installed one
// cannot write beside its executable: it reads the companion files from the
// install's share/sorvane and keeps its settings in the user's configuration
// folder, configHome ($XDG_CONFIG_HOME) when that is an absolute path, else
// home/.config.
ProgramPlaces FindProgramPlaces(const QString& executableFolder, const QString& configHome,
                                const QString& home);

// The same for this process: its executable's folder and its environment.
ProgramPlaces FindProgramPlaces();

// Where the send journal is kept: beside the settings file of a program kept
// in a folder of its own, and for an installed one in the user's state
// folder, stateHome ($XDG_STATE_HOME) when that is an absolute path, else
// home/.local/state.
QString JournalPath(const ProgramPlaces& places, const QString& stateHome, const QString& home);

// The same for this process's environment.
QString JournalPath(const ProgramPlaces& places);

} // namespace sorvane
