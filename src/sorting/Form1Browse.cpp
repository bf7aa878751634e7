// Choosing the source drive and folder, and what the file list does on the mouse.
#include "controls/DirList.h"
#include "controls/DriveFolderPair.h"
#include "controls/FileList.h"
#include "controls/MouseButtons.h"
#include "controls/StatusPanels.h"
#include "platform/NativeName.h"
#include "sorting/Form1.h"

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
    preview_->readAheadForRun();
}

// The texts of the path label, the counts label and the status panels.
void Form1::ShowSourceFolder() {
    Label3->setText(DisplayName(module_.SourceFolder));
    StatusBar1->showText(1, module_.SourceFolder);
}

QString CountText(const FileList& list) {
    return QString::number(list.count()) + QStringLiteral(" File");
}

void Form1::ShowCounts() {
    Label6->setText(CountText(*File1));
    StatusBar1->showText(3, CountText(*File1));
}

void Form1::File1_MouseDown(int button) {
    if (module_.RunTime.SortingActive == 1)
        return;
    if (button == MouseButton::Left)
        preview_->previewSelectedFile();
    else if (button == MouseButton::Right)
        DeleteSelectedFile();
}

void Form1::DeleteSelectedFile() {
    const FileDeletion::Outcome outcome = deletion_.deleteFile(Dir1->path(), File1->selectedName());
    if (outcome == FileDeletion::Outcome::DeletedUnrecorded)
        reportJournalFailure();
    if (outcome != FileDeletion::Outcome::Kept)
        File1->refresh(); // the counts wait for the next send, undo or folder change
}

void Form1::File1_DblClick() {
    if (module_.RunTime.SortingActive == 1)
        return;
    module_.RunTime.ViewerFileName = File1->selectedName();
    module_.RunTime.ViewerFileIndex = File1->listIndex();
    Q_EMIT viewerRequested();
}

} // namespace sorvane
