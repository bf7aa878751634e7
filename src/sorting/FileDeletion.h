#pragma once

#include "platform/FileError.h"

#include <QString>

namespace sorvane {

class Prompts;
class SendRecorder;
struct Module1;

// The right-click delete of a file of the source folder: asked first, then
// into the trash when the options say so (a file no trash takes is not
// deleted for good instead: it stays, and the user is told why), otherwise
// removed; every deletion goes into the journal.
class FileDeletion {
public:
    FileDeletion(const Module1& module, Prompts& prompts) : module_(module), prompts_(prompts) {}

    void setRecorder(SendRecorder* recorder) { recorder_ = recorder; }

    enum class Outcome { Kept, Deleted, DeletedUnrecorded };
    Outcome deleteFile(const QString& folder, const QString& name);

    // The message boxes of a file that could not be read or was not found.
    void reportError(FileError error, const QString& name);

private:
    bool trash(const QString& path, const QString& name);

    const Module1& module_;
    Prompts& prompts_;
    SendRecorder* recorder_ = nullptr;
};

} // namespace sorvane
