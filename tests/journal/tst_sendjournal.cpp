// The send journal on a real SQLite file: what each operation records, the
// take-back across a restart and its refusals, the bound, and a journal that
// cannot be written.
#include "journal/SendJournal.h"
#include "journal/TakeBackEntries.h"
#include "platform/Paths.h"
#include "sorting/FailureText.h"
#include "sorting/RunOnFiles.h"
#include "support/Rows.h"
#include "support/TemporaryTrash.h"

#include <QtTest>

#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// A run whose sends and undos go into a journal file beside its folders.
struct JournalRun : Run {
    QString journalPath = path("journal/journal.sqlite");
    std::unique_ptr<SendJournal> journal = std::make_unique<SendJournal>(journalPath);

    explicit JournalRun(const QStringList& files) : Run(files) { run.setRecorder(journal.get()); }
    // The program started again: a new journal object on the same file.
    void restart() {
        run.setRecorder(nullptr);
        journal = std::make_unique<SendJournal>(journalPath);
        run.setRecorder(journal.get());
    }
    QList<SendJournal::Entry> all() const { return journal->entries({}, 0, 1000); }
    TakeBackResult takeBack(qint64 id) const { return TakeBackEntries(*journal, {id}).value(0); }
};

JournalEvent Moved(const QString& from) {
    return {JournalAction::Move, from, "/x", 1, {}, {}};
}

} // namespace

class SendJournalTest : public QObject {
    Q_OBJECT
    std::optional<TemporaryTrash> trash;

private Q_SLOTS:
    void init() { trash.emplace(); }
    void cleanup() { trash.reset(); }

    // Each send leaves one row saying what it did, from where to where, and
    // what it set aside. After a restart the journal still takes the send
    // back as the undo does, and records the take-back against the send.
    void takeBackAfterRestart_data() {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"move", "copy", "replacing"})
            QTest::newRow(kind) << QString(kind);
    }
    void takeBackAfterRestart() {
        QFETCH(QString, kind);
        JournalRun r({"a.jpg", "b.jpg"});
        r.module.CopyMode = kind == "copy";
        const bool replacing = kind == "replacing";
        QVERIFY(!replacing || WriteFile(r.slot(4) + "/a.jpg", "older"));
        r.run.send(4);
        r.run.send(5);
        r.restart();
        const SendJournal::Entry sent = r.all().last();
        QCOMPARE(sent.event.action, kind == "copy" ? JournalAction::Copy : JournalAction::Move);
        QCOMPARE(sent.event.source + " > " + sent.event.destination,
                 r.source("a.jpg") + " > " + r.slot(4) + "/a.jpg");
        QVERIFY(sent.event.slot == 4 && sent.event.replaced.isEmpty() != replacing);
        const TakeBackResult result = r.takeBack(sent.id);
        QVERIFY2(result.done && result.message.isEmpty(), qPrintable(result.message));
        QCOMPARE(ReadFile(r.source("a.jpg")), "a.jpg");
        QCOMPARE(ReadFile(r.slot(4) + "/a.jpg"), replacing ? "older" : QByteArray());
        QCOMPARE(Files(r.slot(4)), replacing ? QStringList{"a.jpg"} : QStringList());
        // the other send stays (a copy copies the first file again)
        QCOMPARE(Files(r.slot(5)), QStringList{kind == "copy" ? "a.jpg" : "b.jpg"});
        r.restart();
        const QList<SendJournal::Entry> entries = r.all();
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries[0].event.action, JournalAction::TakeBack);
        QVERIFY(entries[0].event.reverses == sent.id && entries[2].reversedBy == entries[0].id);
    }

    // A take-back is refused, touching nothing, when the file at the
    // destination is gone or is no longer the file sent there, or the send
    // was undone already.
    void takeBackRefused_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("refusal");
        const char* const gone = "送り先にファイルがありません。";
        const char* const other = "送り先のファイルが送ったときのファイルではありません。";
        AddRows({{"gone", "gone", gone},
                 {"edited", "edited", other},
                 {"look-alike: same bytes and time", "look-alike", other},
                 {"a send the run undid", "undone", "すでに取り消してあります。"}});
    }
    void takeBackRefused() {
        QFETCH(QString, change);
        JournalRun r({"a.jpg"});
        r.run.send(1);
        const QString sent = r.slot(1) + "/a.jpg";
        struct stat recorded;
        QCOMPARE(::stat(qPrintable(sent), &recorded), 0);
        if (change == "gone")
            QVERIFY(QFile::remove(sent));
        if (change == "look-alike")
            QVERIFY(QFile::rename(sent, r.slot(2) + "/a.jpg"));
        if (change == "edited")
            QVERIFY(WriteFile(sent, "a.jpg, edited"));
        if (change == "look-alike") { // another file, same size and time: only the inode differs
            QVERIFY(WriteFile(sent, "a.jpg"));
            const timespec times[2] = {recorded.st_atim, recorded.st_mtim};
            QCOMPARE(::utimensat(AT_FDCWD, qPrintable(sent), times, 0), 0);
        }
        if (change == "undone")
            r.run.undo();
        const QStringList before = Files(r.slot(1)) + Files(r.path("src"));
        const TakeBackResult result =
            r.takeBack((change == "undone" ? r.all().last() : r.all().first()).id);
        QVERIFY(!result.done && result.name == "a.jpg");
        QTEST(result.message, "refusal");
        QCOMPARE(Files(r.slot(1)) + Files(r.path("src")), before);
    }

    // No file is made until there is something to record: looking does not
    // make one. The journal keeps the newest entries up to its bound.
    void madeAtTheFirstRecordAndKeepsItsBound() {
        QTemporaryDir dir;
        const QString path = dir.filePath("state/sorvane/journal.sqlite");
        SendJournal journal(path, 5);
        QCOMPARE(journal.entries({}).size() + journal.count(), 0);
        QVERIFY(!QFile::exists(path));
        for (int i = 0; i < 7; ++i)
            QVERIFY(journal.record(Moved(dir.filePath(QString::number(i)))));
        QStringList names;
        for (const SendJournal::Entry& entry : journal.entries({}))
            names.append(FileNameOf(entry.event.source));
        QCOMPARE(names, (QStringList{"6", "5", "4", "3", "2"}));
    }

    // A journal that cannot be written never stops a send: the file is
    // placed and the window is told the journal missed it.
    void unwritableJournalDoesNotStopTheSend() {
        Run r({"a.jpg", "b.jpg"});
        const QString path = r.path("journal.sqlite"); // a folder in the file's place
        QVERIFY(QDir().mkpath(path));
        SendJournal journal(path);
        r.run.setRecorder(&journal);
        r.run.send(1);
        r.run.undo();
        r.run.send(2);
        QVERIFY(!journal.isOpen());
        QCOMPARE(Files(r.slot(2)) + Files(r.path("src")), (QStringList{"a.jpg", "b.jpg"}));
        QCOMPARE(r.failures, QStringList(3, JournalFailedText()));
    }
};

QTEST_GUILESS_MAIN(SendJournalTest)
#include "tst_sendjournal.moc"
