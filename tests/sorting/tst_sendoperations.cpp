// The file-system half of sends and undos: nothing is ever lost.
#include "sorting/SendOperations.h"

#include "support/TestFiles.h"

#include <QtTest>

#include <sys/stat.h>

using namespace sorvane;
using sorvane::test::ReadFile;
using sorvane::test::WriteFile;

class SendOperationsTest : public QObject {
    Q_OBJECT
private slots:
    void undoNeverDestroysAFileItDidNotPlace() {
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("to");
        WriteFile(dir.filePath("a.jpg"), "first");
        QVERIFY(PlaceFile(dir.filePath("a.jpg"), dir.filePath("to/a.jpg"), false).placed);
        WriteFile(dir.filePath("a.jpg"), "a new file of the same name");
        QVERIFY(!TakeBack({dir.filePath("a.jpg"), dir.filePath("to/a.jpg"), false}));
        QCOMPARE(ReadFile(dir.filePath("a.jpg")), QByteArray("a new file of the same name"));
        QCOMPARE(ReadFile(dir.filePath("to/a.jpg")), QByteArray("first"));
        // A sent file no longer where it was placed: nothing to take back.
        QFile::remove(dir.filePath("to/a.jpg"));
        QVERIFY(!TakeBack({dir.filePath("b.jpg"), dir.filePath("to/a.jpg"), false}));
    }

    void sendingIntoTheSourceFolderKeepsTheFile() {
        QTemporaryDir dir;
        WriteFile(dir.filePath("a.jpg"), "photo");
        QVERIFY(PlaceFile(dir.filePath("a.jpg"), dir.path() + "/./a.jpg", false).placed);
        QVERIFY(PlaceFile(dir.filePath("a.jpg"), dir.path() + "/./a.jpg", true).placed);
        QVERIFY(TakeBack({dir.filePath("a.jpg"), dir.path() + "/./a.jpg", false}));
        QCOMPARE(ReadFile(dir.filePath("a.jpg")), QByteArray("photo"));
    }
};

QTEST_GUILESS_MAIN(SendOperationsTest)
#include "tst_sendoperations.moc"
