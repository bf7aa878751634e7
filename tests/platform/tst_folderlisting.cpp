// The folder listing kept current by the watch must always equal a fresh
// ListFiles of the folder, whoever changed it and however, and must tell its
// observer rows that, replayed on its old names, give the new ones.
#include "platform/FileOps.h"
#include "platform/FolderListing.h"

#include "support/TestFiles.h"

#include <QtTest>

#include <cstdio>
#include <sys/stat.h>

using namespace sorvane;
using sorvane::test::WriteFile;

namespace {

// Replays what the listing tells its observer on a copy of its names.
class Mirror : public FolderListing::Observer {
public:
    const FolderListing* listing = nullptr;
    QStringList names;
    int inserted = -1;
    void beginRemove(int row) override { names.removeAt(row); }
    void endRemove() override {}
    void beginInsert(int row) override { inserted = row; }
    void endInsert() override { names.insert(inserted, listing->names().value(inserted)); }
    void beginReset() override {}
    void endReset() override { names = listing->names(); }
};

// Makes one change: commands split by ";", paths relative to the folder base.
// "many N" writes in/IMG_<i>.JPG for every i below N. Gives the first
// command that failed.
QString Change(const QDir& base, const QString& change) {
    for (const QString& command : change.split(u';')) {
        const QStringList word = command.split(u' ', Qt::SkipEmptyParts);
        const QString verb = word[0], a = base.filePath(word[1]), b = base.filePath(word.value(2));
        bool done = verb == "write"    ? WriteFile(a, "x")
                    : verb == "rm"     ? QFile::remove(a) || QDir(a).removeRecursively()
                    : verb == "mkdir"  ? QDir().mkpath(a)
                    : verb == "fifo"   ? ::mkfifo(qPrintable(a), 0600) == 0
                    : verb == "link"   ? QFile::link(a, b)
                    : verb == "rename" ? ::rename(qPrintable(a), qPrintable(b)) == 0
                                       : true;
        for (int i = 0; verb == "many" && i < word[1].toInt(); ++i)
            done &= WriteFile(base.filePath(QStringLiteral("in/IMG_%1.JPG").arg(i)), "");
        if (!done)
            return command;
    }
    return {};
}

} // namespace

class FolderListingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each change is made and refreshed in turn.
    void followsEveryChange_data() {
        QTest::addColumn<QStringList>("changes");
        QFile limit("/proc/sys/fs/inotify/max_queued_events");
        const int queued = limit.open(QIODevice::ReadOnly) ? limit.readAll().trimmed().toInt() : 0;
        // clang-format off
        // The listing's order is a quick one derived from the collator's: it
        // must agree with ListFiles' collator order.
        QTest::newRow("numbered names") << QStringList{"write in/a10; write in/a010; write in/a0; write in/a00; "
            "write in/a1b2; write in/a1b10; write in/img_0011.jpg; write in/x" + QString(240, u'7')};
        QTest::newRow("created, deleted, hidden made visible") << QStringList{"write in/IMG_0003.JPG; write in/Ärger.jpg; "
            "write in/.hidden.jpg", "rm in/c.jpg; rename in/.hidden.jpg in/d.jpg"};
        QTest::newRow("renamed within, over another, in and out") << QStringList{"rename in/写真.jpg in/a.jpg",
            "rename in/a.jpg in/IMG_0002.JPG", "rename out/target.jpg in/t.jpg; rename in/c.jpg out/c.jpg"};
        QTest::newRow("sub-folder, pipe, file replaced by a folder") << QStringList{"mkdir in/folder.jpg; "
            "fifo in/pipe.jpg", "rm in/b.jpg; mkdir in/b.jpg"};
        // A link's target may change where no watch sees it.
        QTest::newRow("links, their targets removed or made") << QStringList{"link out/target.jpg in/far.jpg; "
            "link in/gone in/dangling.jpg; link out in/dir.jpg", "rm out/target.jpg; write in/gone"};
        if (queued > 0 && queued <= 100000) // a create and a close-write a file
            QTest::newRow("more changes than the kernel queues") << QStringList{QStringLiteral("many %1").arg(queued)};
        QTest::newRow("folder renamed away, another moved in") << QStringList{"rename in old",
            "write out/new/b.jpg; rename out/new in", "write in/c.jpg"};
        QTest::newRow("folder deleted, made again") << QStringList{"rm in", "mkdir in; write in/e.jpg"};
        // clang-format on
    }

    void followsEveryChange() {
        QFETCH(QStringList, changes);
        QTemporaryDir dir;
        const QDir base(dir.filePath("p"));
        const QString in = base.filePath("in");
        const QString made =
            "mkdir in; mkdir out/new; write out/target.jpg; write in/b.jpg; write "
            "in/c.jpg; write in/IMG_0002.JPG; write in/IMG_0010.JPG; write in/写真.jpg";
        QCOMPARE(Change(base, made), QString());
        Mirror mirror;
        FolderListing listing(&mirror);
        mirror.listing = &listing;
        listing.open(in);
        for (const QString& change : changes) {
            QCOMPARE(Change(base, change), QString());
            listing.refresh();
            QVERIFY2(listing.names() == ListFiles(in), qPrintable(change));
            QVERIFY2(mirror.names == listing.names(), qPrintable(change));
        }
    }
};

QTEST_GUILESS_MAIN(FolderListingTest)
#include "tst_folderlisting.moc"
