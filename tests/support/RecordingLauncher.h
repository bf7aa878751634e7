#pragma once

#include "platform/Launcher.h"

#include <QStringList>

namespace sorvane::test {

// Answers the association look-up from a fixed program path and records
// every start instead of starting anything.
class RecordingLauncher : public Launcher {
public:
    QString FindExecutable(const QString& file) override {
        lookedUp.append(file);
        return program;
    }
    bool Start(const QString& path, const QString& argument) override {
        started.append(path + u' ' + argument);
        return startSucceeds && !path.isEmpty();
    }

    QString program = QStringLiteral("/usr/bin/editor");
    bool startSucceeds = true;
    QStringList lookedUp;
    QStringList started;
};

} // namespace sorvane::test
