#include "sorting/FileList.h"

#include "platform/FileOps.h"
#include "sorting/MouseButtons.h"

#include <QMouseEvent>
#include <QStringListModel>

namespace sorvane {

FileList::FileList(QWidget* parent) : QListView(parent), model_(new QStringListModel(this)) {
    setModel(model_);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void FileList::setFolder(const QString& folder) {
    folder_ = folder;
    refresh();
}

void FileList::refresh() {
    display(ListFiles(folder_));
}

void FileList::display(const QStringList& names) {
    const QString selected = selectedName();
    names_ = names;
    model_->setStringList(names_);
    const int again = names_.indexOf(selected);
    if (!selected.isEmpty() && again >= 0)
        setListIndex(again);
}

QString FileList::name(int index) const {
    return index >= 0 && index < names_.size() ? names_[index] : QString();
}

int FileList::listIndex() const {
    const QModelIndex current = currentIndex();
    return current.isValid() && selectionModel()->isSelected(current) ? current.row() : -1;
}

void FileList::setListIndex(int index) {
    if (index < 0 || index >= count()) {
        clearSelection();
        setCurrentIndex(QModelIndex());
        return;
    }
    const QModelIndex row = model_->index(index);
    setCurrentIndex(row);
    selectionModel()->select(row, QItemSelectionModel::ClearAndSelect);
    scrollTo(row);
}

void FileList::mousePressEvent(QMouseEvent* event) {
    const int button = ButtonNumber(event->button());
    if (button == 1)
        QListView::mousePressEvent(event);
    if (button != 0)
        emit pressed(button);
}

void FileList::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

} // namespace sorvane
