#pragma once

#include "journal/SendJournal.h"

#include <QAbstractTableModel>

namespace sorvane {

// The journal's entries for a table, newest first, read a page at a time as
// the table scrolls, so a journal of a hundred thousand entries opens as
// fast as one of ten.
class JournalModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { When, Action, Name, From, To, Slot, State, ColumnCount };
    static constexpr int PageSize = 100;

    explicit JournalModel(const SendJournal& journal, QObject* parent = nullptr);

    void setFilter(const SendJournal::Filter& filter);
    void reload();
    qint64 idAt(int row) const { return rows_.value(row).id; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    QString text(const SendJournal::Entry& entry, int column) const;

    const SendJournal& journal_;
    SendJournal::Filter filter_;
    QList<SendJournal::Entry> rows_;
    bool more_ = false;
};

} // namespace sorvane
