// The folder setup window's handlers: slot assignment, making and removing a
// folder, and the bulk delete.
#include "folders/Form2.h"

#include "controls/DirList.h"
#include "controls/DriveFolderPair.h"
#include "controls/MouseButtons.h"
#include "folders/FolderMessages.h"
#include "platform/FolderActions.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsLine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

namespace sorvane {

void Form2::Form_Load() {
    for (int i = 0; i < SlotCount; ++i)
        Text1[size_t(i)]->setText(module_.FolderSlots[size_t(i)]);
    Dir1->setPath(QDir::currentPath());
    drives_->fillDrives();
}

void Form2::Command1_Click(int index) {
    const QString folder = Dir1->path();
    if (!SettingsCanHold(folder)) {
        Tell(tr("名前に \" を含むフォルダは設定ファイルに保存できないので、確定できま"
                "せん。"));
        return;
    }
    module_.FolderSlots[size_t(index)] = folder;
    Text1[size_t(index)]->setText(folder);
    if (index != BulkDeleteSlot)
        Q_EMIT slotCaptionChanged(index, FolderButtonCaption(folder));
}

void Form2::Command2_Click() {
    close();
}

// The folder stays open from the checks to the deletion, and the deletion
// goes ahead only when the path still names it after the question: a folder
// on the way renamed or replaced meanwhile empties nothing.
void Form2::Command3_Click() {
    const QString folder = module_.FolderSlots[BulkDeleteSlot];
    const BulkDeleteFolder opened(folder);
    if (const QString refusal = BulkDeleteRefusalText(CheckBulkDelete(opened), folder);
        !refusal.isEmpty()) {
        Tell(refusal);
        return;
    }
    if (!Confirm(folder + tr("フォルダのファイルをすべてを削除しますか?")))
        return;
    if (!opened.stillNamed()) {
        Tell(folder + tr("フォルダが別のフォルダに変わったので、ファイルを削除しません"
                         "でした。"));
        return;
    }
    const auto deleted = [this](const QString& path, const FileIdentity& identity) {
        Q_EMIT fileDeleted(path, identity);
    };
    const bool toTrash = module_.Extras.deleteToTrash;
    if (const int failed = opened.deleteFiles(toTrash, deleted); failed > 0)
        Tell(toTrash ? tr("%1個のファイルはごみ箱に入れられなかったので、削除せずに残しました。")
                           .arg(failed)
                     : tr("%1個のファイルを削除できませんでした。").arg(failed));
}

void Form2::Drive1_Change() {
    if (module_.RunTime.SortingActive == 1)
        return;
    drives_->openDrive();
}

void Form2::Text1_KeyPress(int index) {
    if (!Confirm(tr("新しいフォルダを作りますか?")))
        return;
    const QString typed = Text1[size_t(index)]->text();
    const MakeFolderResult made = MakeFolder(typed, Dir1->path());
    if (made != MakeFolderResult::Made)
        Tell(MakeFolderFailureText(made));
    else if (const QString folder = ResolveFolderText(typed, Dir1->path()); !Dir1->setPath(folder))
        Tell(folder + tr("フォルダを作成しましたが、開けませんでした。"));
}

void Form2::Dir1_MouseDown(int button) {
    if (button != MouseButton::Right)
        return;
    const QString folder = Dir1->path();
    if (!Confirm(folder + tr("フォルダを削除しますか?")))
        return;
    const RemoveFolderResult removed = RemoveEmptyFolder(folder);
    if (removed != RemoveFolderResult::Removed) {
        Tell(RemoveFolderFailureText(removed));
        return;
    }
    // The main window's destination line is left as it was: it tells sends
    // and launches, and a bare path under the slot buttons would read as one.
    OpenNearestFolder(ParentFolder(folder));
}

// The folder is gone, so the list must leave it: the parent, or the nearest
// ancestor that can be listed.
void Form2::OpenNearestFolder(const QString& folder) {
    Dir1->setNearestPath(folder);
}

// The program's own folders are refused, each of them: the executable's, the
// companion files' and the settings file's (three places for an installed
// program, one for a program kept in a folder of its own).
BulkDeleteRefusal Form2::CheckBulkDelete(const BulkDeleteFolder& folder) const {
    const QString settingsFolder = QFileInfo(SettingsFilePath(module_)).absolutePath();
    return folder.refusal(QDir::homePath(), {module_.ProgramFolder, settingsFolder,
                                             QCoreApplication::applicationDirPath()});
}

bool Form2::Confirm(const QString& question) {
    const Prompt prompt{QStringLiteral("Sorvane"), question, PromptButtons::OkCancel};
    if (prompts_.ask(prompt) == PromptAnswer::Ok)
        return true;
    Tell(tr("キャンセルされました。"));
    return false;
}

void Form2::Tell(const QString& message) {
    prompts_.ask({QStringLiteral("Sorvane"), message, PromptButtons::Ok});
}

} // namespace sorvane
