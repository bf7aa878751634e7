// Start-up (reading and applying the settings) and the save at close.
#include "controls/DirList.h"
#include "controls/DriveFolderPair.h"
#include "controls/FileList.h"
#include "controls/StatusPanels.h"
#include "imaging/ImageKinds.h"
#include "platform/FileOps.h"
#include "platform/FolderActions.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "settings/StartUp.h"
#include "sorting/Form1.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

namespace sorvane {
namespace {

// A slot whose folder is gone falls back to the root; the buttons name
// what each slot holds now.
void CheckSlotFolders(Module1& module, const std::array<QPushButton*, 12>& buttons) {
    for (int i = 0; i < SlotCount; ++i) {
        QString& slot = module.FolderSlots[size_t(i)];
        if (!IsFolder(slot))
            slot = QStringLiteral("/");
        if (i < BulkDeleteSlot)
            buttons[size_t(i)]->setText(FolderButtonCaption(slot));
    }
}

} // namespace

bool Form1::Form_Load() {
    // Before the settings are read the lists show the current folder.
    {
        const QSignalBlocker blocker(Dir1);
        Dir1->setPath(QDir::currentPath());
    }
    drives_->fillDrives();
    File1->setFolder(Dir1->path());

    const StartUpPlan plan = ReadSettingsAtStartUp(module_);
    settingsFileKept_ = plan.keepFile;
    if (plan.action == StartUpAction::Quit)
        return false;
    if (plan.action == StartUpAction::ShowWindowOnly)
        return true;
    if (!geometry_.applySaved(module_))
        return true;
    if (module_.SourceFolder.isEmpty())
        module_.SourceFolder = QStringLiteral("/");
    if (module_.RememberSourceFolder == 1)
        ShowRememberedSourceFolder();
    CheckSlotFolders(module_, Command4);
    ConnectKeys();
    QPalette coloured = Text1->palette();
    coloured.setColor(QPalette::Base, Label1[0]->palette().color(QPalette::Window));
    Text1->setPalette(coloured);
    ShowCopyModeIndicator();
    return true;
}

void Form1::ShowStartPath(const QString& path) {
    if (path.isEmpty())
        return;
    // Checked through the file operations, which use the name's own bytes
    // (QFileInfo would look for another name when they are not UTF-8).
    const QString start = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    const bool folder = IsFolder(start);
    if (!folder && !IsRegularFile(start))
        return;
    if (!Dir1->setPath(folder ? start : ParentFolder(start)))
        return;
    if (module_.SourceFolder != Dir1->path()) // already the list's folder: no change came
        Dir1_Change();
    drives_->followFolder();
    if (folder)
        return;
    const qsizetype index = File1->names().indexOf(FileNameOf(start));
    if (index < 0) // not a file the list shows
        return;
    File1->setListIndex(int(index));
    // Any other file would go to its associated program, which may be this one.
    if (IsImageFile(FileNameOf(start)))
        preview_->previewSelectedFile();
}

// A remembered folder that is gone (sorted empty and deleted, most often)
// opens the lists on its nearest ancestor that can still be listed; the rest
// of start-up goes on all the same.
void Form1::ShowRememberedSourceFolder() {
    ShowSourceFolder();
    StatusBar1->showText(3, CountText(*File1)); // Label6 waits for the folder change
    Dir1->setNearestPath(module_.SourceFolder);
    drives_->followFolder();
    Dir1->refresh();
}

void Form1::ShowCopyModeIndicator() {
    const bool copying = module_.CopyMode == 1;
    setCopyIndicatorShown(copying);
    setCopyIndicatorBlinking(copying);
}

void Form1::setCopyIndicatorShown(bool shown) {
    Label8->setVisible(shown);
}

// A timer with interval 0 would fire on every pass of the event loop, so a
// blink interval of 0 means the timer stops.
void Form1::setCopyIndicatorBlinking(bool blinking) {
    Timer1->setInterval(blinking ? 500 : 0);
    if (blinking)
        Timer1->start();
    else
        Timer1->stop();
}

void Form1::closeEvent(QCloseEvent* event) {
    Q_EMIT closingOtherWindows();
    geometry_.saveInto(module_);
    if (module_.RunTime.SortingActive != 1 && !settingsFileKept_ && !SaveSettingsFile(module_)) {
        prompts_.ask({QStringLiteral("Sorvane"),
                      tr("設定ファイルを保存できませんでした。\r\n") + SettingsFilePath(module_)});
    }
    event->accept();
}

} // namespace sorvane
