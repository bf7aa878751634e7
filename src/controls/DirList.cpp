#include "controls/DirList.h"

#include "platform/FileOps.h"
#include "platform/NativeName.h"
#include "platform/Paths.h"

#include <QDir>
#include <QStyle>

namespace sorvane {
namespace {

constexpr int PathRole = Qt::UserRole;

QStringList AncestorsOf(const QString& path) {
    QStringList chain{QStringLiteral("/")};
    const QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
    QString walked;
    for (const QString& part : parts) {
        walked += u'/' + part;
        chain.append(walked);
    }
    return chain;
}

} // namespace

DirList::DirList(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemActivated, this, &DirList::openItem);
}

bool DirList::setPath(const QString& path, QString* reason) {
    const QString clean = QDir::cleanPath(path);
    if (!CanListFolder(clean, reason))
        return false;
    const bool changed = clean != path_;
    path_ = clean;
    refresh();
    if (changed)
        Q_EMIT pathChanged();
    return true;
}

void DirList::setNearestPath(const QString& path) {
    QString folder = path;
    while (!setPath(folder) && folder != PathSeparator)
        folder = ParentFolder(folder);
}

void DirList::refresh() {
    clear();
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QStringList chain = AncestorsOf(path_);
    for (int depth = 0; depth < chain.size(); ++depth) {
        auto* item = new QListWidgetItem(
            open, QString(depth * 2, u' ') + FolderButtonCaption(chain[depth]), this);
        item->setData(PathRole, chain[depth]);
    }
    setCurrentRow(int(chain.size()) - 1);
    const QString indent(int(chain.size()) * 2, u' ');
    for (const QString& name : ListSubfolders(path_)) {
        auto* item = new QListWidgetItem(closed, indent + DisplayName(name), this);
        item->setData(PathRole, JoinPath(path_, name));
    }
}

void DirList::openItem(QListWidgetItem* item) {
    if (item)
        setPath(item->data(PathRole).toString());
}

} // namespace sorvane
