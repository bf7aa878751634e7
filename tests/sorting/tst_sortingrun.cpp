// The sorting run on real files, without a window, and the companion files
// that travel with a picture: which names, and a send of the group placed
// all or none and undone as one. Failures the file system causes are driven
// in tests/faults.
#include "sorting/Companions.h"
#include "sorting/RunOnFiles.h"
#include "support/Rows.h"
#include "support/TemporaryTrash.h"

#include <QtTest>

#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace sorvane;
using namespace sorvane::test;

namespace {

const QStringList group{"IMG_0001.CR3", "IMG_0001.JPG", "IMG_0001.xmp"};

// A run whose sends take companions along, over the given files.
struct GroupRun : Run {
    explicit GroupRun(const QStringList& files) : Run(files) {
        module.Extras.sendCompanions = true;
    }
};

} // namespace

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
        for (const char* home : {"new/data", "file"})
            for (bool undo : {true, false})
                QTest::addRow("%s, %s", home, undo ? "undone" : "pushed out") << home << undo;
    }
    void replacedFileIsKeptForTheUndo() {
        QFETCH(QString, home);
        QFETCH(bool, undo);
        const QString name = "a 写真.jpg", kept = "a 写真 (1).jpg";
        Run r(QStringList{name} + QString("bcdefghijk").split("", Qt::SkipEmptyParts));
        const bool trashed = home != "file";
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

    // Copy mode keeps the source, read-only ones too; the undo removes the
    // copy. An edit of the same size and date is still an edit: the undo
    // then leaves the edited source alone.
    void copyModeAndItsUndo_data() {
        QTest::addColumn<QByteArray>("edit"); // written into the kept source after the send
        QTest::newRow("copy") << QByteArray();
        QTest::newRow("copy, source edited since") << QByteArray("b");
    }
    void copyModeAndItsUndo() {
        QFETCH(QByteArray, edit);
        Run r({"a", "b"});
        r.module.CopyMode = 1;
        QFile source(r.source("a"));
        source.setPermissions(QFile::ReadOwner);
        r.run.send(2);
        const QString sent = r.slot(2) + "/a";
        QCOMPARE(ReadFile(sent), "a");
        QVERIFY(source.exists());
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
    void undoRestoresOnlyTheFileItSetAside() {
        Run r({"a.jpg"});
        WriteFile(r.slot(1) + "/a.jpg", "replaced");
        r.run.send(1);
        const QString aside = trash->path("files/a.jpg");
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
        QCOMPARE(r.failures.size(), 1);
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

    // A copy that finds its file already at the destination (the slot is
    // the source folder) places nothing and records nothing, and has
    // nothing to say: an undo would remove the only file.
    void sendOntoItselfDoesNothing() {
        Run r({"a"});
        r.module.CopyMode = 1;
        r.module.FolderSlots[5] = r.path("src/.");
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
    // replace, the copy touches nothing and says the name is taken, so that
    // the question can be asked (the move's rename is the file tests' own).
    void placingWithoutLeaveRefusesATakenName() {
        QTemporaryDir dir;
        QVERIFY(WriteFile(dir.filePath("a"), "new") && WriteFile(dir.filePath("b"), "old"));
        const SendOutcome outcome = PlaceFile(dir.filePath("a"), dir.filePath("b"), true, false);
        QVERIFY(!outcome.placed && outcome.replaced.isEmpty());
        QCOMPARE(outcome.error, FileError::NameTaken);
        QCOMPARE(ReadFile(dir.filePath("a")) + ReadFile(dir.filePath("b")), "newold");
        QCOMPARE(Files(dir.path()), (QStringList{"a", "b"}));
    }

    // The companions of a name in a folder (names separated by commas).
    void companionNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("companions");
        const char* const card = "IMG_0001.CR3,IMG_0001.JPG,IMG_0001.xmp,IMG_0002.CR3,IMG_0002.JPG";
        AddRows(
            {{"raw with its jpeg and sidecar", "IMG_0001.CR3", card, "IMG_0001.JPG,IMG_0001.xmp"},
             {"sidecars after the full name, any case", "IMG_0001.CR3",
              "IMG_0001.CR3,IMG_0001.CR3.xmp,IMG_0001.HEIC,IMG_0001.HEIC.AAE,IMG_0001.cr3.pp3,"
              "IMG_0001.pp3",
              "IMG_0001.CR3.xmp,IMG_0001.HEIC,IMG_0001.HEIC.AAE,IMG_0001.pp3"},
             {"the stem matches exactly", "IMG_0001.CR3",
              "IMG_0001.CR3,img_0001.jpg,IMG_00011.JPG,IMG_0001 .JPG,IMG_0001.JPG.bak,"
              "IMG_0001.txt,IMG_0001,.IMG_0001.xmp",
              ""},
             {"a sidecar sent alone travels alone", "IMG_0001.xmp", card, ""},
             {"a file of no picture kind has none", "notes.txt", "notes.txt,notes.jpg,notes.xmp",
              ""},
             {"dots inside the stem", "a.b.jpg", "a.b.jpg,a.b.nef,a.nef,a.b.xmp",
              "a.b.nef,a.b.xmp"}});
    }
    void companionNames() {
        QFETCH(QString, name);
        QFETCH(QString, folder);
        QTEST(CompanionNames(name, folder.split(',')).join(','), "companions");
    }

    // The list then holds neither the file nor its companions; with the
    // option off only the file goes, and an undo brings the whole group back.
    void groupTravelsAndComesBack_data() {
        QTest::addColumn<bool>("option");
        QTest::addColumn<bool>("copy");
        QTest::newRow("move") << true << false;
        QTest::newRow("copy") << true << true;
        QTest::newRow("option off") << false << false;
    }
    void groupTravelsAndComesBack() {
        QFETCH(bool, option);
        QFETCH(bool, copy);
        GroupRun r(group + QStringList{"IMG_0002.JPG"});
        r.module.Extras.sendCompanions = option;
        r.module.CopyMode = copy;
        r.run.send(3);
        const QStringList sent = option ? group : QStringList{"IMG_0001.CR3"};
        QCOMPARE(Files(r.slot(3)), sent);
        for (const QString& name : sent)
            QCOMPARE(ReadFile(r.slot(3) + "/" + name), name.toUtf8());
        QCOMPARE(r.listed.size(), copy ? 4 : 4 - sent.size());
        r.run.undo();
        QVERIFY(r.failures.isEmpty() && Files(r.slot(3)).isEmpty());
        QCOMPARE(Files(r.path("src")), group + QStringList{"IMG_0002.JPG"});
        for (const QString& name : group)
            QCOMPARE(ReadFile(r.source(name)), name.toUtf8());
    }

    // A name taken for any member asks once for the whole group: OK sets
    // every taken file aside (and the undo puts them back), Cancel sends
    // nothing. With the question off the taken files are set aside unasked.
    // A name that differs only in case is another name here.
    void aTakenNameAsksOnceForTheGroup_data() {
        QTest::addColumn<int>("question"); // ConfirmSameName
        QTest::addColumn<PromptAnswer>("answer");
        QTest::newRow("ok") << 1 << PromptAnswer::Ok;
        QTest::newRow("cancel") << 1 << PromptAnswer::Cancel;
        QTest::newRow("question off") << 0 << PromptAnswer::Cancel;
    }
    void aTakenNameAsksOnceForTheGroup() {
        QFETCH(int, question);
        QFETCH(PromptAnswer, answer);
        const bool sent = !question || answer == PromptAnswer::Ok;
        GroupRun r({"IMG_0001.NEF", "IMG_0001.JPG"});
        r.module.ConfirmSameName = Flag(question);
        QVERIFY(WriteFile(r.slot(2) + "/IMG_0001.JPG", "older jpeg"));
        QVERIFY(WriteFile(r.slot(2) + "/img_0001.nef", "another name"));
        r.prompts.Answer(answer);
        r.run.send(2);
        QCOMPARE(r.prompts.asked.size(), question);
        QVERIFY(!question || r.prompts.asked[0].text.startsWith("同名のファイルがあります"));
        const QStringList pair{"IMG_0001.JPG", "IMG_0001.NEF"};
        QCOMPARE(Files(r.path("src")), sent ? QStringList{} : pair);
        QCOMPARE(ReadFile(r.slot(2) + "/IMG_0001.JPG"), sent ? "IMG_0001.JPG" : "older jpeg");
        if (!sent)
            return;
        QCOMPARE(Files(trash->path("files")), QStringList{"IMG_0001.JPG"});
        r.run.undo();
        QCOMPARE(Files(r.path("src")), pair);
        QCOMPARE(Files(r.slot(2)), (QStringList{"IMG_0001.JPG", "img_0001.nef"}));
        QCOMPARE(ReadFile(r.slot(2) + "/IMG_0001.JPG"), "older jpeg");
    }

    // A member that cannot be placed (a folder has its name, which nothing
    // sets aside) takes every member already placed back with it, and the
    // files they replaced come back too. One line says why. A disk that
    // fills up part-way is the fault suite's.
    void aMemberThatCannotBePlacedKeepsTheGroupHome() {
        GroupRun r(group);
        QVERIFY(WriteFile(r.slot(4) + "/IMG_0001.CR3", "older raw"));
        QVERIFY(QDir().mkpath(r.slot(4) + "/IMG_0001.xmp"));
        r.run.send(4);
        QCOMPARE(Files(r.path("src")), group);
        for (const QString& name : group)
            QCOMPARE(ReadFile(r.source(name)), name.toUtf8());
        QCOMPARE(Files(r.slot(4)), QStringList{"IMG_0001.CR3"});
        QCOMPARE(ReadFile(r.slot(4) + "/IMG_0001.CR3"), "older raw");
        QVERIFY(r.failures.size() == 1 && r.run.history().isEmpty());
    }

    // The undo is all or nothing as well: one member's old place taken by
    // another file leaves the whole group where it was sent.
    void anUndoThatOneMemberRefusesMovesNone() {
        GroupRun r({"IMG_0001.CR3", "IMG_0001.JPG"});
        r.run.send(6);
        QVERIFY(WriteFile(r.source("IMG_0001.JPG"), "a new file under the old name"));
        r.run.undo();
        QCOMPARE(Files(r.slot(6)), (QStringList{"IMG_0001.CR3", "IMG_0001.JPG"}));
        QCOMPARE(Files(r.path("src")), QStringList{"IMG_0001.JPG"});
        QVERIFY(r.failures.size() == 1 && r.run.history().size() == 1);
    }
};

QTEST_GUILESS_MAIN(SortingRunTest)
#include "tst_sortingrun.moc"
