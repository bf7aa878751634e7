#include "journal/JournalWindow.h"

#include "controls/MakeControl.h"
#include "journal/JournalModel.h"
#include "journal/TakeBackEntries.h"
#include "platform/NativeName.h"
#include "settings/Module1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace sorvane {

JournalWindow::JournalWindow(SendJournal& journal, const Module1& module, QWidget* parent)
    : QWidget(parent, Qt::Window), journal_(journal), module_(module),
      model_(new JournalModel(journal, this)) {
    setObjectName(QStringLiteral("JournalWindow"));
    setWindowTitle(tr("送りの履歴"));
    buildControls();
    resize(1000, 520);
    runWatch_.setInterval(250);
    connect(&runWatch_, &QTimer::timeout, this, &JournalWindow::updateTakeBackButton);
}

void JournalWindow::buildControls() {
    const ControlFactory controls(this, Twips::forScreen());
    EntryTable = controls.make<QTableView>(QStringLiteral("EntryTable"));
    EntryTable->setModel(model_);
    EntryTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    EntryTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    EntryTable->verticalHeader()->hide();
    EntryTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    EntryTable->setWordWrap(false);
    EntryTable->setTextElideMode(Qt::ElideMiddle); // a folder's own name is at its end
    EntryTable->horizontalHeader()->setStretchLastSection(true);
    const int widths[JournalModel::ColumnCount] = {150, 70, 140, 210, 210, 60, 90};
    for (int column = 0; column < JournalModel::ColumnCount; ++column)
        EntryTable->setColumnWidth(column, widths[column]);
    TakeBackButton = controls.make<QPushButton>(QStringLiteral("TakeBackButton"), {},
                                                tr("選んだ送りを取り消す"));
    ResultText = controls.make<QLabel>(QStringLiteral("ResultText"));
    ResultText->setWordWrap(true);
    ResultText->setTextFormat(Qt::PlainText);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildFilters(controls));
    layout->addWidget(EntryTable, 1);
    layout->addWidget(ResultText);
    layout->addWidget(TakeBackButton, 0, Qt::AlignRight);
    connect(TakeBackButton, &QPushButton::clicked, this, &JournalWindow::takeBackSelected);
    connect(EntryTable->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &JournalWindow::updateTakeBackButton);
    connect(model_, &QAbstractItemModel::modelReset, this, &JournalWindow::updateTakeBackButton);
}

QWidget* JournalWindow::buildFilters(const ControlFactory& controls) {
    auto* filters = controls.make<QWidget>(QStringLiteral("Filters"));
    const ControlFactory inRow = controls.on(filters);
    FolderFilter = inRow.make<QComboBox>(QStringLiteral("FolderFilter"));
    FolderFilter->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    DayFilterOn = inRow.make<QCheckBox>(QStringLiteral("DayFilterOn"), {}, tr("日付"));
    DayFilter = inRow.make<QDateEdit>(QStringLiteral("DayFilter"), {}, QDate::currentDate());
    DayFilter->setCalendarPopup(true);
    DayFilter->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    NameFilter = inRow.make<QLineEdit>(QStringLiteral("NameFilter"));
    NameFilter->setPlaceholderText(tr("名前"));
    NameFilter->setClearButtonEnabled(true);
    auto* row = new QHBoxLayout(filters);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(FolderFilter);
    row->addWidget(DayFilterOn);
    row->addWidget(DayFilter);
    row->addWidget(NameFilter, 1);
    connect(FolderFilter, &QComboBox::currentIndexChanged, this, &JournalWindow::applyFilter);
    connect(DayFilterOn, &QCheckBox::toggled, this, &JournalWindow::applyFilter);
    connect(DayFilter, &QDateEdit::dateChanged, this, &JournalWindow::applyFilter);
    connect(NameFilter, &QLineEdit::textChanged, this, &JournalWindow::applyFilter);
    return filters;
}

// The folders files were sent to; each item keeps the folder's own path.
void JournalWindow::fillFolders() {
    const QString chosen = FolderFilter->currentData().toString();
    const QSignalBlocker quiet(FolderFilter);
    FolderFilter->clear();
    FolderFilter->addItem(tr("すべてのフォルダ"), QString());
    for (const QString& folder : journal_.destinationFolders())
        FolderFilter->addItem(DisplayName(folder), folder);
    FolderFilter->setCurrentIndex(std::max(0, FolderFilter->findData(chosen)));
}

void JournalWindow::applyFilter() {
    SendJournal::Filter filter;
    filter.folder = FolderFilter->currentData().toString();
    if (DayFilterOn->isChecked())
        filter.day = DayFilter->date();
    filter.name = NameFilter->text();
    model_->setFilter(filter);
}

void JournalWindow::Form_Load() {
    refresh();
    if (unreadable())
        ResultText->setText(tr("送りの履歴を開けませんでした。"));
}

void JournalWindow::refresh() {
    fillFolders();
    applyFilter();
}

QList<qint64> JournalWindow::selectedIds() const {
    QList<qint64> ids;
    for (const QModelIndex& row : EntryTable->selectionModel()->selectedRows())
        ids.append(model_->idAt(row.row()));
    return ids;
}

void JournalWindow::takeBackSelected() {
    updateTakeBackButton();
    if (module_.RunTime.SortingActive == 1)
        return;
    const QList<TakeBackResult> results = TakeBackEntries(journal_, selectedIds());
    QStringList lines, destinations;
    int done = 0;
    for (const TakeBackResult& result : results) {
        done += result.done ? 1 : 0;
        if (result.done)
            destinations.append(result.destination);
        if (!result.message.isEmpty())
            lines.append(result.name + QStringLiteral(": ") + result.message);
    }
    lines.prepend(tr("%1件を取り消しました。").arg(done));
    refresh();
    ResultText->setText(lines.join(u'\n'));
    if (done > 0)
        Q_EMIT filesTakenBack(destinations);
}

// A journal not made yet is only empty; one that is there but cannot be
// opened is worth a word.
bool JournalWindow::unreadable() const {
    return !journal_.isOpen() && QFileInfo::exists(journal_.path());
}

// A run may start or stop while the window is open, and the main window
// tells no one: the button looks again a few times a second while shown.
void JournalWindow::updateTakeBackButton() {
    const bool running = module_.RunTime.SortingActive == 1;
    TakeBackButton->setEnabled(!running && EntryTable->selectionModel()->hasSelection());
    if (running == toldRunning_ || unreadable()) // nothing to take back then
        return;
    toldRunning_ = running;
    const QString why = running ? tr("実行中は取り消せません。") : QString();
    TakeBackButton->setToolTip(why);
    ResultText->setText(why);
}

void JournalWindow::showEvent(QShowEvent* event) {
    runWatch_.start();
    updateTakeBackButton();
    QWidget::showEvent(event);
}

void JournalWindow::hideEvent(QHideEvent* event) {
    runWatch_.stop();
    QWidget::hideEvent(event);
}

} // namespace sorvane
