// Starting and stopping a sorting run, closing, and the copy-mode blink.
#include "controls/DirList.h"
#include "controls/FileList.h"
#include "sorting/Form1.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace sorvane {

void Form1::Command1_Click() {
    if (module_.RunTime.SortingActive == 0)
        StartRun();
    else if (module_.RunTime.SortingActive == 1)
        StopRun();
}

void Form1::StartRun() {
    const RunLayout layout = RunLayoutOf(module_);
    const bool extend = layout != RunLayout::Ordinary;
    if (extend) {
        display_.showBrowsing(false, layout == RunLayout::ExtendColumn);
    } else {
        Label4->hide();
        File1->hide();
        Command2->setEnabled(false);
        Drive1->setEnabled(false);
        Dir1->setEnabled(false);
    }
    Command1->setText(tr("キャンセル"));
    for (int i = 0; i <= 10; ++i)
        Command4[size_t(i)]->setEnabled(true);
    display_.enableUndoButton();
    FocusSink->setFocus();
    module_.RunTime.RunLayout = std::int16_t(layout);
    if (extend) {
        // Laid out before the first file is shown, and with that file in
        // hand, so its picture is read once, for the box the run shows it in
        // (where it was read ahead), and not first for the box before.
        preview_->takeFirstFile();
        Form_Resize();
    }
    RefreshPreview();
    module_.RunTime.SortingActive = 1;
    // After the first picture is painted: listing a large folder for what a
    // killed run left there must not delay it.
    QTimer::singleShot(0, this, [this] { run_.tidySource(); });
}

void Form1::StopRun() {
    display_.showBrowsing(true, true);
    Command1->setText(tr("実行"));
    Command2->setEnabled(true);
    Drive1->setEnabled(true);
    Dir1->setEnabled(true);
    for (int i = 0; i <= 10; ++i)
        Command4[size_t(i)]->setEnabled(false);
    Label4->hide();
    FocusSink->setFocus();
    if (module_.RunTime.RunLayout != std::int16_t(RunLayout::Ordinary)) {
        module_.RunTime.RunLayout = std::int16_t(RunLayout::Ordinary);
        Form_Resize();
    }
    module_.RunTime.SortingActive = 0;
}

void Form1::Command2_Click() {
    close();
}

void Form1::Timer1_Timer() {
    Label8->setVisible(Label8->isHidden());
    if (Timer1->interval() == 0)
        Label8->hide();
}

} // namespace sorvane
