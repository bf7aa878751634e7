#pragma once

#include "platform/FileError.h"

#include <QString>

namespace sorvane {

// The texts a send or an undo tells the user. Mostly the one line the main
// window shows when one does nothing: a run never stops for a message box,
// yet the user must see why a key has no effect.

// A short reason for the failure, in the window's language.
QString FailureReason(FileError error);

// "<folder>に移動できませんでした。<reason>" (コピー when the source is kept).
QString SendFailedText(const QString& targetFolder, bool copied, FileError error);

QString UndoFailedText(FileError error);

// The file a send replaced could not be put back under its name (the sent
// file did go back).
QString NotPutBackText(const QString& name, FileError error);

// No trash could take the file a send replaced: it stays beside, renamed.
QString KeptBesideText(const QString& name, const QString& keptAs);

// Asked before a send replaces a file of the same name, when the options say so.
QString SameNameQuestionText();

// The journal of sends could not record what was just done (it was done).
QString JournalFailedText();

} // namespace sorvane
