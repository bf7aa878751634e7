// Start-up (reading and applying the settings) and the save at close.
#include "controls/DirList.h"
#include "controls/DriveFolderPair.h"
#include "controls/FileList.h"
#include "controls/StatusPanels.h"
#include "platform/FileOps.h"
#include "platform/NumberText.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "settings/SettingsFile.h"
#include "sorting/Form1.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include <cmath>

namespace sorvane {
namespace {

// The room the window's frame, caption and menu bar take around its inner
// area, in twips. The settings keep outer sizes; keeping the frame a fixed
// amount makes them mean the same whatever the window manager draws.
constexpr float FrameWidthTwips = 120;
constexpr float FrameHeightTwips = 690;

std::int16_t ToInt16(float value) {
    return std::int16_t(std::clamp(std::lround(value), -32768L, 32767L));
}

} // namespace

QRectF Form1::OuterTwips() const {
    const int innerHeight = height() - menuBar()->sizeHint().height();
    return QRectF(twips_.FromPixels(x()), twips_.FromPixels(y()),
                  twips_.FromPixels(width()) + FrameWidthTwips,
                  twips_.FromPixels(innerHeight) + FrameHeightTwips);
}

void Form1::SetOuterSizeTwips(float width, float height) {
    resize(twips_.ToPixels(width - FrameWidthTwips),
           twips_.ToPixels(height - FrameHeightTwips) + menuBar()->sizeHint().height());
}

bool Form1::Form_Load() {
    // Before the settings are read the lists show the current folder.
    {
        const QSignalBlocker blocker(Dir1);
        Dir1->setPath(QDir::currentPath());
    }
    drives_->fillDrives();
    File1->setFolder(Dir1->path());

    switch (LoadSettingsFile(module_)) {
    case LoadOutcome::TooFewFields:
        DeleteSettingsFile(module_);
        return false;
    case LoadOutcome::BadNumber:
        return true;
    case LoadOutcome::Unreadable:
        settingsFileKept_ = true; // never replace a file we could not read
        ApplyDefaults(module_);
        break;
    case LoadOutcome::NoFile:
        ApplyDefaults(module_);
        break;
    case LoadOutcome::Loaded:
        break;
    }
    if (!ApplySavedGeometry())
        return true;
    if (module_.SourceFolder.isEmpty())
        module_.SourceFolder = QStringLiteral("/");
    if (module_.RememberSourceFolder == 1 && !ShowRememberedSourceFolder())
        return true;
    CheckSlotFolders();
    EnableKeyPreview();
    QPalette coloured = Text1->palette();
    coloured.setColor(QPalette::Base, Label1[0]->palette().color(QPalette::Window));
    Text1->setPalette(coloured);
    ShowCopyModeIndicator();
    return true;
}

bool Form1::ApplySavedGeometry() {
    if (module_.RememberWindowSize != 1)
        return true;
    move(twips_.ToPixels(module_.WindowLeft), twips_.ToPixels(module_.WindowTop));
    bool widthOk = false;
    const float width = module_.WindowWidth.trimmed().toFloat(&widthOk);
    if (!widthOk)
        return false;
    if (width < 8300) {
        SetOuterSizeTwips(8385, 6495);
        return true;
    }
    bool heightOk = false;
    const float height = module_.WindowHeight.trimmed().toFloat(&heightOk);
    if (!heightOk)
        return false;
    SetOuterSizeTwips(width, height);
    return true;
}

bool Form1::ShowRememberedSourceFolder() {
    Label3->setText(module_.SourceFolder);
    StatusBar1->setText(1, u' ' + module_.SourceFolder + u' ');
    StatusBar1->setText(3, QStringLiteral(" %1 File ").arg(File1->count()));
    if (!Dir1->setPath(module_.SourceFolder))
        return false; // the folder is gone: the rest of start-up is skipped
    drives_->followFolder();
    Dir1->refresh();
    return true;
}

void Form1::CheckSlotFolders() {
    for (int i = 0; i < SlotCount; ++i) {
        QString& slot = module_.FolderSlots[size_t(i)];
        if (!IsFolder(slot))
            slot = QStringLiteral("/");
        if (i < BulkDeleteSlot)
            Command4[size_t(i)]->setText(FolderButtonCaption(slot));
    }
}

void Form1::ShowCopyModeIndicator() {
    const bool copying = module_.CopyMode == 1;
    Label8->setVisible(copying);
    Timer1->setInterval(copying ? 500 : 0);
    if (copying)
        Timer1->start();
    else
        Timer1->stop();
}

void Form1::SaveGeometryFields() {
    const QRectF outer = OuterTwips();
    module_.WindowWidth = SingleText(float(outer.width()));
    module_.WindowHeight = SingleText(float(outer.height()));
    module_.WindowLeft = ToInt16(float(outer.left()));
    module_.WindowTop = ToInt16(float(outer.top()));
}

void Form1::closeEvent(QCloseEvent* event) {
    emit closingOtherWindows();
    SaveGeometryFields();
    if (module_.SortingActive != 1 && !settingsFileKept_ && !SaveSettingsFile(module_)) {
        prompts_.Ask(
            {QStringLiteral("Sorvane"), QStringLiteral("設定ファイルを保存できませんでした。\r\n") +
                                            SettingsFilePath(module_)});
    }
    event->accept();
}

} // namespace sorvane
