// The file list widget over a folder that changes under it: each change
// reaches the view as the rows that came or went, and the selected file
// stays selected while it is listed.
#include "controls/FileList.h"

#include "platform/FileOps.h"
#include "support/TestFiles.h"

#include <QSignalSpy>
#include <QtTest>

using namespace sorvane;
using sorvane::test::WriteFile;

class FileListTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A folder of b.jpg, d.jpg, f.jpg with d.jpg selected; one file created
    // (+) or removed (-); the row that came or went; the file selected after.
    void followsOneChange_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("selected");
        QTest::newRow("created first") << "+a.jpg" << 0 << "d.jpg";
        QTest::newRow("created after the selection") << "+e.jpg" << 2 << "d.jpg";
        QTest::newRow("created last, not ASCII") << "+写真.jpg" << 3 << "d.jpg";
        QTest::newRow("removed before the selection") << "-b.jpg" << 0 << "d.jpg";
        QTest::newRow("removed after the selection") << "-f.jpg" << 2 << "d.jpg";
        QTest::newRow("selected file removed") << "-d.jpg" << 1 << "";
    }

    void followsOneChange() {
        QFETCH(QString, change);
        QFETCH(int, row);
        QFETCH(QString, selected);
        QTemporaryDir dir;
        for (const char* name : {"b.jpg", "d.jpg", "f.jpg"})
            WriteFile(dir.filePath(name), "x");
        FileList list;
        list.setFolder(dir.path());
        list.setListIndex(1);
        list.show();
        const bool creates = change.startsWith(u'+');
        QSignalSpy resets(list.model(), &QAbstractItemModel::modelReset);
        QSignalSpy rows(list.model(), creates ? &QAbstractItemModel::rowsInserted
                                              : &QAbstractItemModel::rowsRemoved);
        QSignalSpy otherRows(list.model(), creates ? &QAbstractItemModel::rowsRemoved
                                                   : &QAbstractItemModel::rowsInserted);
        if (creates)
            WriteFile(dir.filePath(change.mid(1)), "x");
        else
            QVERIFY(QFile::remove(dir.filePath(change.mid(1))));
        list.refresh();
        QCOMPARE(resets.size() + otherRows.size(), 0);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0][1].toInt(), row);
        QCOMPARE(rows[0][2].toInt(), row);
        QStringList shown;
        for (int i = 0; i < list.model()->rowCount(); ++i)
            shown.append(list.model()->index(i, 0).data().toString());
        QCOMPARE(shown, ListFiles(dir.path()));
        QCOMPARE(list.count(), shown.size());
        QCOMPARE(list.name(list.count()), QString()); // past the end: empty
        QCOMPARE(list.selectedName(), selected);
        QCOMPARE(list.listIndex(), int(shown.indexOf(selected)));
        QCOMPARE(list.currentIndex().row(), list.listIndex());
        list.setFolder(dir.path()); // a fresh read keeps the selection too
        QCOMPARE(list.selectedName(), selected);
    }
};

QTEST_MAIN(FileListTest)
#include "tst_filelist.moc"
