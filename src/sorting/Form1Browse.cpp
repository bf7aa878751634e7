// Choosing the source drive and folder, and what the file list does on the mouse.
#include "controls/DirList.h"
#include "controls/DriveFolderPair.h"
#include "controls/FileList.h"
#include "controls/MouseButtons.h"
#include "controls/StatusPanels.h"
#include "platform/FileOps.h"
#include "platform/NativeName.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "platform/Trash.h"
#include "sorting/Form1.h"

#include <QFileInfo>
#include <QLabel>

namespace sorvane {

void Form1::Drive1_Change() {
    if (module_.RunTime.SortingActive == 1)
        return;
    drives_->openDrive();
}

void Form1::Dir1_Change() {
    if (module_.RunTime.SortingActive == 1)
        return;
    File1->setFolder(Dir1->path());
    module_.SourceFolder = Dir1->path();
    ShowSourceFolder();
    ShowCounts();
    ReadAheadForRun();
}

// The texts of the path label, the counts label and the status panels.
void Form1::ShowSourceFolder() {
    Label3->setText(DisplayName(module_.SourceFolder));
    StatusBar1->showText(1, module_.SourceFolder);
}

QString Form1::CountText() const {
    return QString::number(File1->count()) + QStringLiteral(" File");
}

void Form1::ShowCounts() {
    Label6->setText(CountText());
    StatusBar1->showText(3, CountText());
}

void Form1::ShowFileName(const QString& name) {
    StatusBar1->showText(2, name);
}

void Form1::File1_MouseDown(int button) {
    if (module_.RunTime.SortingActive == 1)
        return;
    if (button == MouseButton::Left)
        PreviewSelectedFile();
    else if (button == MouseButton::Right)
        DeleteSelectedFile();
}

void Form1::DeleteSelectedFile() {
    const QString name = File1->selectedName();
    const Prompt question{tr("アテンション"),
                          DisplayName(name) + tr("を削除しようとしています。\r\n削除しますか？"),
                          PromptButtons::OkCancel};
    if (prompts_.ask(question) != PromptAnswer::Ok)
        return;
    const QString path = JoinPath(Dir1->path(), name);
    FileIdentity identity; // for the journal, as the file was
    IdentityOf(path, &identity);
    if (module_.Extras.deleteToTrash) {
        if (!TrashFile(path, name))
            return;
    } else if (const FileError error = RemoveFile(path); error != FileError::None) {
        ReportFileError(error, name);
        return;
    }
    RecordDeletion(path, identity);
    File1->refresh(); // the counts wait for the next send, undo or folder change
}

// A file no trash takes is not deleted for good instead: it stays, and the
// user is told why.
bool Form1::TrashFile(const QString& path, const QString& name) {
    TrashedFile trashed;
    if (MoveToTrash(path, &trashed))
        return true;
    if (!IsRegularFile(path) && !QFileInfo(path).isSymLink())
        ReportFileError(MissingPathError(path), name);
    else
        prompts_.ask({QStringLiteral("Sorvane"),
                      tr("%1をごみ箱に入れられなかったので、削除せずに残しました。")
                          .arg(DisplayName(name))});
    return false;
}

void Form1::ReportFileError(FileError error, const QString& name) {
    QString text;
    if (error == FileError::InvalidPicture)
        text = DisplayName(name) + tr("はファイルが壊れています\r\n処理を中止します。");
    else if (error == FileError::PathNotFound)
        text = tr("ファイルが見つかりません。");
    if (!text.isEmpty())
        prompts_.ask({QStringLiteral("Sorvane"), text});
}

void Form1::File1_DblClick() {
    if (module_.RunTime.SortingActive == 1)
        return;
    module_.RunTime.ViewerFileName = File1->selectedName();
    module_.RunTime.ViewerFileIndex = File1->listIndex();
    Q_EMIT viewerRequested();
}

} // namespace sorvane
