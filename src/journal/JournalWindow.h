#pragma once

#include "journal/SendJournal.h"

#include <QTimer>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace sorvane {

class ControlFactory;
class JournalModel;
struct Module1;

// The look back over the send journal: its entries newest first, narrowed
// by folder, day and name, and the selected sends taken back. It may stay
// open during a run, but takes nothing back while one runs: a run's list
// and undo must not change under its keys.
class JournalWindow : public QWidget {
    Q_OBJECT
public:
    JournalWindow(SendJournal& journal, const Module1& module, QWidget* parent = nullptr);

    // The opening: the journal's entries, or why there are none.
    void Form_Load();
    // Reads the journal again, keeping the filters.
    void refresh();
    void takeBackSelected();

Q_SIGNALS:
    // Files came back to their folders from these destinations.
    void filesTakenBack(const QStringList& destinations);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildControls();
    QWidget* buildFilters(const ControlFactory& controls);
    void fillFolders();
    void applyFilter();
    void updateTakeBackButton();
    bool unreadable() const;
    QList<qint64> selectedIds() const;

    SendJournal& journal_;
    const Module1& module_;
    JournalModel* model_ = nullptr;
    QTimer runWatch_;
    bool toldRunning_ = false; // the window says a run holds back the take-back

    QComboBox* FolderFilter = nullptr;
    QCheckBox* DayFilterOn = nullptr;
    QDateEdit* DayFilter = nullptr;
    QLineEdit* NameFilter = nullptr;
    QTableView* EntryTable = nullptr;
    QPushButton* TakeBackButton = nullptr;
    QLabel* ResultText = nullptr;
};

} // namespace sorvane
