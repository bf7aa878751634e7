#include "sorting/FileDeletion.h"

#include "platform/FileOps.h"
#include "platform/NativeName.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "platform/Trash.h"
#include "settings/Module1.h"
#include "sorting/SendRecorder.h"

#include <QCoreApplication>
#include <QFileInfo>

// The texts keep the main window's name in the translations: they are its texts.

namespace sorvane {
FileDeletion::Outcome FileDeletion::deleteFile(const QString& folder, const QString& name) {
    const Prompt question{QCoreApplication::translate("sorvane::Form1", "アテンション"),
                          DisplayName(name) +
                              QCoreApplication::translate(
                                  "sorvane::Form1", "を削除しようとしています。\r\n削除しますか？"),
                          PromptButtons::OkCancel};
    if (prompts_.ask(question) != PromptAnswer::Ok)
        return Outcome::Kept;
    const QString path = JoinPath(folder, name);
    FileIdentity identity; // for the journal, as the file was
    IdentityOf(path, &identity);
    if (module_.Extras.deleteToTrash) {
        if (!trash(path, name))
            return Outcome::Kept;
    } else if (const FileError error = RemoveFile(path); error != FileError::None) {
        reportError(error, name);
        return Outcome::Kept;
    }
    // The file is gone already; a record that cannot be written changes
    // nothing of that, the user is only told.
    if (recorder_ && !recorder_->record({JournalAction::Delete, path, {}, -1, {}, identity}))
        return Outcome::DeletedUnrecorded;
    return Outcome::Deleted;
}

bool FileDeletion::trash(const QString& path, const QString& name) {
    TrashedFile trashed;
    if (MoveToTrash(path, &trashed))
        return true;
    if (!IsRegularFile(path) && !QFileInfo(path).isSymLink())
        reportError(MissingPathError(path), name);
    else
        prompts_.ask(
            {QStringLiteral("Sorvane"),
             QCoreApplication::translate("sorvane::Form1",
                                         "%1をごみ箱に入れられなかったので、削除せずに残しました。")
                 .arg(DisplayName(name))});
    return false;
}

void FileDeletion::reportError(FileError error, const QString& name) {
    QString text;
    if (error == FileError::InvalidPicture)
        text = DisplayName(name) +
               QCoreApplication::translate("sorvane::Form1",
                                           "はファイルが壊れています\r\n処理を中止します。");
    else if (error == FileError::PathNotFound)
        text = QCoreApplication::translate("sorvane::Form1", "ファイルが見つかりません。");
    if (!text.isEmpty())
        prompts_.ask({QStringLiteral("Sorvane"), text});
}

} // namespace sorvane
