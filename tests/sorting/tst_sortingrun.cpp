// The sorting run on real files, without a window.
#include "sorting/SortingRun.h"

#include "platform/FileOps.h"
#include "settings/Module1.h"
#include "sorting/FailureText.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QtTest>

#include <cerrno>
#include <unistd.h>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// A source folder "src" and slot folders "0".."9" and "bulk". The list is
// read again only when the run says files came or went, as the window does.
struct Run : SortingRun::Window {
    QTemporaryDir dir;
    Module1 module;
    ScriptedPrompts prompts;
    SortingRun run{module, prompts, *this};
    std::function<void()> onEvents; // presses that arrive while a send waits
    int refreshes = 0;
    QStringList listed;
    QStringList failures; // the lines the window was given

    explicit Run(const QStringList& files) {
        for (int i = 0; i < SlotCount; ++i)
            QDir().mkpath(module.FolderSlots[size_t(i)] = slot(i));
        QDir().mkpath(path("src"));
        for (const QString& name : files)
            WriteFile(path("src/" + name), name.toUtf8());
        listed = ListFiles(listFolder());
    }
    QString path(const QString& relative) const { return dir.filePath(relative); }
    QString slot(int i) const { return path(i == BulkDeleteSlot ? "bulk" : QString::number(i)); }

    QString firstName() const override { return listed.value(0); }
    QString listFolder() const override { return path("src"); }
    void letEventsIn() override {
        if (const std::function<void()> events = std::exchange(onEvents, {}))
            events();
    }
    void sendStarting(int) override {}
    void sendingTo(const QString&) override {}
    void historyChanged() override {}
    void listChanged() override {
        ++refreshes;
        listed = ListFiles(listFolder());
    }
    void sendFinished(int) override {}
    void undoFinished() override {}
    void reportFailure(const QString& line) override { failures.append(line); }
};

} // namespace

class SortingRunTest : public QObject {
    Q_OBJECT
    QTemporaryDir data; // the trash goes here, never into the real home

private Q_SLOTS:
    void initTestCase() { qputenv("XDG_DATA_HOME", data.path().toUtf8()); }

    // The replaced file goes to the trash (or, without one on its file system,
    // beside its old place) and comes back with the undo; pushed out of the
    // history it stays in the trash, while a file kept beside goes.
    void replacedFileIsKeptForTheUndo_data() {
        QTest::addColumn<bool>("trash");
        QTest::addColumn<bool>("undo");
        QTest::addColumn<int>("confirm");
        QTest::newRow("trash, undone") << true << true << 0;
        QTest::newRow("trash, undone, after the question") << true << true << 1;
        QTest::newRow("trash, pushed out") << true << false << 0;
        QTest::newRow("beside, undone") << false << true << 0;
        QTest::newRow("beside, pushed out") << false << false << 0;
    }
    void replacedFileIsKeptForTheUndo() {
        QFETCH(bool, trash);
        QFETCH(bool, undo);
        QFETCH(int, confirm);
        const QString name = "a 写真.jpg";
        Run r(QStringList{name} + QStringList{"b", "c", "d", "e", "f", "g", "h", "i", "j", "k"});
        r.module.ConfirmSameName = Flag(confirm);
        r.prompts.Answer(PromptAnswer::Ok);
        QDir().mkpath(r.path("data"));
        const QString home = r.path(trash ? "data" : "src/b"); // a file: no trash there
        qputenv("XDG_DATA_HOME", home.toUtf8());
        WriteFile(r.slot(1) + "/" + name, "older");
        r.run.send(1);
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        QCOMPARE(ReadFile(r.slot(1) + "/" + name), name.toUtf8());
        const QString files = r.path("data/Trash/files"), info = r.path("data/Trash/info");
        const QStringList beside =
            QDir(r.slot(1)).entryList({".sorvane-kept-*"}, QDir::Files | QDir::Hidden);
        QCOMPARE(beside.size(), trash ? 0 : 1);
        QCOMPARE(ReadFile(trash ? files + "/" + name : r.slot(1) + "/" + beside.value(0)), "older");
        if (trash) {
            const QString entry = ReadFile(info + "/" + name + ".trashinfo");
            QVERIFY2(QRegularExpression(
                         "^\\[Trash Info\\]\nPath=" + QRegularExpression::escape(r.slot(1)) +
                         "/a%20%E5%86%99%E7%9C%9F.jpg\nDeletionDate="
                         "\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n$")
                         .match(entry)
                         .hasMatch(),
                     qPrintable(entry));
        }
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

    // An edit of the same size and date is still an edit: the undo of the
    // copy then removes the copy and leaves the source alone.
    void copyUndoLeavesAnEditedSourceAlone() {
        Run r({"a"});
        r.module.CopyMode = 1;
        r.run.send(3);
        const QFileInfo before(r.path("src/a"));
        WriteFile(r.path("src/a"), "b");
        QFile file(r.path("src/a"));
        QVERIFY(file.open(QIODevice::ReadWrite) &&
                file.setFileTime(before.lastModified(), QFileDevice::FileModificationTime));
        file.close();
        r.run.undo();
        QCOMPARE(ReadFile(r.path("src/a")), QByteArray("b"));
        QCOMPARE(Files(r.slot(3)), QStringList{});
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

    void copyModeKeepsTheSourceExceptForBulkDelete_data() {
        QTest::addColumn<int>("copyMode");
        QTest::addColumn<int>("slot"); // 2 showing the bulk folder when -2
        QTest::addColumn<bool>("sourceKept");
        QTest::newRow("move") << 0 << 2 << false;
        QTest::newRow("copy") << 1 << 2 << true;
        QTest::newRow("copy into the bulk-delete slot") << 1 << 10 << false;
        QTest::newRow("copy into a slot showing the bulk folder") << 1 << -2 << false;
    }
    void copyModeKeepsTheSourceExceptForBulkDelete() {
        QFETCH(int, copyMode);
        QFETCH(int, slot);
        QFETCH(bool, sourceKept);
        Run r({"a", "b"});
        r.module.CopyMode = Flag(copyMode);
        if (slot < 0)
            r.module.FolderSlots[size_t(slot = -slot)] = r.slot(BulkDeleteSlot);
        QFile::setPermissions(r.path("src/a"), QFile::ReadOwner); // read-only files go too
        r.run.send(slot);
        const QString sent = r.module.FolderSlots[size_t(slot)] + "/a";
        QCOMPARE(ReadFile(sent), QByteArray("a"));
        QCOMPARE(QFile::exists(r.path("src/a")), sourceKept);
        r.run.undo(); // a copy is removed, a moved file goes back
        QVERIFY(!QFile::exists(sent));
        QCOMPARE(ReadFile(r.path("src/a")), QByteArray("a"));
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

    // A send that fails says so in one line; one that finds the file
    // already there has nothing to say.
    void failedSendRecordsNothing_data() {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("line"); // after the slot's folder
        QTest::newRow("source gone") << "source gone"
                                     << "に移動できませんでした。ファイルが見つかりません。";
        QTest::newRow("folder gone") << "folder gone"
                                     << "に移動できませんでした。フォルダが見つかりません。";
        QTest::newRow("disk full") << "disk full over a same-named file"
                                   << "にコピーできませんでした。ディスクの容量が足りません。";
        QTest::newRow("hard link") << "a hard link already there"
                                   << "";
        QTest::newRow("copy onto itself") << "a copy into the source folder"
                                          << "";
    }
    void failedSendRecordsNothing() {
        QFETCH(QString, failure);
        QFETCH(QString, line);
        Run r({"a"});
        const bool full = failure.startsWith("disk full");
        r.module.CopyMode = full || failure.startsWith("a copy");
        if (failure.startsWith("a hard link"))
            QCOMPARE(::link(qPrintable(r.path("src/a")), qPrintable(r.slot(5) + "/a")), 0);
        else if (failure.startsWith("a copy"))
            r.module.FolderSlots[5] = r.path("src/.");
        else if (failure == "source gone")
            QFile::remove(r.path("src/a"));
        else if (failure == "folder gone")
            QDir(r.slot(5)).removeRecursively();
        else if (full)
            WriteFile(r.slot(5) + "/a", "other");
        std::optional<FileSizeLimit> limit;
        if (full)
            limit.emplace(0);
        r.run.send(5);
        limit.reset();
        QVERIFY(r.run.history().isEmpty());
        QCOMPARE(r.refreshes, 1); // refreshed all the same: a vanished file leaves the list
        QCOMPARE(r.failures, line.isEmpty() ? QStringList() : QStringList{r.slot(5) + line});
        QCOMPARE(ReadFile(r.path("src/a")), QByteArray(failure == "source gone" ? "" : "a"));
        if (full) { // the other file is kept, and no temporary is left behind
            QCOMPARE(ReadFile(r.slot(5) + "/a"), QByteArray("other"));
            QCOMPARE(Files(r.slot(5)), QStringList{"a"});
        }
    }

    void failureReasons_data() {
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("path"); // where the call failed, in a temporary folder
        QTest::addColumn<QString>("reason");
        const QString full = "ディスクの容量が足りません。", refused = "アクセスが拒否されました。";
        QTest::newRow("disk full") << ENOSPC << "a" << full;
        QTest::newRow("quota") << EDQUOT << "a" << full;
        QTest::newRow("too large for the disk") << EFBIG << "a" << full;
        QTest::newRow("no permission") << EACCES << "a" << refused;
        QTest::newRow("read-only disk") << EROFS << "a" << refused;
        QTest::newRow("folder gone") << ENOENT << "gone/a"
                                     << "フォルダが見つかりません。";
        QTest::newRow("file gone") << ENOENT << "a"
                                   << "ファイルが見つかりません。";
        QTest::newRow("anything else") << EIO << "a"
                                       << "ファイルを操作できませんでした。";
    }
    void failureReasons() {
        QFETCH(int, error);
        QFETCH(QString, path);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QCOMPARE(FailureReason(ErrorFromErrno(error, dir.filePath(path))), reason);
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
        QCOMPARE(r.run.history().size(), 2);
    }
};

QTEST_GUILESS_MAIN(SortingRunTest)
#include "tst_sortingrun.moc"
