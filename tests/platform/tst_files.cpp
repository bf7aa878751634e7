// File-system work on real files in temporary folders: nothing is lost by a
// copy or a move, and the bulk delete refuses dangerous folders and never
// reaches past a link.
#include "platform/FileOps.h"
#include "platform/FolderActions.h"
#include "platform/NativeName.h"
#include "platform/OwnFiles.h"
#include "platform/Paths.h"

#include "support/TestFiles.h"

#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// A temporary folder holding a.jpg, b.jpg and sub/caf\xe9.jpg (a name that
// is not UTF-8); "TMP" in a path stands for it.
struct Folder {
    QTemporaryDir dir;
    QByteArray tmp = QFile::encodeName(dir.path());
    Folder() {
        QVERIFY(QDir(dir.path()).mkdir("sub") && WriteFile(dir.filePath("a.jpg"), "a") &&
                WriteFile(dir.filePath("b.jpg"), "b") &&
                WriteNativeFile(tmp + "/sub/caf\xe9.jpg", "c"));
    }
    ~Folder() { ::unlink(tmp + "/sub/caf\xe9.jpg"); } // a name QTemporaryDir cannot spell
    QString operator()(QByteArray path) const { return FromNativeName(path.replace("TMP", tmp)); }
};

} // namespace

class FilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The folder and the name of a path, which joined give the path again.
    void pathRules_data() {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("parent");
        QTest::addColumn<QByteArray>("name");
        const auto row = [](const char* row, const char* path, const char* parent,
                            const char* name) {
            QTest::newRow(row) << QByteArray(path) << QByteArray(parent) << QByteArray(name);
        };
        row("root", "/", "/", "");
        row("a file at the top", "/a.jpg", "/", "a.jpg");
        row("a file in a folder", "TMP/a.jpg", "TMP", "a.jpg");
        row("trailing slash", "TMP/sub/", "TMP/sub", "");
        row("not UTF-8", "TMP/sub/caf\xe9.jpg", "TMP/sub", "caf\xe9.jpg");
        row("no separator", "a.jpg", "/", "a.jpg");
    }
    void pathRules() {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, parent);
        QFETCH(QByteArray, name);
        const Folder in;
        QCOMPARE(ParentFolder(in(path)), in(parent));
        QCOMPARE(FileNameOf(in(path)), in(name));
        if (path.startsWith("TMP")) // names the file or folder it came from
            QCOMPARE(JoinPath(in(parent), in(name)), in(path));
        QVERIFY(IsFolder(in(parent)));
    }

    // A failed rename names the missing folder or file on its side, leaves
    // both files as they were, and replaces only when asked to.
    void renameErrors_data() {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QByteArray>("destination");
        QTest::addColumn<FileError>("noReplace");
        QTest::addColumn<FileError>("replacing");
        const auto row = [](const char* row, const char* source, const char* destination,
                            FileError noReplace, FileError replacing) {
            QTest::newRow(row) << QByteArray(source) << QByteArray(destination) << noReplace
                               << replacing;
        };
        const FileError path = FileError::PathNotFound, file = FileError::FileNotFound;
        row("source missing", "TMP/gone.jpg", "TMP/c.jpg", file, file);
        row("source's folder missing", "TMP/gone/a.jpg", "TMP/c.jpg", path, path);
        row("destination's folder missing", "TMP/a.jpg", "TMP/gone/a.jpg", path, path);
        row("not UTF-8, folder missing", "TMP/sub/caf\xe9.jpg", "TMP/caf\xe9/c.jpg", path, path);
        row("name taken", "TMP/a.jpg", "TMP/b.jpg", FileError::NameTaken, FileError::None);
        row("onto itself", "TMP/a.jpg", "TMP/./a.jpg", FileError::NameTaken, FileError::None);
    }
    void renameErrors() {
        QFETCH(QByteArray, source);
        QFETCH(QByteArray, destination);
        const Folder in;
        QTEST(RenameNoReplace(in(source), in(destination)), "noReplace");
        QCOMPARE(ReadFile(in("TMP/a.jpg")) + ReadFile(in("TMP/b.jpg")), QByteArray("ab"));
        QTEST(RenameReplacing(in(source), in(destination)), "replacing");
        QFETCH(FileError, replacing);
        if (replacing != FileError::None)
            QCOMPARE(ReadFile(in("TMP/a.jpg")) + ReadFile(in("TMP/b.jpg")), QByteArray("ab"));
    }

    // The copy keeps the picture's dates and permissions (beyond the umask),
    // and replaces the destination only when whole.
    void copyReplacesWholeOrNotAtAll() {
        QTemporaryDir dir;
        const QString src = dir.filePath("src"), dst = dir.filePath("dst");
        WriteFile(src, "new");
        WriteFile(dst, "old");
        QCOMPARE(CopyReplacing(dir.filePath("gone"), dst), FileError::FileNotFound);
        QCOMPARE(CopyReplacing(src, dir.path() + "/./src"), FileError::None);
        QCOMPARE(ReadFile(src) + ReadFile(dst), QByteArray("newold"));
        const struct timespec taken[2] = {{1500000000, 123}, {1400000000, 456000}};
        QCOMPARE(::utimensat(AT_FDCWD, qPrintable(src), taken, 0), 0);
        QCOMPARE(::chmod(qPrintable(src), 0664), 0);
        QCOMPARE(CopyReplacing(src, dst), FileError::None);
        struct stat copy; // before reading the copy touches its access time
        QCOMPARE(::stat(qPrintable(dst), &copy), 0);
        QCOMPARE(copy.st_mode & 0777, 0664u);
        QVERIFY(copy.st_mtim.tv_sec == taken[1].tv_sec &&
                copy.st_mtim.tv_nsec == taken[1].tv_nsec && copy.st_atim.tv_sec == taken[0].tv_sec);
        QCOMPARE(ReadFile(dst), QByteArray("new"));
        QCOMPARE(Files(dir.path()), (QStringList{"dst", "src"}));
    }

    // Across file systems a move copies whole first and removes the source
    // only then.
    void moveReplacesAndReportsFailures() {
        QTemporaryDir here, there(QStringLiteral("/dev/shm/sorvane-XXXXXX"));
        const QString a = here.filePath("a"), b = here.filePath("b");
        WriteFile(a, "moved");
        WriteFile(b, "replaced");
        QCOMPARE(MoveReplacing(a, b), FileError::None);
        QCOMPARE(MoveReplacing(a, b), FileError::FileNotFound);
        QCOMPARE(MoveReplacing(b, b), FileError::None);
        QCOMPARE(ReadFile(b), QByteArray("moved"));
        struct stat x, y;
        if (!there.isValid() || ::stat(qPrintable(here.path()), &x) != 0 ||
            ::stat(qPrintable(there.path()), &y) != 0 || x.st_dev == y.st_dev)
            QSKIP("no second file system to move across");
        WriteFile(b, QByteArray(300000, 'p'));
        QCOMPARE(MoveReplacing(b, there.filePath("b")), FileError::None);
        QCOMPARE(Files(here.path()) + Files(there.path()), QStringList{"b"});
        QCOMPARE(ReadFile(there.filePath("b")), QByteArray(300000, 'p'));
    }

    // A name near the longest a file system takes still fits where the
    // copy is staged under a name: a short one, and nothing of it stays.
    void longNamesCopyAndSave() {
        QTemporaryDir dir;
        const QString name(250, u'n');
        WriteFile(dir.filePath("src"), "new");
        SetUnnamedFilesAllowed(false);
        const FileError copied = CopyReplacing(dir.filePath("src"), dir.filePath(name));
        const FileError saved = WriteFileAtomically(dir.filePath(name), "saved");
        SetUnnamedFilesAllowed(true);
        QCOMPARE(copied, FileError::None);
        QCOMPARE(saved, FileError::None);
        QCOMPARE(ReadFile(dir.filePath(name)), QByteArray("saved"));
        QCOMPARE(Files(dir.path()), (QStringList{name, "src"}));
    }

    // What a killed process of this program left goes; what a running one
    // writes, a replaced picture an earlier version kept for an undo, the
    // notes of the trash, and whatever only resembles those names, stay.
    void removesOnlyStaleOwnFiles() {
        QTemporaryDir dir;
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(0);
        QCOMPARE(::waitpid(child, nullptr, 0), child);
        QStringList stale{".sorvane-tmp-D-3", ".sorvane-copy-D-a.jpg"};
        QStringList kept{".sorvane-tmp-A-1",
                         ".sorvane-tmp-D-3x",
                         ".sorvane-kept-D-12",
                         ".sorvane-claim-D-1",
                         ".sorvane-copy-D-",
                         ".sorvane-tmp",
                         "a.jpg"};
        for (QStringList* names : {&stale, &kept})
            for (QString& name : *names)
                WriteFile(dir.filePath(name.replace("-D-", QStringLiteral("-%1-").arg(child))
                                           .replace("-A-", QStringLiteral("-%1-").arg(::getpid()))),
                          "x");
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral(".sorvane-tmp-%1-4").arg(child)));
        QCOMPARE(RemoveStaleOwnFiles(dir.path()), 2);
        QStringList left = Files(dir.path());
        left.sort();
        kept.sort();
        QCOMPARE(left, kept);
    }

    void refusesDangerousBulkFolders_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<BulkDeleteRefusal>("refusal");
        QTest::newRow("not set") << "" << BulkDeleteRefusal::NotSet;
        QTest::newRow("root") << "/" << BulkDeleteRefusal::Root;
        QTest::newRow("root by another name") << "/tmp/.." << BulkDeleteRefusal::Root;
        QTest::newRow("home") << "HOME" << BulkDeleteRefusal::Home;
        QTest::newRow("home through a link") << "LINK/home" << BulkDeleteRefusal::Home;
        QTest::newRow("program folder") << "PROGRAM" << BulkDeleteRefusal::ProgramFolder;
        QTest::newRow("missing") << "TMP/gone" << BulkDeleteRefusal::NotAFolder;
        QTest::newRow("a file") << "TMP/file" << BulkDeleteRefusal::NotAFolder;
        QTest::newRow("a link to a folder") << "LINK" << BulkDeleteRefusal::SymbolicLink;
        QTest::newRow("a link to a folder, trailing /")
            << "LINK/" << BulkDeleteRefusal::SymbolicLink;
        QTest::newRow("a link to nothing") << "TMP/dangling" << BulkDeleteRefusal::SymbolicLink;
        QTest::newRow("in a folder that is a link") << "LINK/trash" << BulkDeleteRefusal::None;
        QTest::newRow("ordinary folder") << "TMP/trash" << BulkDeleteRefusal::None;
        QTest::newRow("ordinary folder, trailing /") << "TMP/trash/" << BulkDeleteRefusal::None;
    }
    void refusesDangerousBulkFolders() {
        QFETCH(QString, folder);
        QFETCH(BulkDeleteRefusal, refusal);
        QTemporaryDir dir;
        for (const char* name : {"home", "program", "trash"})
            QVERIFY(QDir(dir.path()).mkdir(name));
        WriteFile(dir.filePath("file"), "x");
        QVERIFY(QFile::link(dir.path(), dir.filePath("link")));
        QVERIFY(QFile::link(dir.filePath("gone"), dir.filePath("dangling")));
        folder.replace("HOME", dir.filePath("home"))
            .replace("PROGRAM", dir.filePath("program"))
            .replace("LINK", dir.filePath("link"))
            .replace("TMP", dir.path());
        QCOMPARE(BulkDeleteFolder(folder).refusal(dir.filePath("home"), {dir.filePath("program")}),
                 refusal);
    }

    // A link in place of the folder is not followed: what it points to stays.
    void bulkDeleteRefusesALink() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("real"));
        WriteFile(dir.filePath("real/a.jpg"), "x");
        QVERIFY(QFile::link(dir.filePath("real"), dir.filePath("link")));
        QCOMPARE(BulkDeleteFolder(dir.filePath("link")).deleteFiles(), -1);
        QCOMPARE(Files(dir.filePath("real")), QStringList{"a.jpg"});
    }
};

QTEST_GUILESS_MAIN(FilesTest)
#include "tst_files.moc"
