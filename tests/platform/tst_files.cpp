// File-system work on real files in temporary folders: nothing is lost by a
// copy or a move, and the bulk delete refuses dangerous folders and never
// reaches past a link.
#include "platform/FileOps.h"
#include "platform/FolderActions.h"
#include "platform/OwnFiles.h"

#include "support/TestFiles.h"

#include <QtTest>

#include <sys/wait.h>
#include <unistd.h>

using namespace sorvane;
using namespace sorvane::test;

class FilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A failed rename names the missing folder or file on its side and
    // leaves both files as they were; only a taken name is replaced when
    // asked to.
    void renameErrors_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("destination");
        QTest::addColumn<FileError>("error");
        using E = FileError;
        // clang-format off
        QTest::newRow("source missing") << "gone.jpg" << "c.jpg" << E::FileNotFound;
        QTest::newRow("source's folder missing") << "gone/a.jpg" << "c.jpg" << E::PathNotFound;
        QTest::newRow("destination's folder missing") << "a.jpg" << "gone/a.jpg" << E::PathNotFound;
        QTest::newRow("name taken") << "a.jpg" << "b.jpg" << E::NameTaken;
        QTest::newRow("onto itself") << "a.jpg" << "./a.jpg" << E::NameTaken;
        // clang-format on
    }
    void renameErrors() {
        QFETCH(QString, source);
        QFETCH(QString, destination);
        QFETCH(FileError, error);
        QTemporaryDir dir;
        const auto ab = [&] {
            return ReadFile(dir.filePath("a.jpg")) + ReadFile(dir.filePath("b.jpg"));
        };
        QVERIFY(WriteFile(dir.filePath("a.jpg"), "a") && WriteFile(dir.filePath("b.jpg"), "b"));
        QCOMPARE(RenameNoReplace(dir.filePath(source), dir.filePath(destination)), error);
        QCOMPARE(ab(), "ab");
        const bool replaced = error == FileError::NameTaken;
        QCOMPARE(RenameReplacing(dir.filePath(source), dir.filePath(destination)),
                 replaced ? FileError::None : error);
        QVERIFY(replaced || ab() == "ab");
    }

    // The copy keeps the picture's dates and permissions (beyond the umask),
    // and replaces the destination only when whole. A name near the longest
    // a file system takes still fits where the copy is staged under a name:
    // a short one, and nothing of it stays.
    void copyReplacesWholeOrNotAtAll() {
        QTemporaryDir dir;
        const QString src = dir.filePath("src"), dst = dir.filePath("dst"), name(250, u'n');
        QVERIFY(WriteFile(src, "new") && WriteFile(dst, "old"));
        QCOMPARE(CopyReplacing(dir.filePath("gone"), dst), FileError::FileNotFound);
        QCOMPARE(CopyReplacing(src, dir.path() + "/./src"), FileError::None);
        QCOMPARE(ReadFile(src) + ReadFile(dst), "newold");
        const struct timespec taken[2] = {{1500000000, 123}, {1400000000, 456000}};
        QVERIFY(::utimensat(AT_FDCWD, qPrintable(src), taken, 0) == 0 &&
                ::chmod(qPrintable(src), 0664) == 0);
        QCOMPARE(CopyReplacing(src, dst), FileError::None);
        struct stat copy; // before reading the copy touches its access time
        QCOMPARE(::stat(qPrintable(dst), &copy), 0);
        QCOMPARE(copy.st_mode & 0777, 0664u);
        QVERIFY(copy.st_mtim.tv_sec == taken[1].tv_sec &&
                copy.st_mtim.tv_nsec == taken[1].tv_nsec && copy.st_atim.tv_sec == taken[0].tv_sec);
        QCOMPARE(ReadFile(dst), "new");
        SetUnnamedFilesAllowed(false);
        const FileError copied = CopyReplacing(src, dir.filePath(name));
        const FileError saved = WriteFileAtomically(dir.filePath(name), "saved");
        SetUnnamedFilesAllowed(true);
        QVERIFY(copied == FileError::None && saved == FileError::None);
        QCOMPARE(ReadFile(dir.filePath(name)), "saved");
        QCOMPARE(Files(dir.path()), (QStringList{"dst", name, "src"}));
    }

    // Across file systems a move copies whole first and removes the source
    // only then.
    void moveReplacesAndReportsFailures() {
        QTemporaryDir here, there(QStringLiteral("/dev/shm/sorvane-XXXXXX"));
        const QString a = here.filePath("a"), b = here.filePath("b");
        QVERIFY(WriteFile(a, "moved") && WriteFile(b, "replaced"));
        QCOMPARE(MoveReplacing(a, b), FileError::None);
        QCOMPARE(MoveReplacing(a, b), FileError::FileNotFound);
        QCOMPARE(MoveReplacing(b, b), FileError::None);
        QCOMPARE(ReadFile(b), "moved");
        if (!there.isValid() || !OnSeparateFileSystems(here.path(), there.path()))
            QSKIP("no second file system to move across");
        WriteFile(b, QByteArray(300000, 'p'));
        QCOMPARE(MoveReplacing(b, there.filePath("b")), FileError::None);
        QCOMPARE(Files(here.path()) + Files(there.path()), QStringList{"b"});
        QCOMPARE(ReadFile(there.filePath("b")), QByteArray(300000, 'p'));
    }

    // What a killed process of this program left goes; what a running one
    // writes, a replaced picture an earlier version kept for an undo, the
    // notes of the trash, and whatever only resembles those names, stay.
    void removesOnlyStaleOwnFiles() {
        QTemporaryDir dir;
        const pid_t dead = ::fork();
        if (dead == 0)
            ::_exit(0);
        QCOMPARE(::waitpid(dead, nullptr, 0), dead);
        // clang-format off
        QStringList kept{".sorvane-tmp-A-1", ".sorvane-tmp-D-3x", ".sorvane-kept-D-12", ".sorvane-claim-D-1",
                         ".sorvane-copy-D-", ".sorvane-tmp", "a.jpg",
                         ".sorvane-tmp-D-3", ".sorvane-copy-D-a.jpg"}; // the last two stale
        // clang-format on
        for (QString& name : kept)
            WriteFile(dir.filePath(name.replace("-D-", QStringLiteral("-%1-").arg(dead))
                                       .replace("-A-", QStringLiteral("-%1-").arg(::getpid()))),
                      "x");
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral(".sorvane-tmp-%1-4").arg(dead)));
        QCOMPARE(RemoveStaleOwnFiles(dir.path()), 2);
        kept.resize(7);
        kept.sort();
        QCOMPARE(Files(dir.path()), kept);
    }

    // The bulk delete refuses a dangerous folder; a link in place of the
    // folder is not followed, and what it points to stays. HOME, PROGRAM,
    // LINK (to the temporary folder) and TMP stand for folders.
    void refusesDangerousBulkFolders_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<BulkDeleteRefusal>("refusal");
        using R = BulkDeleteRefusal;
        // clang-format off
        const std::pair<const char*, R> rows[] = {
            {"", R::NotSet}, {"/", R::Root}, {"/tmp/..", R::Root}, {"HOME", R::Home},
            {"LINK/home", R::Home}, {"PROGRAM", R::ProgramFolder}, {"TMP/gone", R::NotAFolder},
            {"TMP/file", R::NotAFolder}, {"LINK", R::SymbolicLink}, {"LINK/", R::SymbolicLink},
            {"TMP/dangling", R::SymbolicLink}, {"LINK/trash", R::None}, {"TMP/trash", R::None},
            {"TMP/trash/", R::None}};
        // clang-format on
        for (const auto& [folder, refusal] : rows)
            QTest::newRow(*folder ? folder : "not set") << folder << refusal;
    }
    void refusesDangerousBulkFolders() {
        QFETCH(QString, folder);
        QTemporaryDir dir;
        for (const char* name : {"home", "program", "trash"})
            QVERIFY(QDir(dir.path()).mkdir(name));
        QVERIFY(WriteFile(dir.filePath("file"), "x") &&
                QFile::link(dir.path(), dir.filePath("link")) &&
                QFile::link(dir.filePath("gone"), dir.filePath("dangling")));
        folder.replace("HOME", dir.filePath("home"))
            .replace("PROGRAM", dir.filePath("program"))
            .replace("LINK", dir.filePath("link"))
            .replace("TMP", dir.path());
        QTEST(BulkDeleteFolder(folder).refusal(dir.filePath("home"), {dir.filePath("program")}),
              "refusal");
        QFETCH(BulkDeleteRefusal, refusal);
        if (refusal == BulkDeleteRefusal::SymbolicLink) {
            QCOMPARE(BulkDeleteFolder(folder).deleteFiles(), -1);
            QCOMPARE(Files(dir.path()), QStringList{"file"});
        }
    }
};

QTEST_GUILESS_MAIN(FilesTest)
#include "tst_files.moc"
