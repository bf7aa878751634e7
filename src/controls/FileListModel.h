#pragma once

#include "platform/FolderListing.h"

#include <QAbstractListModel>

namespace sorvane {

// The rows of a file list, one file name each, over a folder listing. A
// refresh reaches the view as the rows removed and inserted, not as a reset,
// so a view of 100,000 rows keeps its selection and redraws only what moved.
class FileListModel : public QAbstractListModel, private FolderListing::Observer {
    Q_OBJECT
public:
    explicit FileListModel(QObject* parent = nullptr)
        : QAbstractListModel(parent), listing_(this) {}

    const FolderListing& listing() const { return listing_; }
    void open(const QString& folder) { listing_.open(folder); }
    void refresh() { listing_.refresh(); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    void beginRemove(int row) override { beginRemoveRows(QModelIndex(), row, row); }
    void endRemove() override { endRemoveRows(); }
    void beginInsert(int row) override { beginInsertRows(QModelIndex(), row, row); }
    void endInsert() override { endInsertRows(); }
    void beginReset() override { beginResetModel(); }
    void endReset() override { endResetModel(); }

    FolderListing listing_;
};

} // namespace sorvane
