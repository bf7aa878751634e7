#include "controls/FileList.h"

#include "controls/FileListModel.h"
#include "controls/MouseButtons.h"
#include "controls/StageMarks.h"

#include <QMouseEvent>

namespace sorvane {

FileList::FileList(QWidget* parent) : QListView(parent), model_(new FileListModel(this)) {
    setModel(model_);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void FileList::setFolder(const QString& folder) {
    const QString selected = selectedName();
    model_->open(folder);
    keepSelection(selected);
}

QString FileList::folder() const {
    return model_->listing().folder();
}

void FileList::refresh() {
    MarkStage(Stage::FileMoved);
    const QString selected = selectedName();
    model_->refresh();
    keepSelection(selected);
    MarkStage(Stage::ListUpdated);
}

// The rows moved with the changes, and the selection with them; only a file
// that left the list (or a fresh read) loses it.
void FileList::keepSelection(const QString& selected) {
    if (selectedName() == selected && !selected.isEmpty())
        return;
    setListIndex(model_->listing().indexOf(selected));
}

int FileList::count() const {
    return model_->listing().count();
}

const QStringList& FileList::names() const {
    return model_->listing().names();
}

QString FileList::name(int index) const {
    return index >= 0 && index < count() ? names()[index] : QString();
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
    if (button == MouseButton::Left)
        QListView::mousePressEvent(event);
    if (button != MouseButton::Other)
        Q_EMIT pressed(button);
}

void FileList::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked();
}

} // namespace sorvane
