// The send journal on a real SQLite file: what each operation records, the
// take-back across a restart and its refusals, the bound, a journal that
// cannot be written, and a run killed while it sends.
#include "journal/SendJournal.h"
#include "journal/TakeBackEntries.h"
#include "platform/NativeName.h"
#include "platform/Paths.h"
#include "sorting/FailureText.h"
#include "sorting/RunOnFiles.h"
#include "support/Rows.h"
#include "support/TemporaryTrash.h"

#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

FileIdentity IdentityAt(const QString& path) {
    FileIdentity identity;
    IdentityOf(path, &identity);
    return identity;
}

JournalEvent Moved(const QString& from, const QString& to = "/x") {
    return {JournalAction::Move, from, to, 1, {}, IdentityAt(to)};
}

} // namespace

class SendJournalTest : public QObject {
    Q_OBJECT
    std::optional<TemporaryTrash> trash;

private Q_SLOTS:
    void init() { trash.emplace(); }
    void cleanup() { trash.reset(); }

    // A name that is not UTF-8 is kept as its bytes and found again by them.
    void nameBytesSurvive() {
        JournalRun r({});
        const QByteArray name = "caf\xe9 \xff.jpg"; // Latin-1, as an old camera card holds it
        const QByteArray src = ToNativeName(r.path("src"));
        QVERIFY(WriteNativeFile(src + "/" + name, "x"));
        r.listChanged();
        r.run.send(2);
        const SendJournal::Entry sent = r.all().value(0);
        QCOMPARE(ToNativeName(sent.event.destination), ToNativeName(r.slot(2)) + "/" + name);
        QVERIFY(r.takeBack(sent.id).done);
        QCOMPARE(NativeFiles(src), QList<QByteArray>{name});
        ::unlink((src + "/" + name).constData()); // QDir cannot
    }

    // Each send leaves one row saying what it did, from where to where, and
    // what it set aside. After a restart the journal still takes the send
    // back as the undo does, records the take-back, and refuses a second one.
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
        const TakeBackResult again = r.takeBack(sent.id);
        QVERIFY2(!again.done && again.message == "すでに取り消してあります。",
                 qPrintable(again.message));
    }

    // A take-back is refused, touching nothing, when the file at the
    // destination is gone or is no longer the file sent there, and for
    // entries that are no sends.
    void takeBackRefused_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("refusal");
        const char* const gone = "送り先にファイルがありません。";
        const char* const other = "送り先のファイルが送ったときのファイルではありません。";
        AddRows({{"gone", "gone", gone},
                 {"sent on elsewhere", "sent on", gone},
                 {"edited", "edited", other},
                 {"look-alike: same bytes and time", "look-alike", other},
                 {"a delete", "delete", "削除したファイルは戻せません。"},
                 {"an undo", "undo", "取り消しの記録は戻せません。"},
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
        if (change == "sent on" || change == "look-alike")
            QVERIFY(QFile::rename(sent, r.slot(2) + "/a.jpg"));
        if (change == "edited")
            QVERIFY(WriteFile(sent, "a.jpg, edited"));
        if (change == "look-alike") { // another file, same size and time: only the inode differs
            QVERIFY(WriteFile(sent, "a.jpg"));
            const timespec times[2] = {recorded.st_atim, recorded.st_mtim};
            QCOMPARE(::utimensat(AT_FDCWD, qPrintable(sent), times, 0), 0);
        }
        if (change == "delete")
            QVERIFY(r.journal->record({JournalAction::Delete, sent, {}, -1, {}, IdentityAt(sent)}));
        if (change == "undo" || change == "undone")
            r.run.undo();
        const QStringList before = Files(r.slot(1)) + Files(r.path("src"));
        const TakeBackResult result =
            r.takeBack((change == "undone" ? r.all().last() : r.all().first()).id);
        QVERIFY(!result.done && result.name == "a.jpg");
        QTEST(result.message, "refusal");
        QCOMPARE(Files(r.slot(1)) + Files(r.path("src")), before);
    }

    // No file is made until there is something to record: looking does not
    // make one. The journal keeps the newest entries up to its bound, also
    // when it is opened with a smaller bound than it was written with.
    void madeAtTheFirstRecordAndKeepsItsBound() {
        QTemporaryDir dir;
        const QString path = dir.filePath("state/sorvane/journal.sqlite");
        {
            SendJournal journal(path);
            QCOMPARE(journal.entries({}).size() + journal.count(), 0);
            QVERIFY(!QFile::exists(path));
            for (int i = 0; i < 12; ++i)
                QVERIFY(journal.record(Moved(dir.filePath(QString::number(i)))));
            QCOMPARE(journal.count(), 12);
        }
        SendJournal journal(path, 5);
        QCOMPARE(journal.count(), 5);
        QVERIFY(journal.record(Moved(dir.filePath("12"))));
        QCOMPARE(journal.count(), 5);
        QStringList names;
        for (const SendJournal::Entry& entry : journal.entries({}))
            names.append(FileNameOf(entry.event.source));
        QCOMPARE(names, (QStringList{"12", "11", "10", "9", "8"}));
    }

    // Filters combine; the name filter ignores case; paging goes on where
    // the last page ended.
    void filtersAndPages() {
        QTemporaryDir dir;
        SendJournal journal(dir.filePath("j.sqlite"));
        for (int i = 0; i < 7; ++i) {
            const QString name = QString("IMG_%1.JPG").arg(i);
            QVERIFY(journal.record(Moved(dir.filePath("src/" + name),
                                         dir.filePath((i % 2 ? "odd/" : "even/") + name))));
        }
        SendJournal::Filter odd{dir.filePath("odd"), {}, {}};
        QCOMPARE(journal.entries(odd).size(), 3);
        odd.name = "img_3";
        QCOMPARE(journal.entries(odd).size(), 1);
        odd.day = QDate::currentDate().addDays(-1);
        QCOMPARE(journal.entries(odd).size(), 0);
        odd.day = QDate::currentDate();
        QCOMPARE(journal.entries(odd).size(), 1);
        const QList<SendJournal::Entry> first = journal.entries({}, 0, 4);
        const QList<SendJournal::Entry> rest = journal.entries({}, first.last().id, 4);
        QVERIFY(first.size() + rest.size() == 7 && rest.first().id < first.last().id);
        QCOMPARE(journal.destinationFolders(),
                 (QStringList{dir.filePath("even"), dir.filePath("odd")}));
    }

    // A journal that cannot be written never stops a send: the file is
    // placed and the window is told the journal missed it.
    void unwritableJournalDoesNotStopTheSend_data() {
        QTest::addColumn<bool>("folder");
        QTest::newRow("a folder in the file's place") << true;
        QTest::newRow("a file in its folder's place") << false;
    }
    void unwritableJournalDoesNotStopTheSend() {
        QFETCH(bool, folder);
        Run r({"a.jpg", "b.jpg"});
        const QString path = r.path(folder ? "journal.sqlite" : "state/sorvane/journal.sqlite");
        QVERIFY(folder ? QDir().mkpath(path) : WriteFile(r.path("state"), "not a folder"));
        SendJournal journal(path);
        r.run.setRecorder(&journal);
        r.run.send(1);
        r.run.undo();
        r.run.send(2);
        QVERIFY(!journal.isOpen());
        QCOMPARE(Files(r.slot(2)) + Files(r.path("src")), (QStringList{"a.jpg", "b.jpg"}));
        QCOMPARE(r.failures, QStringList(3, JournalFailedText()));
    }

    // A run killed at any moment of its sends leaves a journal that agrees
    // with the disk or is one send behind: never a row for a file that is
    // not at its destination, never two files unrecorded.
    void killedRunLeavesJournalBehindNeverAhead() {
        QStringList names;
        for (int i = 0; i < 200; ++i)
            names.append(QString("p%1.jpg").arg(i, 3, 10, QChar('0')));
        for (int kill = 0; kill < 8; ++kill) {
            JournalRun r(names);
            r.journal.reset(); // the child opens its own
            const pid_t child = ::fork();
            if (child == 0) {
                SendJournal journal(r.journalPath);
                r.run.setRecorder(&journal);
                for (int i = 0; i < 200; ++i)
                    r.run.send(i % 10);
                ::_exit(0);
            }
            ::usleep(useconds_t(QRandomGenerator::global()->bounded(2000, 60000)));
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
            SendJournal journal(r.journalPath);
            const QList<SendJournal::Entry> entries = journal.entries({}, 0, 1000);
            QVERIFY(journal.isOpen() || !QFile::exists(r.journalPath)); // killed before a send
            int placed = 0;
            for (int i = 0; i < 10; ++i)
                placed += int(Files(r.slot(i)).size());
            for (const SendJournal::Entry& entry : entries)
                QVERIFY2(IsRegularFile(entry.event.destination),
                         qPrintable(entry.event.destination));
            QVERIFY2(placed == entries.size() || placed == entries.size() + 1,
                     qPrintable(QString("%1 placed, %2 recorded").arg(placed).arg(entries.size())));
        }
    }
};

QTEST_GUILESS_MAIN(SendJournalTest)
#include "tst_sendjournal.moc"
