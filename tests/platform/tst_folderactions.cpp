// Typed folder texts, parents, and emptying the bulk-delete folder, on real
// folders in temporary folders. What the bulk delete keeps is checked
// through the window (tst_form2).
#include "platform/FolderActions.h"

#include "support/TestFiles.h"

#include <QtTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace sorvane;
using sorvane::test::WriteFile;

class FolderActionsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void resolvesTypedText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("resolved");
        QTest::newRow("absolute") << "/x/y"
                                  << "/x/y";
        QTest::newRow("relative") << "new"
                                  << "/base/dir/new";
        QTest::newRow("dotted") << "../up/./x/"
                                << "/base/up/x";
        QTest::newRow("doubled separators") << "//x//y"
                                            << "/x/y";
    }
    void resolvesTypedText() {
        QFETCH(QString, text);
        QFETCH(QString, resolved);
        QCOMPARE(ResolveFolderText(text, "/base/dir"), resolved);
    }

    void parentFolder_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("parent");
        QTest::newRow("nested") << "/a/b"
                                << "/a";
        QTest::newRow("under the root") << "/a"
                                        << "/";
    }
    void parentFolder() {
        QFETCH(QString, path);
        QFETCH(QString, parent);
        QCOMPARE(ParentFolder(path), parent);
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
        QTest::newRow("a link to a folder") << "LINK" << BulkDeleteRefusal::NotAFolder;
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
        folder.replace("HOME", dir.filePath("home"))
            .replace("PROGRAM", dir.filePath("program"))
            .replace("LINK", dir.filePath("link"))
            .replace("TMP", dir.path());
        QCOMPARE(CheckBulkDeleteFolder(folder, dir.filePath("home"), dir.filePath("program")),
                 refusal);
    }

    void bulkDeleteRefusesALinkAndReportsWhatStays() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("real"));
        WriteFile(dir.filePath("real/a.jpg"), "x");
        QVERIFY(QFile::link(dir.filePath("real"), dir.filePath("link")));
        QCOMPARE(DeleteFolderFiles(dir.filePath("link")), -1);
        QCOMPARE(DeleteFolderFiles(dir.filePath("gone")), -1);
        QVERIFY(QFileInfo::exists(dir.filePath("real/a.jpg")));

        // Files the user may not delete are all tried and counted. Root may
        // delete anything, so the child runs as an unprivileged user.
        WriteFile(dir.filePath("real/b.jpg"), "x");
        QVERIFY(::chmod(qPrintable(dir.path()), 0755) == 0);
        QVERIFY(::chmod(qPrintable(dir.filePath("real")), 0555) == 0);
        const pid_t child = ::fork();
        if (child == 0) {
            if (::geteuid() == 0 && ::setuid(65534) != 0)
                ::_exit(99);
            ::_exit(DeleteFolderFiles(dir.filePath("real")));
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(::chmod(qPrintable(dir.filePath("real")), 0755) == 0);
        QCOMPARE(WEXITSTATUS(status), 2);
        QVERIFY(QFileInfo::exists(dir.filePath("real/b.jpg")));
    }
};

QTEST_GUILESS_MAIN(FolderActionsTest)
#include "tst_folderactions.moc"
