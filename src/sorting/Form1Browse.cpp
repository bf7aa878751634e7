// Choosing the source drive and folder, and what the file list does on the mouse.
#include "platform/Drives.h"
#include "platform/FileOps.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "sorting/DirList.h"
#include "sorting/FileList.h"
#include "sorting/Form1.h"
#include "sorting/StatusPanels.h"

#include <QComboBox>
#include <QLabel>

namespace sorvane {

void Form1::Drive1_Change() {
    if (module_.SortingActive == 1)
        return;
    const QString drive = Drive1->currentText();
    if (DriveOf(Dir1->path(), drives_) == drive)
        return; // the folder list is on that drive already
    for (;;) {
        QString reason;
        if (Dir1->setPath(drive, &reason))
            return;
        const Prompt notReady{QStringLiteral("Sorvane"), reason, PromptButtons::RetryCancel,
                              PromptIcon::Information};
        if (prompts_.Ask(notReady) != PromptAnswer::Retry)
            break;
    }
    SetDriveBoxTo(DriveOf(Dir1->path(), drives_));
}

void Form1::SetDriveBoxTo(const QString& drive) {
    const bool blocked = Drive1->blockSignals(true);
    Drive1->setCurrentIndex(Drive1->findText(drive));
    Drive1->blockSignals(blocked);
}

void Form1::Dir1_Change() {
    if (module_.SortingActive == 1)
        return;
    File1->setFolder(Dir1->path());
    module_.SourceFolder = Dir1->path();
    Label3->setText(module_.SourceFolder);
    StatusBar1->setText(1, u' ' + module_.SourceFolder + u' ');
    ShowCounts();
}

void Form1::ShowCounts() {
    const QString count = QString::number(File1->count());
    Label6->setText(count + QStringLiteral(" File"));
    StatusBar1->setText(3, u' ' + count + QStringLiteral(" File "));
}

void Form1::File1_MouseDown(int button) {
    if (module_.SortingActive == 1)
        return;
    if (button == 1)
        PreviewSelectedFile();
    else if (button == 2)
        DeleteSelectedFile();
}

void Form1::DeleteSelectedFile() {
    const QString name = File1->selectedName();
    const Prompt question{QStringLiteral("アテンション"),
                          name + QStringLiteral("を削除しようとしています。\r\n削除しますか？"),
                          PromptButtons::OkCancel};
    if (prompts_.Ask(question) != PromptAnswer::Ok)
        return;
    const FileError error = RemoveFile(JoinPath(Dir1->path(), name));
    if (error != FileError::None) {
        ReportFileError(error, name);
        return;
    }
    File1->refresh(); // the counts wait for the next send, undo or folder change
}

void Form1::ReportFileError(FileError error, const QString& name) {
    QString text;
    if (error == FileError::InvalidPicture)
        text = name + QStringLiteral("はファイルが壊れています\r\n処理を中止します。");
    else if (error == FileError::PathNotFound)
        text = QStringLiteral("ファイルが見つかりません。");
    if (!text.isEmpty())
        prompts_.Ask({QStringLiteral("Sorvane"), text});
}

void Form1::File1_DblClick() {
    if (module_.SortingActive == 1)
        return;
    module_.ViewerFileName = File1->selectedName();
    module_.ViewerFileIndex = File1->listIndex();
    emit viewerRequested();
}

} // namespace sorvane
