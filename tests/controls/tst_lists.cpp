// The file list over a folder that changes under it: each change reaches the
// view as the row that came or went, never as a reset, and the selected file
// stays selected (and current) while it is listed. The folder list leaves a
// folder that is gone for the nearest one that can be listed.
#include "controls/DirList.h"
#include "controls/FileList.h"
#include "platform/NativeName.h"
#include "support/TestFiles.h"

#include <QSignalSpy>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace sorvane;
using namespace sorvane::test;

class ListsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A folder of b.jpg, d.jpg, f.jpg with d.jpg selected; one file created
    // (+) or removed (-); the row that came or went; the file selected and
    // current after.
    void fileListFollowsOneChange_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("selected");
        QTest::newRow("created first") << "+a.jpg" << 0 << "d.jpg";
        QTest::newRow("removed before the selection") << "-b.jpg" << 0 << "d.jpg";
        QTest::newRow("selected file removed") << "-d.jpg" << 1 << "";
    }
    void fileListFollowsOneChange() {
        QFETCH(QString, change);
        QTemporaryDir dir;
        for (const char* name : {"b.jpg", "d.jpg", "f.jpg"})
            WriteFile(dir.filePath(name), "x");
        FileList list;
        list.setFolder(dir.path());
        list.setListIndex(1);
        QSignalSpy inserted(list.model(), &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(list.model(), &QAbstractItemModel::rowsRemoved);
        const QString path = dir.filePath(change.mid(1));
        const bool created = change[0] == u'+';
        QVERIFY(created ? WriteFile(path, "x") : QFile::remove(path));
        list.refresh();
        QCOMPARE(inserted.size() + removed.size(), 1);
        QTEST((created ? inserted : removed).value(0).value(1, -1).toInt(), "row");
        QTEST(list.selectedName(), "selected");
        QTEST(list.currentIndex().data().toString(), "selected");
    }

    // Paths as the bytes the file system holds; TMP is a temporary folder
    // holding the folder caf\xe9 (not UTF-8).
    void folderListOpensTheNearestFolder_data() {
        QTest::addColumn<QByteArray>("folder");
        QTest::addColumn<QByteArray>("opened");
        QTest::newRow("gone, two deep")
            << QByteArray("TMP/caf\xe9/x/y") << QByteArray("TMP/caf\xe9");
        QTest::newRow("gone, trailing slash") << QByteArray("TMP/x/") << QByteArray("TMP");
    }
    void folderListOpensTheNearestFolder() {
        QFETCH(QByteArray, folder);
        QFETCH(QByteArray, opened);
        QTemporaryDir dir; // names QTemporaryDir cannot spell are removed by hand
        const QByteArray tmp = QFile::encodeName(dir.path());
        const QByteArray cafe = tmp + "/caf\xe9";
        QCOMPARE(::mkdir(cafe.constData(), 0700), 0);
        const auto removed = qScopeGuard([&] { ::rmdir(cafe.constData()); });
        DirList list;
        list.setNearestPath(FromNativeName(folder.replace("TMP", tmp)));
        QCOMPARE(ToNativeName(list.path()), opened.replace("TMP", tmp));
    }
};

QTEST_MAIN(ListsTest)
#include "tst_lists.moc"
