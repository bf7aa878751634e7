#include "journal/JournalModel.h"

#include "platform/FolderActions.h"
#include "platform/NativeName.h"
#include "platform/Paths.h"
#include "settings/Module1.h"

#include <QDateTime>

namespace sorvane {
namespace {

QString ActionText(JournalAction action) {
    switch (action) {
    case JournalAction::Move:
        return JournalModel::tr("移動");
    case JournalAction::Copy:
        return JournalModel::tr("コピー");
    case JournalAction::Delete:
        return JournalModel::tr("削除");
    case JournalAction::Undo:
        return JournalModel::tr("元に戻す");
    case JournalAction::TakeBack:
        return JournalModel::tr("取り消し");
    }
    return {};
}

QString SlotText(int slot) {
    if (slot == BulkDeleteSlot)
        return JournalModel::tr("一括削除");
    return slot >= 0 ? QString::number(slot) : QString();
}

QString FolderText(const QString& path) {
    return path.isEmpty() ? QString() : DisplayName(ParentFolder(path));
}

} // namespace

JournalModel::JournalModel(const SendJournal& journal, QObject* parent)
    : QAbstractTableModel(parent), journal_(journal) {}

void JournalModel::setFilter(const SendJournal::Filter& filter) {
    filter_ = filter;
    reload();
}

void JournalModel::reload() {
    beginResetModel();
    rows_ = journal_.entries(filter_, 0, PageSize);
    more_ = rows_.size() == PageSize;
    endResetModel();
}

int JournalModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int JournalModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant JournalModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_.size())
        return {};
    return text(rows_[index.row()], index.column());
}

QString JournalModel::text(const SendJournal::Entry& entry, int column) const {
    const JournalEvent& event = entry.event;
    switch (column) {
    case When:
        return QDateTime::fromMSecsSinceEpoch(entry.atMs).toString(u"yyyy/MM/dd HH:mm:ss");
    case Action:
        return ActionText(event.action);
    case Name:
        return DisplayName(FileNameOf(event.source));
    case From:
        return FolderText(event.source);
    case To:
        return FolderText(event.destination);
    case Slot:
        return SlotText(event.slot);
    case State:
        return entry.reversedBy != 0 ? tr("取り消し済み") : QString();
    }
    return {};
}

QVariant JournalModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    static const char* const headers[ColumnCount] = {
        QT_TR_NOOP("日時"),         QT_TR_NOOP("操作"),   QT_TR_NOOP("名前"),
        QT_TR_NOOP("元のフォルダ"), QT_TR_NOOP("送り先"), QT_TR_NOOP("スロット"),
        QT_TR_NOOP("状態")};
    return section >= 0 && section < ColumnCount ? tr(headers[section]) : QVariant();
}

bool JournalModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && more_;
}

void JournalModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid() || rows_.isEmpty())
        return;
    const QList<SendJournal::Entry> page = journal_.entries(filter_, rows_.last().id, PageSize);
    more_ = page.size() == PageSize;
    if (page.isEmpty())
        return;
    beginInsertRows({}, int(rows_.size()), int(rows_.size() + page.size() - 1));
    rows_.append(page);
    endInsertRows();
}

} // namespace sorvane
