// The menu bar, the launches of other programs, and what the other windows
// may change here.
#include "controls/FileList.h"
#include "sorting/Form1.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace sorvane {

void Form1::mnuOpt1_Click() {
    if (module_.RunTime.SortingActive == 1)
        return;
    Q_EMIT optionsRequested();
}

void Form1::mnuFOL_Click() {
    if (module_.RunTime.SortingActive == 1)
        return;
    Q_EMIT folderSetupRequested();
}

void Form1::mnuVer1_Click() {
    Q_EMIT aboutRequested();
}

void Form1::mnuHelp_Click() {
    if (launches_.hasHelpPage())
        OpenHelpPage();
    else
        Q_EMIT usageRequested();
}

// A launch reports only in Label4: the program it starts, or the failure.
void Form1::LaunchAssociated() {
    display_.showLine(launches_.launch(currentImagePath(),
                                       tr("関連付けられた実行ファイルを、起動出来ませんでした。")));
}

void Form1::OpenHelpPage() {
    display_.showLine(launches_.launch(
        launches_.helpPage(), tr("インターネットエクスプローラーを、起動出来ませんでした。")));
}

void Form1::setStartEnabled(bool enabled) {
    Command1->setEnabled(enabled);
}

void Form1::setSlotCaption(int slot, const QString& caption) {
    if (slot >= 0 && slot < 10)
        Command4[size_t(slot)]->setText(caption);
}

void Form1::mnuExtras_Click() {
    if (module_.RunTime.SortingActive == 1)
        return;
    Q_EMIT extrasRequested();
}

// Appended by the composition root, which keeps the journal: a window made
// without one has no such item.
void Form1::addJournalMenuItem() {
    auto* options = menuBar()->findChild<QMenu*>(QStringLiteral("mnuOpt"));
    if (mnuJournal || !options)
        return;
    mnuJournal = options->addAction(tr("送りの履歴"));
    mnuJournal->setObjectName(QStringLiteral("mnuJournal"));
    connect(mnuJournal, &QAction::triggered, this, &Form1::mnuJournal_Click);
}

// Looking back is allowed during a run; the window itself refuses to take
// anything back then.
void Form1::mnuJournal_Click() {
    Q_EMIT journalRequested();
}

} // namespace sorvane
