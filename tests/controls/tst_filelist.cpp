// The file list widget over a folder that changes under it: each change
// reaches the view as the row that came or went, never as a reset, and the
// selected file stays selected (and current) while it is listed.
#include "controls/FileList.h"

#include "support/TestFiles.h"

#include <QSignalSpy>
#include <QtTest>

using namespace sorvane;

class FileListTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A folder of b.jpg, d.jpg, f.jpg with d.jpg selected; one file created
    // (+) or removed (-); the row that came or went; the file selected and
    // current after.
    void followsOneChange_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("selected");
        QTest::newRow("created first") << "+a.jpg" << 0 << "d.jpg";
        QTest::newRow("removed before the selection") << "-b.jpg" << 0 << "d.jpg";
        QTest::newRow("selected file removed") << "-d.jpg" << 1 << "";
    }
    void followsOneChange() {
        QFETCH(QString, change);
        QTemporaryDir dir;
        for (const char* name : {"b.jpg", "d.jpg", "f.jpg"})
            test::WriteFile(dir.filePath(name), "x");
        FileList list;
        list.setFolder(dir.path());
        list.setListIndex(1);
        QSignalSpy inserted(list.model(), &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(list.model(), &QAbstractItemModel::rowsRemoved);
        const QString path = dir.filePath(change.mid(1));
        QVERIFY(change[0] == u'+' ? test::WriteFile(path, "x") : QFile::remove(path));
        list.refresh();
        const QSignalSpy& rows = change[0] == u'+' ? inserted : removed;
        QCOMPARE(inserted.size() + removed.size(), 1);
        QTEST(rows.value(0).value(1, -1).toInt(), "row");
        QTEST(list.selectedName(), "selected");
        QTEST(list.currentIndex().data().toString(), "selected");
    }
};

QTEST_MAIN(FileListTest)
#include "tst_filelist.moc"
