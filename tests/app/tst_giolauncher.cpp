// The real launcher, starting real programs: desktop entries and a default
// application list in temporary XDG folders name a recorder script, which
// writes down how it was started.
#include "app/GioLauncher.h"
#include "support/TestFiles.h"

#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

using namespace sorvane;
using namespace sorvane::test;

class GioLauncherTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The file reaches the program as one argument, blanks and all, and is
    // never run: the shell command gets it as data, not as its script. The
    // program is detached and holds no descriptor of ours. A file of no
    // known type, or one that is not there, starts nothing.
    void startsTheApplicationWithTheFileAsOneArgument() {
        QTemporaryDir dir;
        // GLib reads these once, at its first use.
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("data")));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
        QVERIFY(QDir().mkpath(dir.filePath("data/applications")));
        // Its lines: argument count, arguments, parent process number, open descriptors.
        const QString recorder = dir.filePath("recorder");
        WriteFile(recorder, QString("#!/bin/sh\n{ echo $#; printf '%s\\n' \"$@\"; echo $PPID; "
                                    "ls -l /proc/$$/fd; } > %1.part\nmv %1.part %1\n")
                                .arg(dir.filePath("record"))
                                .toUtf8());
        QVERIFY(QFile::setPermissions(recorder, QFile::ReadOwner | QFile::ExeOwner));
        // The default application for CSV files, a shell command: the hardest
        // case, where the file must reach it as data.
        QVERIFY(WriteFile(dir.filePath("data/applications/shell.desktop"),
                          "[Desktop Entry]\nType=Application\nName=shell\nMimeType=text/csv;\n"
                          "Exec=sh -c '" +
                              recorder.toUtf8() + " \"$1\"' sh %f\n"));
        QVERIFY(WriteFile(dir.filePath("mimeapps.list"),
                          "[Default Applications]\ntext/csv=shell.desktop\n"));
        GioLauncher launcher;
        const QString file = dir.filePath("run me  now.csv");
        WriteFile(file, ("touch " + dir.filePath("executed") + "\n").toUtf8());
        const int ours = ::open(QFile::encodeName(file).constData(), O_RDONLY); // inheritable
        QCOMPARE(launcher.findExecutable(file), QStandardPaths::findExecutable("sh"));
        const bool started = launcher.start(file);
        ::close(ours);
        QVERIFY(started);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.filePath("record")), 10000);
        const QStringList lines = QString::fromUtf8(ReadFile(dir.filePath("record"))).split(u'\n');
        QCOMPARE(lines.mid(0, 2), (QStringList{"1", file}));
        QVERIFY(lines.value(2).toLongLong() != QCoreApplication::applicationPid());
        QVERIFY(!lines.mid(3).join(u'\n').contains(file));
        QVERIFY(!QFile::exists(dir.filePath("executed")));
        QVERIFY(WriteFile(dir.filePath("data.sorvane-unknown"), "\x01\x02"));
        QVERIFY(!launcher.start(dir.filePath("data.sorvane-unknown")));
        QVERIFY(!launcher.start(dir.filePath("missing.csv")));
    }
};

QTEST_GUILESS_MAIN(GioLauncherTest)
#include "tst_giolauncher.moc"
