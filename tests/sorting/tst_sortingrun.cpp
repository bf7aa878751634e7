// The sorting run on real files, without a window.
#include "sorting/SortingRun.h"

#include "platform/FileOps.h"
#include "settings/Module1.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QtTest>

#include <unistd.h>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// A source folder "src" and slot folders "0".."9" and "bulk" in a temporary
// folder. The window part lists the source as the file list does: read
// again only when the run says files came or went.
struct Run : SortingRun::Window {
    QTemporaryDir dir;
    Module1 module;
    ScriptedPrompts prompts;
    SortingRun run{module, prompts, *this};
    std::function<void()> onEvents; // presses that arrive while a send waits
    int refreshes = 0;
    QStringList listed;

    explicit Run(const QStringList& files) {
        QDir(dir.path()).mkdir("src");
        for (int i = 0; i < SlotCount; ++i) {
            module.FolderSlots[size_t(i)] = slot(i);
            QDir().mkpath(slot(i));
        }
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
};

} // namespace

class SortingRunTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
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
        QCOMPARE(Files(r.slot(1)), QStringList{"a"});
        QCOMPARE(Files(r.slot(2)), QStringList{"b"});
        QVERIFY(Files(r.slot(3)).isEmpty()); // c went there and came back
        QCOMPARE(Files(r.path("src")), (QStringList{"c", "d"}));
        QCOMPARE(r.run.history().size(), 2);
        QCOMPARE(waitingMeanwhile, 3); // queued, not run inside the first send
    }

    void historyKeepsTheLastTenSends() {
        Run r({"00", "01", "02", "03", "04", "05", "06", "07", "08", "09", "10"});
        for (int i = 0; i < 11; ++i)
            r.run.send(i % 10);
        for (int i = 0; i < 12; ++i)
            r.run.undo();
        QCOMPARE(Files(r.slot(0)), QStringList{"00"});
        QCOMPARE(Files(r.path("src")).size(), 10);
        QVERIFY(r.run.history().isEmpty());
    }

    void copyModeKeepsTheSourceExceptForBulkDelete_data() {
        QTest::addColumn<int>("copyMode");
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("sameFolderAsBulk");
        QTest::addColumn<bool>("sourceKept");
        QTest::newRow("move") << 0 << 2 << false << false;
        QTest::newRow("copy") << 1 << 2 << false << true;
        QTest::newRow("copy into the bulk-delete slot") << 1 << 10 << false << false;
        QTest::newRow("copy into a slot showing the bulk folder") << 1 << 2 << true << false;
    }
    void copyModeKeepsTheSourceExceptForBulkDelete() {
        QFETCH(int, copyMode);
        QFETCH(int, slot);
        QFETCH(bool, sameFolderAsBulk);
        QFETCH(bool, sourceKept);
        Run r({"a", "b"});
        r.module.CopyMode = Flag(copyMode);
        if (sameFolderAsBulk)
            r.module.FolderSlots[size_t(slot)] = r.slot(BulkDeleteSlot);
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
    }

    void failedSendRecordsNothing_data() {
        QTest::addColumn<QString>("failure");
        QTest::newRow("slot folder gone") << "folder";
        QTest::newRow("source gone") << "source";
        QTest::newRow("a folder of that name in the slot") << "refused";
        QTest::newRow("disk full over a same-named file") << "full";
        QTest::newRow("a hard link of the file already there") << "link";
        QTest::newRow("a copy into the source folder itself") << "itself";
    }
    void failedSendRecordsNothing() {
        QFETCH(QString, failure);
        Run r({"a"});
        r.module.CopyMode = failure == "full" || failure == "itself";
        if (failure == "link")
            QCOMPARE(::link(qPrintable(r.path("src/a")), qPrintable(r.slot(5) + "/a")), 0);
        else if (failure == "itself")
            r.module.FolderSlots[5] = r.path("src/.");
        else if (failure == "folder")
            QDir(r.slot(5)).removeRecursively();
        else if (failure == "source")
            QFile::remove(r.path("src/a"));
        else if (failure == "refused")
            QDir().mkpath(r.slot(5) + "/a");
        std::optional<FileSizeLimit> full;
        if (failure == "full") {
            WriteFile(r.path("src/a"), QByteArray(4096, 's'));
            WriteFile(r.slot(5) + "/a", "other");
            full.emplace(1024);
        }
        r.run.send(5);
        full.reset();
        QVERIFY(r.run.history().isEmpty());
        QCOMPARE(r.refreshes, 1); // refreshed all the same: a vanished file leaves the list
        QCOMPARE(r.firstName().isEmpty(), failure == "source");
        if (failure == "link" || failure == "itself")
            QCOMPARE(ReadFile(r.path("src/a")), QByteArray("a")); // the file is not lost either
        if (failure == "full") {
            r.run.undo(); // nothing to undo: the other file never overwrites the source
            QCOMPARE(ReadFile(r.slot(5) + "/a"), QByteArray("other"));
            QCOMPARE(Files(r.slot(5)), QStringList{"a"}); // no temporary left behind
        }
    }

    void sameNameIsAsked() {
        Run r({"a", "b", "c"});
        r.module.ConfirmSameName = 1;
        WriteFile(r.slot(1) + "/a", "older a");
        WriteFile(r.slot(1) + "/B", "a name that differs in case");
        r.prompts.Answer(PromptAnswer::Cancel);
        r.run.send(1);
        QCOMPARE(r.prompts.asked.size(), 1);
        QCOMPARE(r.prompts.asked[0].title, QStringLiteral("Sorvane"));
        QCOMPARE(r.prompts.asked[0].text, QStringLiteral("同名のファイルがあります移動しますか？"));
        QCOMPARE(r.prompts.asked[0].buttons, PromptButtons::OkCancel);
        QCOMPARE(ReadFile(r.slot(1) + "/a"), QByteArray("older a"));
        QVERIFY(r.run.history().isEmpty());
        r.prompts.Answer(PromptAnswer::Ok);
        r.run.send(1);
        QCOMPARE(ReadFile(r.slot(1) + "/a"), QByteArray("a"));
        r.run.send(1); // b: no question
        QCOMPARE(r.prompts.asked.size(), 2);
        QCOMPARE(Files(r.slot(1)), (QStringList{"B", "a", "b"}));
    }
};

QTEST_GUILESS_MAIN(SortingRunTest)
#include "tst_sortingrun.moc"
