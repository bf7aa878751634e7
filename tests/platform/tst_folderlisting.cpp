// The folder listing kept current by the watch must always equal a fresh
// ListFiles of the folder, whoever changed it and however.
#include "platform/FileOps.h"
#include "platform/FolderListing.h"

#include "support/TestFiles.h"

#include <QtTest>

#include <cstdio>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace sorvane;
using sorvane::test::WriteFile;

namespace {

// Remembers what the listing told its observer, one word a change.
class RecordingObserver : public FolderListing::Observer {
public:
    QStringList heard;
    void beginRemove(int row) override { heard.append(QStringLiteral("remove %1").arg(row)); }
    void endRemove() override {}
    void beginInsert(int row) override { heard.append(QStringLiteral("insert %1").arg(row)); }
    void endInsert() override {}
    void beginReset() override { heard.append(QStringLiteral("reset")); }
    void endReset() override {}
};

struct Step {
    const char* what;
    std::function<void()> change;
};

bool Rename(const QString& from, const QString& to) {
    return ::rename(qPrintable(from), qPrintable(to)) == 0;
}

// Makes each change, refreshes, and compares with a fresh read.
void FollowEachStep(FolderListing& listing, const std::vector<Step>& steps) {
    for (const Step& step : steps) {
        step.change();
        listing.refresh();
        QVERIFY2(listing.names() == ListFiles(listing.folder()), step.what);
    }
}

} // namespace

class FolderListingTest : public QObject {
    Q_OBJECT
private slots:
    void followsChangesMadeByAnyone() {
        QTemporaryDir dir, outside;
        const QString in = dir.path();
        for (const char* name : {"b.jpg", "IMG_0002.JPG", "IMG_0010.JPG", "写真.jpg", "c.jpg"})
            WriteFile(dir.filePath(name), "x");
        WriteFile(outside.filePath("target.jpg"), "x");
        FolderListing listing;
        listing.open(in);
        QCOMPARE(listing.names(), ListFiles(in));
        FollowEachStep(
            listing,
            {{"moved out", [&] { QVERIFY(Rename(in + "/b.jpg", outside.filePath("b.jpg"))); }},
             {"moved back", [&] { QVERIFY(Rename(outside.filePath("b.jpg"), in + "/b.jpg")); }},
             {"created", [&] { WriteFile(in + "/IMG_0003.JPG", "x"); }},
             {"created, not ASCII", [&] { WriteFile(in + "/Ärger 2.jpg", "x"); }},
             {"deleted", [&] { QVERIFY(QFile::remove(in + "/c.jpg")); }},
             {"renamed within", [&] { QVERIFY(Rename(in + "/写真.jpg", in + "/a.jpg")); }},
             {"renamed over another",
              [&] { QVERIFY(Rename(in + "/a.jpg", in + "/IMG_0002.JPG")); }},
             {"hidden file", [&] { WriteFile(in + "/.hidden.jpg", "x"); }},
             {"hidden made visible", [&] { QVERIFY(Rename(in + "/.hidden.jpg", in + "/d.jpg")); }},
             {"sub-folder", [&] { QVERIFY(QDir(in).mkdir("folder.jpg")); }},
             {"pipe", [&] { QVERIFY(::mkfifo(qPrintable(in + "/pipe.jpg"), 0600) == 0); }},
             {"link to a file", [&] { QVERIFY(QFile::link(in + "/d.jpg", in + "/link.jpg")); }},
             {"link to a folder",
              [&] { QVERIFY(QFile::link(in + "/folder.jpg", in + "/folderlink.jpg")); }},
             {"dangling link", [&] { QVERIFY(QFile::link(in + "/gone", in + "/dangling.jpg")); }},
             {"link target appears", [&] { WriteFile(in + "/gone", "x"); }},
             {"link target outside removed",
              [&] {
                  QVERIFY(QFile::link(outside.filePath("target.jpg"), in + "/far.jpg"));
                  listing.refresh();
                  QVERIFY(QFile::remove(outside.filePath("target.jpg")));
              }},
             {"file replaced by a folder",
              [&] {
                  QVERIFY(QFile::remove(in + "/d.jpg"));
                  QVERIFY(QDir(in).mkdir("d.jpg"));
              }},
             {"nothing changed", [] {}}});
    }

    void tellsTheObserverRowByRow() {
        QTemporaryDir dir;
        for (const char* name : {"a.jpg", "c.jpg", "e.jpg"})
            WriteFile(dir.filePath(name), "x");
        RecordingObserver observer;
        FolderListing listing(&observer);
        listing.open(dir.path());
        QCOMPARE(observer.heard, QStringList{"reset"});
        observer.heard.clear();
        WriteFile(dir.filePath("d.jpg"), "x");
        QVERIFY(QFile::remove(dir.filePath("a.jpg")));
        listing.refresh();
        QCOMPARE(observer.heard, (QStringList{"insert 2", "remove 0"}));
        observer.heard.clear();
        listing.refresh();
        QVERIFY(observer.heard.isEmpty());
        QCOMPARE(listing.indexOf("e.jpg"), 2);
        QCOMPARE(listing.indexOf("a.jpg"), -1);
    }

    // More events than the kernel queues: the listing must notice it lost
    // track and read the folder again.
    void readsAfreshWhenTheQueueOverflows() {
        QFile limit("/proc/sys/fs/inotify/max_queued_events");
        QVERIFY(limit.open(QIODevice::ReadOnly));
        const int queued = limit.readAll().trimmed().toInt();
        QVERIFY(queued > 0);
        if (queued > 100000)
            QSKIP("the kernel queues too many events to fill the queue quickly");
        QTemporaryDir dir;
        RecordingObserver observer;
        FolderListing listing(&observer);
        listing.open(dir.path());
        for (int i = 0; i <= queued / 2; ++i) // a create and a close-write each
            WriteFile(dir.filePath(QStringLiteral("f%1.jpg").arg(i)), "");
        QVERIFY(QFile::remove(dir.filePath("f7.jpg")));
        listing.refresh();
        QCOMPARE(listing.names(), ListFiles(dir.path()));
        QCOMPARE(observer.heard, (QStringList{"reset", "reset"}));
        WriteFile(dir.filePath("after.jpg"), "");
        listing.refresh();
        QCOMPARE(listing.names(), ListFiles(dir.path()));
    }

    void followsTheFolderPathWhenTheFolderGoes() {
        QTemporaryDir parent;
        const QString folder = parent.filePath("photos");
        QVERIFY(QDir(parent.path()).mkdir("photos"));
        WriteFile(folder + "/a.jpg", "x");
        FolderListing listing;
        listing.open(folder);
        FollowEachStep(
            listing,
            {{"folder renamed away", [&] { QVERIFY(Rename(folder, parent.filePath("old"))); }},
             {"another folder moved in",
              [&] {
                  QVERIFY(QDir(parent.path()).mkdir("new"));
                  WriteFile(parent.filePath("new/b.jpg"), "x");
                  QVERIFY(Rename(parent.filePath("new"), folder));
              }},
             {"file in the new folder", [&] { WriteFile(folder + "/c.jpg", "x"); }},
             {"parent renamed, folder made again at the path",
              [&] {
                  QVERIFY(Rename(parent.path(), parent.path() + "-moved"));
                  QVERIFY(QDir().mkpath(folder));
                  WriteFile(folder + "/d.jpg", "x");
              }},
             {"folder deleted", [&] { QVERIFY(QDir(folder).removeRecursively()); }},
             {"folder made again", [&] {
                  QVERIFY(QDir().mkpath(folder));
                  WriteFile(folder + "/e.jpg", "x");
              }}});
        QVERIFY(QDir(parent.path() + "-moved").removeRecursively());
    }

    void manyChangesAtOnce() {
        QTemporaryDir dir;
        for (int i = 0; i < 300; ++i)
            WriteFile(dir.filePath(QStringLiteral("IMG_%1.JPG").arg(i)), "");
        FolderListing listing;
        listing.open(dir.path());
        const auto change = [&](int first, int added) {
            for (int i = first; i < 300; i += 2)
                QVERIFY(QFile::remove(dir.filePath(QStringLiteral("IMG_%1.JPG").arg(i))));
            for (int i = 0; i < added; ++i)
                WriteFile(dir.filePath(QStringLiteral("x%1-%2").arg(first).arg(i)), "");
        };
        FollowEachStep(listing, {{"fewer changes than a full read costs", [&] { change(0, 20); }},
                                 {"more changes than that", [&] { change(1, 200); }}});
    }
};

QTEST_GUILESS_MAIN(FolderListingTest)
#include "tst_folderlisting.moc"
