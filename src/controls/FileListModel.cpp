#include "controls/FileListModel.h"

#include "platform/NativeName.h"

namespace sorvane {

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : listing_.count();
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= listing_.count())
        return {};
    return DisplayName(listing_.names()[index.row()]);
}

} // namespace sorvane
