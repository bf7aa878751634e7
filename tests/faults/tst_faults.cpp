// Sends and settings saves under faults, on real file systems: a full disk,
// a read-only folder, a source that vanished, a folder removed or replaced by
// a file, and kills at random points. Afterwards every file is still there
// and whole, and no hidden file of the program is left once it has been back.
#include "settings/SettingsFile.h"
#include "settings/SettingsLine.h"
#include "sorting/RunOnFiles.h"
#include "sorting/SendOperations.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QRandomGenerator>
#include <QtTest>

#include <csignal>
#include <cstring>
#include <sys/mount.h>
#include <sys/stat.h>
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

// A file system on a folder for one test, unmounted however the test ends:
// a 1 MiB tmpfs, or the folder bound onto itself read-only.
struct Mount {
    QByteArray target;
    bool mounted = false;
    QString refusal; // why the system refused it; empty when mounted
    Mount(const QString& on, bool readOnly) : target(QFile::encodeName(on)) {
        mounted = readOnly ? ::mount(target, target, nullptr, MS_BIND, nullptr) == 0
                           : ::mount("none", target, "tmpfs", 0, "size=1m") == 0;
        if (!mounted || (readOnly && ::mount(nullptr, target, nullptr,
                                             MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0))
            refusal = QString::fromLocal8Bit(std::strerror(errno));
    }
    ~Mount() {
        if (mounted)
            ::umount2(target, MNT_DETACH);
    }
};

// Runs work() in a child process and kills it after a random time up to
// the given number of microseconds; with none, lets it end.
void KillDuring(std::optional<qint64> withinUs, const std::function<void()>& work) {
    const pid_t child = ::fork();
    if (child == 0) {
        work();
        ::_exit(0);
    }
    if (withinUs) {
        ::usleep(useconds_t(QRandomGenerator::global()->bounded(*withinUs + 1)));
        ::kill(child, SIGKILL);
    }
    ::waitpid(child, nullptr, 0);
}

int Kills() {
    const int asked = qEnvironmentVariableIntValue("SORVANE_FAULT_KILLS");
    return asked > 0 ? asked : 12;
}

} // namespace

class FaultsTest : public QObject {
    Q_OBJECT
    QTemporaryDir data; // the trash of the replaced files, never the real home's

private Q_SLOTS:
    void initTestCase() { qputenv("XDG_DATA_HOME", data.path().toUtf8()); }
    void cleanup() { SetUnnamedFilesAllowed(true); }

    // A send that cannot be done changes nothing: the source and the file of
    // the same name in the destination stay as they were. It records no undo,
    // says why in one line, and the list is read again.
    void failedSendChangesNothing_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("unnamed"); // or staged under a hidden name, in copy mode
        QTest::addColumn<QString>("line");
        const QString full = "ディスクの容量が足りません。";
        QTest::newRow("disk full") << "full" << true << "に移動できませんでした。" + full;
        QTest::newRow("disk full, named staging")
            << "full" << false << "にコピーできませんでした。" + full;
        QTest::newRow("read-only destination")
            << "read-only" << true << "に移動できませんでした。アクセスが拒否されました。";
        QTest::newRow("vanished source")
            << "vanished" << true << "に移動できませんでした。ファイルが見つかりません。";
        QTest::newRow("destination removed")
            << "removed" << true << "に移動できませんでした。フォルダが見つかりません。";
        QTest::newRow("destination replaced by a file")
            << "file" << true << "に移動できませんでした。フォルダが見つかりません。";
    }
    void failedSendChangesNothing() {
        QFETCH(QString, fault);
        QFETCH(bool, unnamed);
        QFETCH(QString, line);
        Run r({"a.jpg"});
        const QString to = r.slot(1);
        r.module.CopyMode = !unnamed;
        WriteFile(r.path("src/a.jpg"), QByteArray(2 << 20, 'a'));
        WriteFile(to + "/a.jpg", "older");
        std::optional<Mount> mount;
        if (fault == "full" || fault == "read-only")
            mount.emplace(to, fault == "read-only");
        if (mount && !mount->refusal.isEmpty())
            QSKIP(qPrintable("the system refused the mount: " + mount->refusal));
        if (fault == "full")
            WriteFile(to + "/a.jpg", "older"); // on the new file system
        else if (fault == "vanished")
            QFile::remove(r.path("src/a.jpg"));
        else if (fault == "removed" || fault == "file")
            QVERIFY(QDir(to).removeRecursively() &&
                    (fault == "removed" || WriteFile(to, "a file where the folder was")));
        const auto before = Contents({r.dir.path(), data.path()});
        SetUnnamedFilesAllowed(unnamed);
        r.run.send(1);
        QCOMPARE(Contents({r.dir.path(), data.path()}), before);
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
        struct stat a, b;
        if (!memory.isValid() || ::stat(qPrintable(disk.path()), &a) != 0 ||
            ::stat(qPrintable(memory.path()), &b) != 0 || a.st_dev == b.st_dev)
            QSKIP("no second file system in /dev/shm to move across");
        const QString from = (toMemory ? disk : memory).path(),
                      to = (toMemory ? memory : disk).path();
        SetUnnamedFilesAllowed(unnamed);
        const QByteArray picture = QByteArray(8 << 20, 'p') + QByteArray::number(unnamed);
        QElapsedTimer clock;
        qint64 tookUs = 0;
        for (int kill = 0; kill <= Kills(); ++kill) {
            const QString name = QStringLiteral("p%1.jpg").arg(kill);
            WriteFile(from + "/" + name, picture);
            clock.start();
            KillDuring(kill == 0 ? std::nullopt : std::optional(tookUs * 6 / 5),
                       [&] { PlaceFile(from + "/" + name, to + "/" + name, false); });
            if (kill == 0) // the first move runs to its end and gives the time
                tookUs = clock.nsecsElapsed() / 1000;
            if (unnamed)
                QCOMPARE(OwnFilesIn(to), 0);
            Run next({}); // a send of nothing that only comes into the folder
            next.module.FolderSlots[1] = to;
            next.run.send(1);
            QCOMPARE(OwnFilesIn(to), 0);
            const QByteArray there = ReadFile(to + "/" + name), here = ReadFile(from + "/" + name);
            QVERIFY(there == picture || here == picture);
            QVERIFY(there.isEmpty() || there == picture);
            QVERIFY(here.isEmpty() || here == picture);
            QFile::remove(from + "/" + name);
            QFile::remove(to + "/" + name);
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
};

QTEST_GUILESS_MAIN(FaultsTest)
#include "tst_faults.moc"
