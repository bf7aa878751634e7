// Sends and settings saves under faults, on real file systems: a full disk,
// a read-only folder, a source that vanished, a folder removed or replaced by
// a file, a memory card's exFAT that folds case and has no unnamed files, a
// volume with a trash of its own, and kills at random points. Afterwards
// every file is still there and whole, and no hidden file of the program is
// left once it has been back.
#include "platform/Trash.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsLine.h"
#include "sorting/RunOnFiles.h"
#include "sorting/SendOperations.h"
#include "support/TemporaryMount.h"
#include "support/TemporaryTrash.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QRandomGenerator>
#include <QtTest>

#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// Checksums of every file under the folders, hidden ones too, by path.
QMap<QString, QByteArray> Contents(const QStringList& folders) {
    QMap<QString, QByteArray> sums;
    for (const QString& folder : folders)
        for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
             it.hasNext();) {
            const QString path = it.next(); // before the hash: the right side is read first
            sums[path] = QCryptographicHash::hash(ReadFile(path), QCryptographicHash::Sha1);
        }
    return sums;
}

int OwnFilesIn(const QString& folder) {
    return QDir(folder).entryList({".sorvane-*"}, QDir::Files | QDir::Hidden).size();
}

// A 32 MiB exFAT memory card for one test: an image formatted in a temporary
// folder and mounted through a loop device by exfat-fuse (the kernel here may
// have no FAT or exFAT driver), taken down however the test ends; the loop
// device goes with the mount.
struct Card {
    QTemporaryDir dir;
    QString path = dir.filePath("card"), refusal; // why it could not be mounted; empty when it is
    Card() {
        QFile image(dir.filePath("card.img"));
        const QByteArray name = QFile::encodeName(image.fileName()),
                         log = QFile::encodeName(dir.filePath("log"));
        if (!QDir().mkpath(path) || !image.open(QIODevice::WriteOnly) || !image.resize(32 << 20) ||
            std::system("(mkfs.exfat " + name + " && mount -o loop -t exfat-fuse " + name + ' ' +
                        QFile::encodeName(path) + ") >" + log + " 2>&1") != 0)
            refusal = "no card: " + QString::fromLocal8Bit(ReadFile(log).trimmed());
    }
    ~Card() {
        if (refusal.isEmpty() && ::umount2(QFile::encodeName(path), 0) != 0)
            ::umount2(QFile::encodeName(path), MNT_DETACH); // still busy: gone once let go
    }
};

// The seed of the kill times: SORVANE_FAULT_SEED, or a new one each run,
// printed at the start so a run that found a fault can be drawn again
// (the kills then come at the same delays; how far the work got by then
// still varies with the machine's load).
quint32 KillSeed() {
    static const quint32 seed = qEnvironmentVariableIsSet("SORVANE_FAULT_SEED")
                                    ? quint32(qEnvironmentVariableIntValue("SORVANE_FAULT_SEED"))
                                    : QRandomGenerator::system()->generate() & 0x7fffffff;
    return seed;
}

int Kills() {
    const int asked = qEnvironmentVariableIntValue("SORVANE_FAULT_KILLS");
    return asked > 0 ? asked : 12;
}

// Runs work() in a child process and kills it after a random time up to
// withinUs microseconds; with none, lets it end. Gives the time it ran.
qint64 KillDuring(std::optional<qint64> withinUs, const std::function<void()>& work) {
    static QRandomGenerator times(KillSeed());
    QElapsedTimer clock;
    clock.start();
    const pid_t child = ::fork();
    if (child == 0) {
        work();
        ::_exit(0);
    }
    if (withinUs) {
        ::usleep(useconds_t(times.bounded(*withinUs + 1)));
        ::kill(child, SIGKILL);
    }
    ::waitpid(child, nullptr, 0);
    return clock.nsecsElapsed() / 1000;
}

// The kill-th run of work among several: the first runs to its end and
// gives the time it takes, every later one is killed within a little more.
qint64 KillRun(int kill, qint64 tookUs, const std::function<void()>& work) {
    return kill == 0 ? KillDuring({}, work) : (KillDuring(tookUs * 6 / 5, work), tookUs);
}

// A send onto a card: whether the same-name question is on and answered
// OK, whether the file comes from the card itself (or from the disk, copied
// across), and whether the card's trash cannot be made.
struct CardSend {
    bool question, ok, fromCard, noTrash;
};

} // namespace

class FaultsTest : public QObject {
    Q_OBJECT
    std::optional<TemporaryTrash> homeTrash;

private Q_SLOTS:
    void initTestCase() { qInfo("kill times drawn with SORVANE_FAULT_SEED=%u", KillSeed()); }
    void init() { homeTrash.emplace(); }
    void cleanup() {
        homeTrash.reset();
        SetUnnamedFilesAllowed(true);
    }

    // A send that cannot be done changes nothing: the source and the file of
    // the same name in the destination stay as they were. It records no undo,
    // says why in one line, and the list is read again.
    void failedSendChangesNothing_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("unnamed"); // or staged under a hidden name, in copy mode
        QTest::addColumn<QString>("line");
        const auto row = [](const char* name, const char* fault, bool unnamed, const char* why) {
            QTest::newRow(name) << fault << unnamed
                                << (unnamed ? "に移動" : "にコピー") +
                                       QString("できませんでした。") + why;
        };
        row("disk full", "full", true, "ディスクの容量が足りません。");
        row("disk full, named staging", "full", false, "ディスクの容量が足りません。");
        row("read-only destination", "read-only", true, "アクセスが拒否されました。");
        row("vanished source", "vanished", true, "ファイルが見つかりません。");
        row("destination removed", "removed", true, "フォルダが見つかりません。");
        row("destination replaced by a file", "file", true, "フォルダが見つかりません。");
    }
    void failedSendChangesNothing() {
        QFETCH(QString, fault);
        QFETCH(bool, unnamed);
        QFETCH(QString, line);
        Run r({"a.jpg"});
        const QString to = r.slot(1);
        r.module.CopyMode = !unnamed;
        WriteFile(r.source("a.jpg"), QByteArray(2 << 20, 'a'));
        WriteFile(to + "/a.jpg", "older");
        std::optional<TemporaryMount> mount;
        if (fault == "full" || fault == "read-only")
            REQUIRE_MOUNTED(mount.emplace(to, fault == "read-only").refusal);
        if (fault == "full")
            WriteFile(to + "/a.jpg", "older"); // on the new file system
        if (fault == "vanished")
            QFile::remove(r.source("a.jpg"));
        if (fault == "removed" || fault == "file")
            QVERIFY(QDir(to).removeRecursively() &&
                    (fault == "removed" || WriteFile(to, "a file where the folder was")));
        const auto before = Contents({r.dir.path(), homeTrash->dataHome()});
        SetUnnamedFilesAllowed(unnamed);
        r.run.send(1);
        QCOMPARE(Contents({r.dir.path(), homeTrash->dataHome()}), before);
        QVERIFY(r.run.history().isEmpty());
        QCOMPARE(r.failures, QStringList{to + line});
        QCOMPARE(r.refreshes, 1); // a file that vanished leaves the list
    }

    // A move between two file systems killed at random points: the file is
    // whole at its source or its destination (or both, between the copy and
    // the removal), and nothing else is left once a send came into the folder.
    void killedMoveLosesNothing_data() {
        QTest::addColumn<bool>("unnamed");
        QTest::addColumn<bool>("toMemory"); // onto the memory file system, or from it
        QTest::newRow("unnamed, to memory") << true << true;
        QTest::newRow("unnamed, from memory") << true << false;
        QTest::newRow("named, to memory") << false << true;
    }
    void killedMoveLosesNothing() {
        QFETCH(bool, unnamed);
        QFETCH(bool, toMemory);
        QTemporaryDir disk, memory(QStringLiteral("/dev/shm/sorvane-XXXXXX"));
        if (!memory.isValid() || !OnSeparateFileSystems(disk.path(), memory.path()))
            QSKIP("no second file system in /dev/shm to move across");
        const QString from = (toMemory ? disk : memory).path() + '/',
                      to = (toMemory ? memory : disk).path() + '/';
        SetUnnamedFilesAllowed(unnamed);
        const QByteArray picture = QByteArray(8 << 20, 'p') + QByteArray::number(unnamed);
        qint64 tookUs = 0;
        for (int kill = 0; kill <= Kills(); ++kill) {
            const QString name = QStringLiteral("p%1.jpg").arg(kill);
            WriteFile(from + name, picture);
            tookUs = KillRun(kill, tookUs, [&] { PlaceFile(from + name, to + name, false, true); });
            QVERIFY(!unnamed || OwnFilesIn(to) == 0);
            Run next({}); // a send of nothing that only comes into the folder
            next.module.FolderSlots[1] = to;
            next.run.send(1);
            QCOMPARE(OwnFilesIn(to), 0);
            const QByteArray there = ReadFile(to + name), here = ReadFile(from + name);
            QVERIFY(there == picture || here == picture);
            QVERIFY((there.isEmpty() || there == picture) && (here.isEmpty() || here == picture));
            QFile::remove(from + name);
            QFile::remove(to + name);
        }
    }

    // A settings save killed at random points leaves the old or the new
    // settings file whole, and the next save clears what it left.
    void killedSaveLosesNothing_data() {
        QTest::addColumn<bool>("unnamed");
        QTest::newRow("unnamed") << true;
        QTest::newRow("named") << false;
    }
    void killedSaveLosesNothing() {
        QFETCH(bool, unnamed);
        QTemporaryDir dir;
        Module1 module;
        module.ProgramFolder = dir.path();
        ApplyDefaults(module);
        QVERIFY(SaveSettingsFile(module));
        const QByteArray first = FormatSettingsLine(module);
        module.SourceFolder = dir.path();
        const QByteArray second = FormatSettingsLine(module);
        SetUnnamedFilesAllowed(unnamed);
        for (int kill = 0; kill < Kills(); ++kill) {
            KillDuring(20000, [&module] {
                for (;;)
                    SaveSettingsFile(module);
            });
            const QByteArray saved = ReadFile(SettingsFilePath(module));
            QVERIFY(saved == first || saved == second);
        }
        QVERIFY(SaveSettingsFile(module));
        QCOMPARE(Files(dir.path()), QStringList{"Sorvane.ini"});
    }

    // A card folds case: its "IMG_0001.JPG" is what "IMG_0001.jpg" names.
    // With the question on it is asked first; either way the camera's file
    // goes to the card's own trash (the home's is on another file system)
    // under its own name, or where no trash can take it (the trash's name is
    // taken by a file) stays beside and the window says so. A refused undo
    // (another file has the sent one's name at home) keeps it and its entry;
    // the next undo, once the way is clear, brings it back under its name.
    void caseFoldingSlotAsksAndKeepsTheOtherFile_data() {
        QTest::addColumn<CardSend>("c");
        QTest::newRow("question on, OK") << CardSend{true, true, true, false};
        QTest::newRow("question on, Cancel") << CardSend{true, false, true, false};
        QTest::newRow("question on, OK, from the disk") << CardSend{true, true, false, false};
        QTest::newRow("question off") << CardSend{false, false, true, false};
        QTest::newRow("question off, from the disk") << CardSend{false, false, false, false};
        QTest::newRow("no trash on the card") << CardSend{false, false, true, true};
    }
    void caseFoldingSlotAsksAndKeepsTheOtherFile() {
        QFETCH(CardSend, c);
        const auto [question, ok, fromCard, noTrash] = c;
        Card card;
        REQUIRE_MOUNTED(card.refusal);
        Run r({"IMG_0001.jpg"}, fromCard ? card.path : QDir::tempPath());
        const QString slot = card.path + "/slot", camera = slot + "/IMG_0001.JPG",
                      trash = card.path + "/.Trash-" + QString::number(::getuid());
        QVERIFY(QDir().mkpath(slot) && WriteFile(camera, "camera"));
        QVERIFY(!noTrash || WriteFile(trash, "not a folder"));
        r.module.FolderSlots[1] = slot;
        r.module.ConfirmSameName = question;
        r.prompts.Answer(ok ? PromptAnswer::Ok : PromptAnswer::Cancel);
        r.run.send(1);
        QCOMPARE(r.prompts.asked.size(), int(question));
        if (question && !ok) {
            QCOMPARE(Files(slot), QStringList{"IMG_0001.JPG"});
            QCOMPARE(ReadFile(camera), "camera");
            QVERIFY(r.run.history().isEmpty() && QFile::exists(r.source("IMG_0001.jpg")));
            return;
        }
        const QString aside = noTrash ? slot + "/IMG_0001 (1).JPG" : trash + "/files/IMG_0001.JPG";
        QCOMPARE(Files(slot),
                 QStringList(int(noTrash), "IMG_0001 (1).JPG") + QStringList{"IMG_0001.jpg"});
        QCOMPARE(ReadFile(slot + "/IMG_0001.jpg"), "IMG_0001.jpg");
        QCOMPARE(ReadFile(aside), "camera");
        QVERIFY(noTrash || ReadFile(trash + "/info/IMG_0001.JPG.trashinfo")
                               .contains("\nPath=" + QFile::encodeName(camera) + "\n"));
        QCOMPARE(r.failures, QStringList(int(noTrash), "IMG_0001.JPGはゴミ箱に移せないため、"
                                                       "IMG_0001 (1).JPGとして残しました。"));
        WriteFile(r.source("IMG_0001.jpg"), "in the way");
        r.run.undo();
        QCOMPARE(r.failures.mid(int(noTrash)),
                 QStringList{"元に戻せませんでした。同名のファイルがあります。"});
        QCOMPARE(r.run.history().size(), 1);
        QCOMPARE(ReadFile(aside), "camera");
        QVERIFY(QFile::remove(r.source("IMG_0001.jpg")));
        r.run.undo();
        QCOMPARE(Files(r.path("src")), QStringList{"IMG_0001.jpg"});
        QCOMPARE(Files(slot), QStringList{"IMG_0001.JPG"});
        QCOMPARE(ReadFile(camera), "camera");
        QCOMPARE(Files(trash + "/files") + Files(trash + "/info"), QStringList());
        QVERIFY(r.run.history().isEmpty());
    }

    // A picture with its companions copied across onto the card: a member
    // whose name the card takes in another case asks once for the group, and
    // the undo brings every member and the camera's file back; a card that
    // fills up part-way keeps no member and every one at home.
    void companionsOntoTheCardGoAllOrNone_data() {
        QTest::addColumn<bool>("full");
        QTest::newRow("a name taken in another case") << false;
        QTest::newRow("the card fills up part-way") << true;
    }
    void companionsOntoTheCardGoAllOrNone() {
        QFETCH(bool, full);
        Card card;
        REQUIRE_MOUNTED(card.refusal);
        const QStringList group{"IMG_0001.CR3", "IMG_0001.jpg", "IMG_0001.xmp"};
        const QByteArray filler = full ? QByteArray(12 << 20, 'x') : QByteArray();
        Run r({});
        for (const QString& name : group)
            QVERIFY(WriteFile(r.source(name), filler + name.toUtf8()));
        r.listChanged();
        r.module.Extras.sendCompanions = true;
        r.module.ConfirmSameName = 1;
        const QString slot = card.path + "/slot";
        QVERIFY(QDir().mkpath(slot) && WriteFile(slot + "/IMG_0001.JPG", "camera"));
        r.module.FolderSlots[1] = slot;
        r.prompts.Answer(PromptAnswer::Ok);
        r.run.send(1);
        QCOMPARE(r.prompts.asked.size(), 1);
        QCOMPARE(Files(slot), full ? QStringList{"IMG_0001.JPG"} : group);
        QVERIFY(full ? r.run.history().isEmpty() : r.failures.isEmpty());
        if (!full)
            r.run.undo();
        QCOMPARE(Files(slot), QStringList{"IMG_0001.JPG"});
        QCOMPARE(ReadFile(slot + "/IMG_0001.JPG"), "camera");
        QCOMPARE(Files(r.path("src")), group);
        for (const QString& name : group)
            QCOMPARE(ReadFile(r.source(name)), filler + name.toUtf8());
    }

    // A send from the card to the disk and its undo (a copy back onto the
    // card, staged under a hidden name: exFAT has no unnamed files), killed
    // at random points: the picture is whole in one place at least, and the
    // next run that sends from the card's folder clears what was left there.
    void killedUndoOntoTheCardLeavesNothing() {
        Card card;
        REQUIRE_MOUNTED(card.refusal);
        QTemporaryDir disk;
        const QByteArray picture(4 << 20, 'p');
        qint64 tookUs = 0;
        for (int kill = 0; kill <= Kills(); ++kill) {
            Run r({}, card.path);
            r.module.FolderSlots[1] = disk.path();
            WriteFile(r.source("p.jpg"), picture);
            r.listChanged();
            tookUs = KillRun(kill, tookUs, [&r] {
                r.run.send(1);
                r.run.undo();
            });
            r.listChanged();
            r.run.send(2); // the next run's first send from the folder
            QCOMPARE(OwnFilesIn(r.path("src")), 0);
            const QByteArrayList copies{ReadFile(r.source("p.jpg")),
                                        ReadFile(disk.filePath("p.jpg")),
                                        ReadFile(r.slot(2) + "/p.jpg")};
            QVERIFY(copies.contains(picture));
            for (const QByteArray& copy : copies)
                QVERIFY(copy.isEmpty() || copy == picture);
            QFile::remove(disk.filePath("p.jpg"));
        }
    }

    // A volume of its own (a USB disk) has its own trash: the shared .Trash
    // folder's $uid folder when .Trash has the sticky bit and is no link,
    // else a .Trash-$uid made for the user alone.
    void otherVolumeUsesItsOwnTrash_data() {
        QTest::addColumn<QString>("shared"); // what .Trash is at the volume's top
        QTest::addColumn<QString>("trash");
        QTest::newRow("none") << ""
                              << ".Trash-UID";
        QTest::newRow("sticky") << "sticky"
                                << ".Trash/UID";
        QTest::newRow("not sticky") << "plain"
                                    << ".Trash-UID";
        QTest::newRow("a link to a sticky folder") << "link"
                                                   << ".Trash-UID";
    }
    void otherVolumeUsesItsOwnTrash() {
        QFETCH(QString, shared);
        QFETCH(QString, trash);
        QTemporaryDir top;
        TemporaryMount volume(top.path());
        REQUIRE_MOUNTED(volume.refusal);
        const QString base = top.path();
        trash = base + '/' + trash.replace("UID", QString::number(::getuid()));
        const QString sticky = base + (shared == "link" ? "/elsewhere" : "/.Trash");
        if (!shared.isEmpty())
            QVERIFY(QDir().mkpath(sticky) &&
                    ::chmod(QFile::encodeName(sticky), shared == "plain" ? 0777 : 01777) == 0);
        QVERIFY(shared != "link" || QFile::link(sticky, base + "/.Trash"));
        Run r({"a.jpg"}, base);
        WriteFile(r.slot(1) + "/a.jpg", "older");
        r.run.send(1);
        QCOMPARE(ReadFile(trash + "/files/a.jpg"), "older");
        QCOMPARE(ReadFile(trash + "/info/a.jpg.trashinfo").split('\n').value(1),
                 "Path=" + QFile::encodeName(r.slot(1)) + "/a.jpg");
        struct stat st;
        QVERIFY(::stat(QFile::encodeName(trash), &st) == 0 && (st.st_mode & 0777) == 0700);
        r.run.undo();
        QCOMPARE(ReadFile(r.slot(1) + "/a.jpg"), "older");
        QCOMPARE(Files(trash + "/files") + Files(trash + "/info"), QStringList());
    }

    // Trashing and taking back killed at random points: every entry of the
    // trash has its file once the next file went in, and the picture is
    // whole in exactly one place.
    void killedTrashingLeavesNoLoneEntry() {
        QTemporaryDir dir;
        const QString path = dir.filePath("a.jpg");
        const QByteArray picture(4096, 'p');
        for (int kill = 0; kill < 2 * Kills(); ++kill) {
            QVERIFY(QDir(homeTrash->path()).removeRecursively());
            WriteFile(path, picture);
            KillDuring(20000, [&path] {
                for (TrashedFile trashed;;)
                    if (MoveToTrash(path, &trashed))
                        RestoreFromTrash(trashed, path);
            });
            WriteFile(dir.filePath("b.jpg"), "next");
            TrashedFile next;
            QVERIFY(MoveToTrash(dir.filePath("b.jpg"), &next));
            QStringList files = Files(homeTrash->path("files"));
            for (const QString& info : Files(homeTrash->path("info")))
                QVERIFY2(files.removeOne(info.chopped(10)), qPrintable(info));
            QCOMPARE(files, QStringList());
            QCOMPARE(int(ReadFile(path) == picture) +
                         int(ReadFile(homeTrash->path("files/a.jpg")) == picture),
                     1);
        }
    }
};

QTEST_GUILESS_MAIN(FaultsTest)
#include "tst_faults.moc"
