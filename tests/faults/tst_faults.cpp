// Sends and settings saves under faults, on real file systems: a full disk,
// a read-only folder, a source that vanished, a folder replaced by a file,
// and kills at random points. Afterwards every file is still there and
// whole, and no hidden file of the program is left once it has been back.
#include "platform/FileOps.h"
#include "platform/OwnFiles.h"
#include "settings/Module1.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsLine.h"
#include "sorting/SendOperations.h"
#include "sorting/SortingRun.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

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
             it.hasNext();)
            sums[it.next()] =
                QCryptographicHash::hash(ReadFile(it.filePath()), QCryptographicHash::Sha1);
    return sums;
}

int OwnFilesIn(const QString& folder) {
    return QDir(folder).entryList({".sorvane-*"}, QDir::Files | QDir::Hidden).size();
}

// A file system mounted on a folder for one test; unmounted when the test
// ends, however it ends.
struct Mount {
    QString target;
    QString refusal; // why the system refused it; empty when mounted
    Mount(const QString& on, const char* type, const char* source, unsigned long flags,
          const char* options)
        : target(on) {
        if (::mount(source, qPrintable(on), type, flags, options) != 0)
            refusal = QString::fromLocal8Bit(std::strerror(errno));
    }
    ~Mount() {
        if (refusal.isEmpty())
            ::umount2(qPrintable(target), MNT_DETACH);
    }
    bool remountReadOnly() {
        return ::mount(nullptr, qPrintable(target), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                       nullptr) == 0;
    }
};

// A run that sends files of one folder into slot 1, as the main window does.
struct Sender : SortingRun::Window {
    Module1 module;
    ScriptedPrompts prompts;
    SortingRun run{module, prompts, *this};
    QString folder, name;
    Sender(const QString& from, const QString& to) : folder(from) { module.FolderSlots[1] = to; }
    void send(const QString& file) {
        name = file;
        run.send(1);
    }
    QString firstName() const override { return name; }
    QString listFolder() const override { return folder; }
    void letEventsIn() override {}
    void sendStarting(int) override {}
    void sendingTo(const QString&) override {}
    void historyChanged() override {}
    void listChanged() override {}
    void sendFinished(int) override {}
    void undoFinished() override {}
    void reportFailure(const QString&) override {}
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

    // A send that cannot be done changes nothing: the source and the file
    // of the same name in the destination stay as they were.
    void failedSendChangesNothing_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("unnamed");
        QTest::newRow("disk full") << "full" << true;
        QTest::newRow("disk full, named staging") << "full" << false;
        QTest::newRow("read-only destination") << "read-only" << true;
        QTest::newRow("vanished source") << "vanished" << true;
        QTest::newRow("destination replaced by a file") << "file" << true;
    }
    void failedSendChangesNothing() {
        QFETCH(QString, fault);
        QFETCH(bool, unnamed);
        QTemporaryDir dir;
        const QString from = dir.filePath("from"), to = dir.filePath("to");
        QVERIFY(QDir().mkpath(from) && QDir().mkpath(to));
        WriteFile(from + "/a.jpg", QByteArray(2 << 20, 'a'));
        WriteFile(to + "/a.jpg", "older");
        std::optional<Mount> mount;
        if (fault == "full") { // a 1 MiB file system of its own
            mount.emplace(to, "tmpfs", "none", 0, "size=1m");
            WriteFile(to + "/a.jpg", "older");
        } else if (fault == "read-only") {
            mount.emplace(to, nullptr, qPrintable(to), MS_BIND, nullptr);
            QVERIFY(!mount->refusal.isEmpty() || mount->remountReadOnly());
        } else if (fault == "vanished") {
            QFile::remove(from + "/a.jpg");
        } else {
            QVERIFY(QDir(to).removeRecursively());
            WriteFile(to, "a file where the folder was");
        }
        if (mount && !mount->refusal.isEmpty())
            QSKIP(qPrintable("the system refused the mount: " + mount->refusal));
        const auto before = Contents({dir.path(), data.path()});
        SetUnnamedFilesAllowed(unnamed);
        const SendOutcome outcome = PlaceFile(from + "/a.jpg", to + "/a.jpg", false);
        QVERIFY(!outcome.placed);
        QCOMPARE(Contents({dir.path(), data.path()}), before);
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
        int leftByKills = 0, atSource = 0;
        for (int kill = 0; kill <= Kills(); ++kill) {
            const QString name = QStringLiteral("p%1.jpg").arg(kill);
            WriteFile(from + "/" + name, picture);
            clock.start();
            KillDuring(kill == 0 ? std::nullopt : std::optional(tookUs * 6 / 5),
                       [&] { PlaceFile(from + "/" + name, to + "/" + name, false); });
            if (kill == 0) // the first move runs to its end and gives the time
                tookUs = clock.nsecsElapsed() / 1000;
            leftByKills += OwnFilesIn(to);
            if (unnamed)
                QCOMPARE(OwnFilesIn(to), 0);
            Sender(from, to).send(QStringLiteral("gone"));
            QCOMPARE(OwnFilesIn(to), 0);
            const QByteArray there = ReadFile(to + "/" + name), here = ReadFile(from + "/" + name);
            QVERIFY(there == picture || here == picture);
            QVERIFY(there.isEmpty() || there == picture);
            QVERIFY(here.isEmpty() || here == picture);
            atSource += kill > 0 && !here.isEmpty();
            QFile::remove(from + "/" + name);
            QFile::remove(to + "/" + name);
        }
        qInfo("%d kills: 0 files lost or damaged (%d still at the source), %d temporaries left "
              "by the kills, 0 after the next send",
              Kills(), atSource, leftByKills);
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
