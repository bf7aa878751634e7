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

// Whether a refresh must follow a change row by row or read the folder afresh.
enum class Path { RowByRow, Afresh, Either };

// Replays what the listing tells its observer on a copy of its names.
class Mirror : public FolderListing::Observer {
public:
    const FolderListing* listing = nullptr;
    QStringList names;
    int resets = 0;
    int inserted = -1;
    void beginRemove(int row) override { names.removeAt(row); }
    void endRemove() override {}
    void beginInsert(int row) override { inserted = row; }
    void endInsert() override { names.insert(inserted, listing->names().value(inserted)); }
    void beginReset() override { ++resets; }
    void endReset() override { names = listing->names(); }
};

// Makes one change: commands split by ";", paths relative to the folder base.
// "many+ STEP COUNT" writes in/IMG_<i>.JPG for every STEP-th i below COUNT,
// "many- STEP COUNT" removes them. Gives the first command that failed.
QString Change(const QDir& base, const QString& change) {
    for (const QString& command : change.split(u';')) {
        const QStringList word = command.split(u' ', Qt::SkipEmptyParts);
        const QString verb = word[0], a = base.filePath(word[1]), b = base.filePath(word.value(2));
        bool done = verb == "write"    ? WriteFile(a, "x")
                    : verb == "rm"     ? QFile::remove(a) || QDir(a).removeRecursively()
                    : verb == "mkdir"  ? QDir().mkpath(a)
                    : verb == "fifo"   ? ::mkfifo(qPrintable(a), 0600) == 0
                    : verb == "link"   ? QFile::link(a, b)
                    : verb == "rename" ? ::rename(qPrintable(a), qPrintable(b)) == 0 // as others do
                    : verb == "move"   ? MoveReplacing(a, b) == FileError::None      // as we do
                                       : true;
        for (int i = 0; verb.startsWith("many") && i < word[2].toInt(); i += word[1].toInt()) {
            const QString path = base.filePath(QStringLiteral("in/IMG_%1.JPG").arg(i));
            done &= verb == "many+" ? WriteFile(path, "") : QFile::remove(path);
        }
        if (!done)
            return command;
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Path)

class FolderListingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each change is made and refreshed in turn.
    void followsEveryChange_data() {
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<Path>("path");
        const auto add = [](const char* row, const QStringList& changes, Path path) {
            QTest::newRow(row) << changes << path;
        };
        QFile limit("/proc/sys/fs/inotify/max_queued_events");
        const int queued = limit.open(QIODevice::ReadOnly) ? limit.readAll().trimmed().toInt() : 0;
        // clang-format off
        add("our own move out and back", {"move in/b.jpg out/b.jpg", "move out/b.jpg in/b.jpg"}, Path::RowByRow);
        add("created, deleted, hidden made visible", {"write in/IMG_0003.JPG; write in/Ärger.jpg; write in/.hidden.jpg",
            "rm in/c.jpg; rename in/.hidden.jpg in/d.jpg"}, Path::RowByRow);
        add("renamed within, then over another", {"rename in/写真.jpg in/a.jpg", "rename in/a.jpg in/IMG_0002.JPG"}, Path::RowByRow);
        add("renamed into and out of the folder", {"rename out/target.jpg in/t.jpg", "rename in/c.jpg out/c.jpg"}, Path::RowByRow);
        add("sub-folder, pipe, file replaced by a folder", {"mkdir in/folder.jpg; fifo in/pipe.jpg",
            "rm in/b.jpg; mkdir in/b.jpg"}, Path::RowByRow);
        // A link's target may change where no watch sees it.
        add("links, their targets removed or made", {"link out/target.jpg in/far.jpg; link in/gone in/dangling.jpg; "
            "link out in/dir.jpg", "rm out/target.jpg; write in/gone"}, Path::RowByRow);
        add("many changes, one by one", {"many+ 3 300", "many- 6 300"}, Path::RowByRow);
        add("more changes than one by one", {"many+ 1 300"}, Path::Afresh);
        if (queued > 0 && queued <= 100000) // a create and a close-write a file
            add("more changes than the kernel queues", {QStringLiteral("many+ 1 %1").arg(queued)}, Path::Afresh);
        add("folder renamed away, another moved in", {"rename in old", "write out/new/b.jpg; rename out/new in",
            "write in/c.jpg"}, Path::Either);
        add("parent renamed, folder made again", {"rename ../p ../q; mkdir in; write in/d.jpg", "write in/e.jpg"}, Path::Either);
        add("folder deleted, made again", {"rm in", "mkdir in; write in/e.jpg"}, Path::Either);
        // clang-format on
    }

    void followsEveryChange() {
        QFETCH(QStringList, changes);
        QFETCH(Path, path);
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
            mirror.resets = 0;
            QCOMPARE(Change(base, change), QString());
            listing.refresh();
            QVERIFY2(listing.names() == ListFiles(in), qPrintable(change));
            QVERIFY2(mirror.names == listing.names(), qPrintable(change));
            if (path != Path::Either)
                QVERIFY2((mirror.resets > 0) == (path == Path::Afresh), qPrintable(change));
        }
    }
};

QTEST_GUILESS_MAIN(FolderListingTest)
#include "tst_folderlisting.moc"
