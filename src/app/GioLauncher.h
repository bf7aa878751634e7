#pragma once

#include "platform/Launcher.h"

namespace sorvane {

// Associations through GIO: the content type of the file and the default
// application registered for it.
class GioLauncher : public Launcher {
public:
    QString FindExecutable(const QString& file) override;
    bool Start(const QString& program, const QString& argument) override;
};

} // namespace sorvane
