// The sorting run on real files, without a window. Failures the file system
// causes are driven in tests/faults.
#include "sorting/RunOnFiles.h"
#include "support/TemporaryTrash.h"

#include <QtTest>

#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace sorvane;
using namespace sorvane::test;

class SortingRunTest : public QObject {
    Q_OBJECT
    std::optional<TemporaryTrash> trash;

private Q_SLOTS:
    void init() { trash.emplace(); }
    void cleanup() { trash.reset(); }

    // The replaced file goes to the trash, made where missing, or without
    // one on its file system stays beside under a free name, and the window
    // says so. It comes back with the undo; pushed out of the history it
    // stays where it is. The slot is given relative to the working folder,
    // and the trash entry still names the file by its absolute path.
    void replacedFileIsKeptForTheUndo_data() {
        QTest::addColumn<QString>("home"); // XDG_DATA_HOME; under "file" no trash can be made
        QTest::addColumn<bool>("undo");
        for (const char* home : {"data", "new/data", "file"})
            for (bool undo : {true, false})
                QTest::addRow("%s, %s", home, undo ? "undone" : "pushed out") << home << undo;
    }
    void replacedFileIsKeptForTheUndo() {
        QFETCH(QString, home);
        QFETCH(bool, undo);
        const QString name = "a 写真.jpg", kept = "a 写真 (1).jpg";
        Run r(QStringList{name} + QString("bcdefghijk").split("", Qt::SkipEmptyParts));
        const bool trashed = home != "file";
        QVERIFY(home != "data" || QDir().mkpath(r.path("data/Trash")));
        QVERIFY(trashed || WriteFile(r.path("file"), "a file: no trash under it"));
        const ScopedEnvironment dataHome("XDG_DATA_HOME", QFile::encodeName(r.path(home)));
        const QString files = r.path(home + "/Trash/files"), info = r.path(home + "/Trash/info");
        const auto back = qScopeGuard([was = QDir::currentPath()] { QDir::setCurrent(was); });
        QVERIFY(QDir::setCurrent(r.dir.path()));
        r.module.FolderSlots[1] = "./1/";
        WriteFile(r.slot(1) + "/" + name, "older");
        r.run.send(1);
        const QStringList aside = trashed ? QStringList{name} : QStringList{kept, name};
        QCOMPARE(Files(r.slot(1)), aside);
        QCOMPARE(ReadFile(r.slot(1) + "/" + name), name.toUtf8());
        QCOMPARE(ReadFile(trashed ? files + "/" + name : r.slot(1) + "/" + kept), "older");
        QCOMPARE(r.failures.size(), int(!trashed));
        QVERIFY(trashed || r.failures[0].endsWith(kept + "として残しました。"));
        QVERIFY(!trashed || ReadFile(info + "/" + name + ".trashinfo")
                                .contains("\nPath=" + QFile::encodeName(r.slot(1)) +
                                          "/a%20%E5%86%99%E7%9C%9F.jpg\nDeletionDate=20"));
        if (undo) { // the sent file goes home first, then the replaced one takes its name again
            r.run.undo();
            QCOMPARE(ReadFile(r.source(name)), name.toUtf8());
            QCOMPARE(ReadFile(r.slot(1) + "/" + name), "older");
            QCOMPARE(Files(r.slot(1)), QStringList{name});
        } else {
            for (int i = 0; i < UndoHistory::Capacity; ++i)
                r.run.send(2);
            QCOMPARE(Files(r.slot(1)), aside); // never deleted
        }
        QCOMPARE(Files(files) + Files(info),
                 trashed && !undo ? (QStringList{name, name + ".trashinfo"}) : QStringList{});
    }

    // A send taken back by other means (the journal's window) leaves the
    // undo: the next undo takes back the send before it instead of being
    // refused at the missing file for good.
    void sendsTakenBackElsewhereLeaveTheUndo() {
        Run r({"a", "b"});
        r.run.send(1);
        r.run.send(1);
        QVERIFY(QFile::rename(r.slot(1) + "/b", r.source("b")));
        r.run.forgetSendsTo({r.slot(1) + "/b"});
        QCOMPARE(r.run.history().size(), 1);
        r.run.undo();
        QCOMPARE(Files(r.path("src")), (QStringList{"a", "b"}));
        QVERIFY(r.run.history().isEmpty() && r.failures.isEmpty());
    }

    // Presses that arrive while a send is under way wait their turn.
    void pressesRunInTheOrderTheyArrived() {
        Run r({"a", "b", "c", "d"});
        int waitingMeanwhile = 0;
        r.onEvents = [&r, &waitingMeanwhile] {
            r.run.send(2);
            r.run.send(3);
            r.run.undo();
            waitingMeanwhile = r.run.waiting();
        };
        r.run.send(1);
        QCOMPARE(waitingMeanwhile, 3); // queued, not run inside the first send
        QCOMPARE(Files(r.slot(1)) + Files(r.slot(2)), (QStringList{"a", "b"}));
        QCOMPARE(Files(r.path("src")), (QStringList{"c", "d"})); // c went and came back
        QCOMPARE(r.run.history().size(), 2);
    }

    // Copy mode keeps the source, read-only ones too, except where the slot
    // shows the bulk-delete folder; the undo removes the copy or moves the
    // file back. An edit of the same size and date is still an edit: the
    // undo then leaves the edited source alone.
    void copyModeAndItsUndo_data() {
        QTest::addColumn<bool>("bulk");
        QTest::addColumn<QByteArray>("edit"); // written into the kept source after the send
        QTest::newRow("copy") << false << QByteArray();
        QTest::newRow("copy into a slot showing the bulk folder") << true << QByteArray();
        QTest::newRow("copy, source edited since") << false << QByteArray("b");
    }
    void copyModeAndItsUndo() {
        QFETCH(bool, bulk);
        QFETCH(QByteArray, edit);
        Run r({"a", "b"});
        r.module.CopyMode = 1;
        if (bulk)
            r.module.FolderSlots[2] = r.slot(BulkDeleteSlot);
        QFile source(r.source("a"));
        source.setPermissions(QFile::ReadOwner);
        r.run.send(2);
        const QString sent = r.module.FolderSlots[2] + "/a";
        QCOMPARE(ReadFile(sent), "a");
        QCOMPARE(source.exists(), !bulk);
        const QDateTime modified = QFileInfo(source).lastModified();
        QVERIFY(edit.isEmpty() ||
                (source.open(QIODevice::WriteOnly) && source.write(edit) == 1 &&
                 source.setFileTime(modified, QFileDevice::FileModificationTime)));
        source.close();
        r.run.undo();
        QVERIFY(!QFile::exists(sent));
        QCOMPARE(ReadFile(r.source("a")), edit.isEmpty() ? QByteArray("a") : edit);
    }

    // The user emptied the trash and another file took the set-aside file's
    // name there (of the same size and time, with an entry saying the same):
    // the undo brings the sent file home and leaves that other file alone.
    void undoRestoresOnlyTheFileItSetAside_data() {
        QTest::addColumn<bool>("beside");
        QTest::newRow("in the trash") << false;
        QTest::newRow("kept beside") << true;
    }
    void undoRestoresOnlyTheFileItSetAside() {
        QFETCH(bool, beside);
        Run r({"a.jpg"});
        WriteFile(r.path("file"), "a file: no trash under it");
        const ScopedEnvironment dataHome(
            "XDG_DATA_HOME", QFile::encodeName(beside ? r.path("file") : trash->dataHome()));
        WriteFile(r.slot(1) + "/a.jpg", "replaced");
        r.run.send(1);
        const QString aside = beside ? r.slot(1) + "/a (1).jpg" : trash->path("files/a.jpg");
        struct stat was;
        QCOMPARE(::stat(qPrintable(aside), &was), 0);
        const QString other = aside + ".new"; // made first, so that it cannot reuse the inode
        WriteFile(other, "another");
        const struct timespec times[2] = {was.st_atim, was.st_mtim};
        QCOMPARE(::utimensat(AT_FDCWD, qPrintable(other), times, 0), 0);
        QVERIFY(QFile::remove(aside) && QFile::rename(other, aside));
        r.run.undo();
        QCOMPARE(ReadFile(r.source("a.jpg")), "a.jpg");
        QVERIFY(!QFile::exists(r.slot(1) + "/a.jpg") && r.run.history().isEmpty());
        QCOMPARE(ReadFile(aside), "another");
        QCOMPARE(r.failures.size(), 1 + int(beside));
        QVERIFY(r.failures.last().endsWith("別のファイルに替わっています。"));
    }

    // What a killed run left in the source folder (a partial copy of an
    // undo) goes when a run starts, or at the latest when it sends from it.
    void staleCopiesLeaveTheSourceFolder_data() {
        QTest::addColumn<bool>("atStart");
        QTest::newRow("when the run starts") << true;
        QTest::newRow("at the first send") << false;
    }
    void staleCopiesLeaveTheSourceFolder() {
        QFETCH(bool, atStart);
        Run r({"a"});
        const pid_t gone = ::fork();
        if (gone == 0)
            ::_exit(0);
        QCOMPARE(::waitpid(gone, nullptr, 0), gone);
        WriteFile(r.source(QStringLiteral(".sorvane-tmp-%1-1").arg(gone)), "part of a");
        atStart ? r.run.tidySource() : r.run.send(1);
        QCOMPARE(Files(r.path("src")), atStart ? QStringList{"a"} : QStringList());
    }

    // A send that finds its file already at the destination (a hard link
    // there, or a copy into the source folder) places nothing and records
    // nothing, and has nothing to say.
    void sendOntoItselfDoesNothing_data() {
        QTest::addColumn<bool>("link");
        QTest::newRow("a hard link already there") << true;
        QTest::newRow("a copy into the source folder") << false;
    }
    void sendOntoItselfDoesNothing() {
        QFETCH(bool, link);
        Run r({"a"});
        r.module.CopyMode = !link;
        if (!link)
            r.module.FolderSlots[5] = r.path("src/.");
        QVERIFY(!link || ::link(qPrintable(r.source("a")), qPrintable(r.slot(5) + "/a")) == 0);
        r.run.send(5);
        QVERIFY(r.run.history().isEmpty() && r.failures.isEmpty());
        QCOMPARE(ReadFile(r.source("a")), "a");
    }

    // A name that is not UTF-8 beside its look-alike with U+FFFD: each is
    // sent and taken back by its own bytes.
    void undecodableNameTravelsByItsBytes() {
        Run r({});
        const QByteArray src = QFile::encodeName(r.path("src")),
                         slot = QFile::encodeName(r.slot(1));
        const QList<QByteArray> both{"a\xef\xbf\xbd.jpg", "a\xff.jpg"}; // the twin, the other
        for (const QByteArray& name : both)
            QVERIFY(WriteNativeFile(src + '/' + name, name));
        r.listChanged();
        QCOMPARE(r.listed.size(), 2);
        r.run.send(1);
        r.run.send(1);
        QCOMPARE(NativeFiles(slot), both);
        r.run.undo();
        r.run.undo();
        QCOMPARE(NativeFiles(src), both);
        QVERIFY(r.failures.isEmpty());
        QCOMPARE(::unlink(src + "/a\xff.jpg"), 0); // QTemporaryDir cannot name it
    }

    // A name taken after the question was passed by: without leave to
    // replace, the placing touches nothing and says the name is taken, so
    // that the question can be asked.
    void placingWithoutLeaveRefusesATakenName_data() {
        QTest::addColumn<bool>("copy");
        QTest::newRow("move") << false;
        QTest::newRow("copy") << true;
    }
    void placingWithoutLeaveRefusesATakenName() {
        QFETCH(bool, copy);
        QTemporaryDir dir;
        QVERIFY(WriteFile(dir.filePath("a"), "new") && WriteFile(dir.filePath("b"), "old"));
        const SendOutcome outcome = PlaceFile(dir.filePath("a"), dir.filePath("b"), copy, false);
        QVERIFY(!outcome.placed && outcome.replaced.isEmpty());
        QCOMPARE(outcome.error, FileError::NameTaken);
        QCOMPARE(ReadFile(dir.filePath("a")) + ReadFile(dir.filePath("b")), "newold");
        QCOMPARE(Files(dir.path()), (QStringList{"a", "b"}));
    }
};

QTEST_GUILESS_MAIN(SortingRunTest)
#include "tst_sortingrun.moc"
