#pragma once

#include "platform/Launcher.h"

#include <QUrl>

namespace sorvane::test {

// Answers the association look-up from a fixed program path and records
// every start instead of starting anything.
class RecordingLauncher : public Launcher {
public:
    QString findExecutable(const QString&) override { return program; }
    bool start(const QString& file) override {
        started.append(file);
        return !program.isEmpty();
    }
    bool startProgram(const QString& path) override {
        programsStarted.append(path);
        return true;
    }
    void openUrl(const QUrl& address) override { opened.append(address); }

    QString program = QStringLiteral("/usr/bin/editor");
    QStringList started, programsStarted;
    QList<QUrl> opened;
};

} // namespace sorvane::test
