// The menu bar, the launches of other programs, and what the other windows
// may change here.
#include "controls/FileList.h"
#include "platform/Launcher.h"
#include "sorting/Form1.h"

#include <QLabel>
#include <QPushButton>

namespace sorvane {

void Form1::mnuOpt1_Click() {
    if (module_.SortingActive == 1)
        return;
    emit optionsRequested();
}

void Form1::mnuFOL_Click() {
    if (module_.SortingActive == 1)
        return;
    emit folderSetupRequested();
}

void Form1::LaunchAssociated() {
    const QString program = launcher_.FindExecutable(CurrentImagePath);
    Label4->show();
    Label4->setText(program);
    if (!launcher_.Start(program, CurrentImagePath))
        Label4->setText(QStringLiteral("関連付けられた実行ファイルを、起動出来ませんでした。"));
}

void Form1::setStartEnabled(bool enabled) {
    Command1->setEnabled(enabled);
}

void Form1::setSlotCaption(int slot, const QString& caption) {
    if (slot >= 0 && slot < 10)
        Command4[size_t(slot)]->setText(caption);
}

void Form1::setDestinationText(const QString& text) {
    Label4->setText(text);
    Label4->show();
}

QString Form1::listFolder() const {
    return File1->folder();
}

} // namespace sorvane
