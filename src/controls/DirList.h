#pragma once

#include <QListWidget>

namespace sorvane {

// The folder list (Dir1): the current folder's ancestors from the root down,
// the current folder open, and its sub-folders below it. A double-click or
// Enter on an entry opens that folder; a single click only selects it.
class DirList : public QListWidget {
    Q_OBJECT
public:
    explicit DirList(QWidget* parent = nullptr);

    QString path() const { return path_; }

    // Opens a folder. Fails, leaving the list where it was, when the folder
    // cannot be listed; reason then holds the system's description.
    bool setPath(const QString& path, QString* reason = nullptr);

    // Opens the folder or, when it cannot be listed (gone, most often), its
    // nearest ancestor that can; the list stays where it was when not even
    // the root can be listed.
    void setNearestPath(const QString& path);

    void refresh(); // re-reads the sub-folders of the current folder

Q_SIGNALS:
    void pathChanged(); // the path changed to another folder

private:
    void openItem(QListWidgetItem* item);

    QString path_;
};

} // namespace sorvane
