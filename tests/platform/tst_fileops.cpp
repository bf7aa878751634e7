// File-system work on real files in temporary folders.
#include "platform/FileOps.h"

#include "support/TestFiles.h"

#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace sorvane;
using sorvane::test::ReadFile;
using sorvane::test::WriteFile;

class FileOpsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsVisibleRegularFilesSorted() {
        QTemporaryDir dir;
        for (const char* name : {"b.jpg", "A.jpg", "img10.jpg", "img2.jpg", ".hidden.jpg", "Ä.jpg"})
            WriteFile(dir.filePath(name), "x");
        QVERIFY(QDir(dir.path()).mkdir("folder.jpg"));
        QVERIFY(::mkfifo(qPrintable(dir.filePath("pipe.jpg")), 0600) == 0);
        QVERIFY(QFile::link(dir.filePath("b.jpg"), dir.filePath("link.jpg")));
        QVERIFY(QFile::link(dir.filePath("nowhere"), dir.filePath("dangling.jpg")));
        const QStringList expected{"A.jpg", "Ä.jpg", "b.jpg", "img2.jpg", "img10.jpg", "link.jpg"};
        QCOMPARE(ListFiles(dir.path()), expected);
        QCOMPARE(ListSubfolders(dir.path()), QStringList{"folder.jpg"});
        QVERIFY(ListFiles(dir.filePath("missing")).isEmpty());
    }

    void missingPathsAreToldApart() {
        QTemporaryDir dir;
        QCOMPARE(MissingPathError(dir.filePath("a.jpg")), FileError::FileNotFound);
        QCOMPARE(MissingPathError(dir.filePath("gone/a.jpg")), FileError::PathNotFound);
        QCOMPARE(RemoveFile(dir.filePath("a.jpg")), FileError::FileNotFound);
        QCOMPARE(RemoveFile(dir.filePath("gone/a.jpg")), FileError::PathNotFound);
    }

    void copyReplacesWholeOrNotAtAll() {
        QTemporaryDir dir;
        WriteFile(dir.filePath("src"), "new content");
        WriteFile(dir.filePath("dst"), "old");
        // The copy keeps the picture's dates and permissions (beyond the umask).
        const struct timespec taken[2] = {{1500000000, 123}, {1400000000, 456000}};
        QCOMPARE(::utimensat(AT_FDCWD, qPrintable(dir.filePath("src")), taken, 0), 0);
        QCOMPARE(::chmod(qPrintable(dir.filePath("src")), 0664), 0);
        QCOMPARE(CopyReplacing(dir.filePath("src"), dir.filePath("dst")), FileError::None);
        struct stat copy; // before reading the copy touches its access time
        QCOMPARE(::stat(qPrintable(dir.filePath("dst")), &copy), 0);
        QCOMPARE(copy.st_mode & 0777, 0664u);
        QCOMPARE(copy.st_mtim.tv_sec, taken[1].tv_sec);
        QCOMPARE(copy.st_mtim.tv_nsec, taken[1].tv_nsec);
        QCOMPARE(copy.st_atim.tv_sec, taken[0].tv_sec);
        QCOMPARE(ReadFile(dir.filePath("dst")), QByteArray("new content"));
        QCOMPARE(ReadFile(dir.filePath("src")), QByteArray("new content"));
        // A copy from a file that is gone leaves the destination as it was.
        WriteFile(dir.filePath("dst"), "old");
        QCOMPARE(CopyReplacing(dir.filePath("gone"), dir.filePath("dst")), FileError::FileNotFound);
        QCOMPARE(ReadFile(dir.filePath("dst")), QByteArray("old"));
        QCOMPARE(CopyReplacing(dir.filePath("src"), dir.filePath("no/dst")),
                 FileError::PathNotFound);
        // Copying a file onto itself must not empty it.
        QCOMPARE(CopyReplacing(dir.filePath("src"), dir.path() + "/./src"), FileError::None);
        QCOMPARE(ReadFile(dir.filePath("src")), QByteArray("new content"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    void moveReplacesAndReportsFailures() {
        QTemporaryDir dir;
        WriteFile(dir.filePath("src"), "moved");
        WriteFile(dir.filePath("dst"), "replaced");
        QCOMPARE(MoveReplacing(dir.filePath("src"), dir.filePath("dst")), FileError::None);
        QVERIFY(!QFile::exists(dir.filePath("src")));
        QCOMPARE(ReadFile(dir.filePath("dst")), QByteArray("moved"));
        QCOMPARE(MoveReplacing(dir.filePath("src"), dir.filePath("dst")), FileError::FileNotFound);
        QCOMPARE(MoveReplacing(dir.filePath("dst"), dir.filePath("no/dst")),
                 FileError::PathNotFound);
        QCOMPARE(ReadFile(dir.filePath("dst")), QByteArray("moved"));
        QCOMPARE(MoveReplacing(dir.filePath("dst"), dir.filePath("dst")), FileError::None);
        QCOMPARE(ReadFile(dir.filePath("dst")), QByteArray("moved"));
    }

    void moveAcrossFileSystemsCopiesThenRemoves() {
        QTemporaryDir here;
        QTemporaryDir there(QStringLiteral("/dev/shm/sorvane-XXXXXX"));
        struct stat a, b;
        if (!there.isValid() || ::stat(qPrintable(here.path()), &a) != 0 ||
            ::stat(qPrintable(there.path()), &b) != 0 || a.st_dev == b.st_dev)
            QSKIP("no second file system to move across");
        WriteFile(here.filePath("photo.jpg"), QByteArray(300000, 'p'));
        QCOMPARE(RenameReplacing(here.filePath("photo.jpg"), there.filePath("photo.jpg")),
                 FileError::CrossDevice);
        QVERIFY(QFile::exists(here.filePath("photo.jpg")));
        QCOMPARE(MoveReplacing(here.filePath("photo.jpg"), there.filePath("photo.jpg")),
                 FileError::None);
        QVERIFY(!QFile::exists(here.filePath("photo.jpg")));
        QCOMPARE(ReadFile(there.filePath("photo.jpg")), QByteArray(300000, 'p'));
        QCOMPARE(QDir(there.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
};

QTEST_GUILESS_MAIN(FileOpsTest)
#include "tst_fileops.moc"
