#pragma once

#include "platform/Launcher.h"

namespace sorvane {

// Associations through GIO: the type of the file and the default application
// registered for it, started by GIO from its desktop entry. GLib starts every
// program through an intermediate child, so it runs detached, is never left a
// zombie, and inherits no descriptor of ours but the standard three.
class GioLauncher : public Launcher {
public:
    QString findExecutable(const QString& file) override;
    bool start(const QString& file) override;
    bool startProgram(const QString& program) override;
    void openUrl(const QUrl& address) override;
};

} // namespace sorvane
