// The sorting run on real files, without a window. Failures the file system
// causes are driven in tests/faults.
#include "sorting/RunOnFiles.h"

#include <QtTest>

#include <unistd.h>

using namespace sorvane;
using namespace sorvane::test;

class SortingRunTest : public QObject {
    Q_OBJECT
    QTemporaryDir data; // the trash goes here, never into the real home

private Q_SLOTS:
    void init() { qputenv("XDG_DATA_HOME", data.path().toUtf8()); }

    // The replaced file goes to the trash (or, without one on its file system,
    // beside its old place) and comes back with the undo; pushed out of the
    // history it stays in the trash, while a file kept beside goes.
    void replacedFileIsKeptForTheUndo_data() {
        QTest::addColumn<bool>("trash");
        QTest::addColumn<bool>("undo");
        QTest::newRow("trash, undone") << true << true;
        QTest::newRow("trash, pushed out") << true << false;
        QTest::newRow("beside, undone") << false << true;
        QTest::newRow("beside, pushed out") << false << false;
    }
    void replacedFileIsKeptForTheUndo() {
        QFETCH(bool, trash);
        QFETCH(bool, undo);
        const QString name = "a 写真.jpg";
        Run r(QStringList{name} + QStringList{"b", "c", "d", "e", "f", "g", "h", "i", "j", "k"});
        qputenv("XDG_DATA_HOME",
                (trash ? r.dir.path() : r.path("src/b")).toUtf8()); // a file: no trash there
        WriteFile(r.slot(1) + "/" + name, "older");
        r.run.send(1);
        QCOMPARE(ReadFile(r.slot(1) + "/" + name), name.toUtf8());
        const QString files = r.path("Trash/files"), info = r.path("Trash/info");
        const QStringList slot1 = Files(r.slot(1)); // a hidden file kept beside comes first
        QCOMPARE(slot1.size(), trash ? 1 : 2);
        QCOMPARE(ReadFile(trash ? files + "/" + name : r.slot(1) + "/" + slot1[0]), "older");
        if (trash)
            QVERIFY(QRegularExpression(
                        "^\\[Trash Info\\]\nPath=" + QRegularExpression::escape(r.slot(1)) +
                        "/a%20%E5%86%99%E7%9C%9F.jpg\nDeletionDate="
                        "\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n$")
                        .match(ReadFile(info + "/" + name + ".trashinfo"))
                        .hasMatch());
        if (undo) { // the sent file goes home first, then the replaced one takes its name again
            r.run.undo();
            QCOMPARE(ReadFile(r.path("src/" + name)), name.toUtf8());
            QCOMPARE(ReadFile(r.slot(1) + "/" + name), "older");
        } else {
            for (int i = 0; i < UndoHistory::Capacity; ++i)
                r.run.send(2);
        }
        QCOMPARE(Files(r.slot(1)), QStringList{name}); // nothing kept beside any more
        QCOMPARE(Files(files) + Files(info),
                 trash && !undo ? (QStringList{name, name + ".trashinfo"}) : QStringList{});
    }

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
        QFile::setPermissions(r.path("src/a"), QFile::ReadOwner);
        r.run.send(2);
        const QString sent = r.module.FolderSlots[2] + "/a";
        QCOMPARE(ReadFile(sent), QByteArray("a"));
        QCOMPARE(QFile::exists(r.path("src/a")), !bulk);
        QFile source(r.path("src/a"));
        const QDateTime modified = QFileInfo(source).lastModified();
        QVERIFY(edit.isEmpty() ||
                (source.open(QIODevice::WriteOnly) && source.write(edit) == 1 &&
                 source.setFileTime(modified, QFileDevice::FileModificationTime)));
        source.close();
        r.run.undo();
        QVERIFY(!QFile::exists(sent));
        QCOMPARE(ReadFile(r.path("src/a")), edit.isEmpty() ? QByteArray("a") : edit);
    }

    void undoNeverDestroysAFileItDidNotPlace() {
        Run r({"a"});
        r.run.send(4);
        WriteFile(r.path("src/a"), "a new file of the same name");
        r.run.undo();
        QCOMPARE(ReadFile(r.path("src/a")), QByteArray("a new file of the same name"));
        QCOMPARE(ReadFile(r.slot(4) + "/a"), QByteArray("a"));
        QVERIFY(r.run.history().isEmpty()); // the refused undo is spent
        QCOMPARE(r.failures, QStringList{"元に戻せませんでした。同名のファイルがあります。"});
    }

    // A send that finds its file already at the destination places nothing
    // and records nothing, and has nothing to say.
    void sendOntoItselfDoesNothing_data() {
        QTest::addColumn<bool>("link");
        QTest::newRow("a hard link already there") << true;
        QTest::newRow("a copy into the source folder") << false;
    }
    void sendOntoItselfDoesNothing() {
        QFETCH(bool, link);
        Run r({"a"});
        r.module.CopyMode = !link;
        if (link)
            QCOMPARE(::link(qPrintable(r.path("src/a")), qPrintable(r.slot(5) + "/a")), 0);
        else
            r.module.FolderSlots[5] = r.path("src/.");
        r.run.send(5);
        QVERIFY(r.run.history().isEmpty() && r.failures.isEmpty());
        QCOMPARE(ReadFile(r.path("src/a")), QByteArray("a"));
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

    // Cancel keeps the older file; OK replaces it and sets it aside in the trash.
    void sameNameIsAskedFirst() {
        Run r({"a", "b"});
        r.module.ConfirmSameName = 1;
        WriteFile(r.slot(1) + "/a", "older a");
        WriteFile(r.slot(1) + "/B", "a name that differs in case");
        r.run.send(1); // Cancel
        QCOMPARE(ReadFile(r.slot(1) + "/a"), QByteArray("older a"));
        r.prompts.Answer(PromptAnswer::Ok);
        r.run.send(1);
        r.run.send(1); // b: no question
        QCOMPARE(r.prompts.asked.size(), 2);
        QCOMPARE(r.prompts.asked[0].text, QStringLiteral("同名のファイルがあります移動しますか？"));
        QCOMPARE(Files(r.slot(1)), (QStringList{"B", "a", "b"}));
        QCOMPARE(ReadFile(data.filePath("Trash/files/a")), QByteArray("older a"));
        QCOMPARE(r.run.history().size(), 2);
    }
};

QTEST_GUILESS_MAIN(SortingRunTest)
#include "tst_sortingrun.moc"
