// The file list widget over a folder that changes under it.
#include "sorting/FileList.h"

#include "platform/FileOps.h"
#include "support/TestFiles.h"

#include <QSignalSpy>
#include <QtTest>

using namespace sorvane;
using sorvane::test::WriteFile;

namespace {

// A file list over a temporary folder that holds the named files.
struct ListedFolder {
    QTemporaryDir dir;
    FileList list;

    explicit ListedFolder(std::initializer_list<const char*> names) {
        for (const char* name : names)
            WriteFile(dir.filePath(name), "x");
        list.setFolder(dir.path());
    }
};

} // namespace

class FileListTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheFolderRowByRow() {
        ListedFolder folder{"IMG_0001.JPG", "IMG_0002.JPG", "IMG_0010.JPG"};
        FileList& list = folder.list;
        const QTemporaryDir& dir = folder.dir;
        list.show();
        QCOMPARE(list.count(), 3);
        QCOMPARE(list.model()->rowCount(), 3);
        QCOMPARE(list.name(2), QStringLiteral("IMG_0010.JPG"));
        QCOMPARE(list.model()->index(2, 0).data().toString(), QStringLiteral("IMG_0010.JPG"));
        QCOMPARE(list.name(3), QString());
        QCOMPARE(list.listIndex(), -1);

        QSignalSpy resets(list.model(), &QAbstractItemModel::modelReset);
        QSignalSpy inserted(list.model(), &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(list.model(), &QAbstractItemModel::rowsRemoved);
        WriteFile(dir.filePath("IMG_0003.JPG"), "x");
        list.refresh();
        QCOMPARE(resets.size(), 0);
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(inserted[0][1].toInt(), 2);
        QVERIFY(QFile::remove(dir.filePath("IMG_0001.JPG")));
        list.refresh();
        QCOMPARE(resets.size(), 0);
        QCOMPARE(removed.size(), 1);
        QCOMPARE(removed[0][1].toInt(), 0);
        QCOMPARE(list.names(), ListFiles(dir.path()));
        QCOMPARE(list.model()->rowCount(), 3);
    }

    void keepsTheSelectedFileWhileItIsListed() {
        ListedFolder folder{"b.jpg", "d.jpg", "f.jpg"};
        FileList& list = folder.list;
        const QTemporaryDir& dir = folder.dir;
        list.setListIndex(1);
        WriteFile(dir.filePath("a.jpg"), "x");
        list.refresh();
        QCOMPARE(list.selectedName(), QStringLiteral("d.jpg"));
        QCOMPARE(list.listIndex(), 2);
        QVERIFY(QFile::remove(dir.filePath("b.jpg")));
        list.refresh();
        QCOMPARE(list.listIndex(), 1);
        list.setFolder(dir.path()); // a fresh read keeps it too
        QCOMPARE(list.selectedName(), QStringLiteral("d.jpg"));
        QVERIFY(QFile::remove(dir.filePath("d.jpg")));
        list.refresh();
        QCOMPARE(list.listIndex(), -1);
        QCOMPARE(list.selectedName(), QString());
        QVERIFY(!list.currentIndex().isValid());
    }
};

QTEST_MAIN(FileListTest)
#include "tst_filelist.moc"
