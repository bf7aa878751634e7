// The settings file on disk: missing, unreadable, and replaced whole.
#include "settings/SettingsFile.h"

#include "support/TestFiles.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace sorvane;
using sorvane::test::ReadFile;
using sorvane::test::WriteFile;

class SettingsFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingFileMeansDefaults() {
        QTemporaryDir dir;
        Module1 s;
        s.ProgramFolder = dir.path();
        QCOMPARE(LoadSettingsFile(s), LoadOutcome::NoFile);
        ApplyDefaults(s);
        QCOMPARE(s.SourceFolder, QStringLiteral("/"));
        QCOMPARE(s.FolderSlots[10], QStringLiteral("/"));
        QCOMPARE(s.SlideshowSeconds, 1);
    }

    void failedSaveLeavesTheOldFileWhole() {
        // A disk that fills up during the save: writes past 16 bytes fail.
        QTemporaryDir dir;
        Module1 s;
        s.ProgramFolder = dir.path();
        ApplyDefaults(s);
        const QByteArray old = "\"/old\",\"/kept\"\r\n";
        WriteFile(dir.filePath("Sorvane.ini"), old);
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit saved;
        ::getrlimit(RLIMIT_FSIZE, &saved);
        rlimit tiny = saved;
        tiny.rlim_cur = 16;
        ::setrlimit(RLIMIT_FSIZE, &tiny);
        const bool written = SaveSettingsFile(s);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(!written);
        QCOMPARE(ReadFile(dir.filePath("Sorvane.ini")), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"Sorvane.ini"});
    }

    void unreadableFileIsReportedAsSuch() {
        QTemporaryDir dir;
        Module1 s;
        s.ProgramFolder = dir.path();
        QVERIFY(QDir(dir.path()).mkdir("Sorvane.ini")); // a folder where the file should be
        QCOMPARE(LoadSettingsFile(s), LoadOutcome::NoFile);
        QVERIFY(QDir(dir.path()).rmdir("Sorvane.ini"));
        WriteFile(dir.filePath("Sorvane.ini"), "\"/\"");
        ::chmod(qPrintable(dir.filePath("Sorvane.ini")), 0);
        if (::geteuid() == 0)
            QSKIP("root reads any file");
        QCOMPARE(LoadSettingsFile(s), LoadOutcome::Unreadable);
    }
};

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "tst_settingsfile.moc"
