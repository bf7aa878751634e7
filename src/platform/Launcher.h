#pragma once

#include <QString>

class QUrl;

namespace sorvane {

// Starting other programs. The real implementation asks the desktop's
// association database; tests record instead of starting anything.
class Launcher {
public:
    virtual ~Launcher() = default;
    // Full path of the program associated with the file's type, as found on
    // PATH; empty when there is none.
    virtual QString findExecutable(const QString& file) = 0;
    // Opens the file with the application associated with its type: that
    // application's own command line with the file as one argument, never
    // through a shell. False when there is none or it could not be started.
    virtual bool start(const QString& file) = 0;
    // Starts a program without arguments; false when it could not be started.
    virtual bool startProgram(const QString& program) = 0;
    // Opens a web address in the user's browser.
    virtual void openUrl(const QUrl& address) = 0;
};

} // namespace sorvane
