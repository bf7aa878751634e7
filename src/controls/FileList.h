#pragma once

#include <QListView>
#include <QStringList>

namespace sorvane {

class FileListModel;

// The file list of a folder (File1, File2): regular files that are not
// hidden, sorted by name, one name per row. Entry i is a bare file name; an
// index at or past the end gives empty text; listIndex() is -1 without a
// selection. Uniform row sizes keep it quick on tens of thousands of files,
// and a refresh changes only the rows of the files that came or went; the
// selected file stays selected while it is listed.
class FileList : public QListView {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);

    void setFolder(const QString& folder); // lists the folder at once
    QString folder() const;
    void refresh(); // brings the list up to date with the disk

    int count() const;
    QString name(int index) const;
    const QStringList& names() const;

    int listIndex() const;
    void setListIndex(int index);
    QString selectedName() const { return name(listIndex()); }

Q_SIGNALS:
    // A mouse press: 1 left (after the row under it is selected), 2 right
    // (the selection does not move), 4 middle.
    void pressed(int button);
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void keepSelection(const QString& selected);

    FileListModel* model_;
};

} // namespace sorvane
