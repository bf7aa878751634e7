// The menu bar, the launches of other programs, and what the other windows
// may change here.
#include "controls/FileList.h"
#include "platform/FileOps.h"
#include "platform/Launcher.h"
#include "platform/NativeName.h"
#include "platform/Paths.h"
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
    const QString page = HelpPagePath();
    if (IsRegularFile(page) || IsFolder(page))
        OpenHelpPage();
    else
        Q_EMIT usageRequested();
}

void Form1::LaunchAssociated() {
    LaunchReportingIn(CurrentImagePath, tr("関連付けられた実行ファイルを、起動出来ませんでした。"));
}

void Form1::OpenHelpPage() {
    LaunchReportingIn(HelpPagePath(),
                      tr("インターネットエクスプローラーを、起動出来ませんでした。"));
}

QString Form1::HelpPagePath() const {
    return JoinPath(module_.ProgramFolder, QStringLiteral("help/help.htm"));
}

// A launch reports only in Label4: the program it starts, or the failure.
void Form1::LaunchReportingIn(const QString& file, const QString& failure) {
    Label4->show();
    Label4->setText(launcher_.findExecutable(file));
    if (!launcher_.start(file))
        Label4->setText(failure);
}

void Form1::setStartEnabled(bool enabled) {
    Command1->setEnabled(enabled);
}

void Form1::setSlotCaption(int slot, const QString& caption) {
    if (slot >= 0 && slot < 10)
        Command4[size_t(slot)]->setText(caption);
}

QString Form1::listFolder() const {
    return File1->folder();
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
