#include "controls/DriveFolderPair.h"

#include "controls/DirList.h"
#include "platform/Drives.h"
#include "platform/Prompts.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace sorvane {

DriveFolderPair::DriveFolderPair(QComboBox* driveBox, DirList* folderList, Prompts& prompts,
                                 QObject* parent)
    : QObject(parent), driveBox_(driveBox), folderList_(folderList), prompts_(prompts) {}

void DriveFolderPair::fillDrives() {
    drives_ = ListDrives();
    const QSignalBlocker blocker(driveBox_);
    driveBox_->clear();
    driveBox_->addItems(drives_);
    followFolder();
}

void DriveFolderPair::followFolder() {
    const QSignalBlocker blocker(driveBox_);
    driveBox_->setCurrentIndex(driveBox_->findText(DriveOf(folderList_->path(), drives_)));
}

void DriveFolderPair::openDrive() {
    const QString drive = driveBox_->currentText();
    if (DriveOf(folderList_->path(), drives_) == drive)
        return; // the folder list is on that drive already
    for (;;) {
        QString reason;
        if (folderList_->setPath(drive, &reason))
            return;
        const Prompt notReady{QStringLiteral("Sorvane"), reason, PromptButtons::RetryCancel,
                              PromptIcon::Information};
        if (prompts_.ask(notReady) != PromptAnswer::Retry)
            break;
    }
    followFolder();
}

} // namespace sorvane
