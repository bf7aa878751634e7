// The real launcher, starting real programs: desktop entries and a default
// application list in temporary XDG folders name a recorder script, which
// writes down how it was started.
#include "app/GioLauncher.h"
#include "support/TestFiles.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

using namespace sorvane;

class GioLauncherTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    GioLauncher launcher;

    QString Path(const QString& name) const { return dir.filePath(name); }

    // The recorder's lines: argument count, arguments, parent process number,
    // open descriptors.
    QStringList AwaitRecord() const {
        QFile file(Path("record"));
        if (!QTest::qWaitFor([&file] { return file.exists(); }, 10000) ||
            !file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\n');
    }

private Q_SLOTS:
    void initTestCase() {
        // GLib reads these once, at its first use.
        qputenv("XDG_DATA_HOME", QFile::encodeName(Path("data")));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(Path("config")));
        QVERIFY(QDir().mkpath(Path("data/applications")) && QDir().mkpath(Path("config")));
        const QString recorder = Path("recorder"), record = Path("record");
        test::WriteFile(recorder, QStringLiteral("#!/bin/sh\n{ echo $#; printf '%s\\n' \"$@\"; "
                                                 "echo $PPID; ls -l /proc/$$/fd; } > %1.part\n"
                                                 "mv %1.part %1\n")
                                      .arg(record)
                                      .toUtf8());
        QVERIFY(QFile::setPermissions(recorder, QFile::ReadOwner | QFile::ExeOwner));
        const QString entry("[Desktop Entry]\nType=Application\nName=R\nExec=%1\nMimeType=%2;\n");
        test::WriteFile(Path("data/applications/direct.desktop"),
                        entry.arg(recorder + " %f", "text/plain").toUtf8());
        test::WriteFile(Path("data/applications/shell.desktop"),
                        entry.arg("sh -c '" + recorder + " \"$1\"' sh %f", "text/csv").toUtf8());
        test::WriteFile(Path("config/mimeapps.list"), "[Default Applications]\n"
                                                      "text/plain=direct.desktop\n"
                                                      "text/csv=shell.desktop\n");
    }

    // The file reaches the program as one argument, blanks and all, and is
    // never run: a shell command gets it as data, not as its script. The
    // program is detached and holds no descriptor of ours.
    void startsTheApplicationWithTheFileAsOneArgument_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("program");
        QTest::newRow("program") << "a b  c.txt" << Path("recorder");
        QTest::newRow("shell command") << "run me.csv" << QStandardPaths::findExecutable("sh");
    }
    void startsTheApplicationWithTheFileAsOneArgument() {
        QFETCH(QString, name);
        QFETCH(QString, program);
        QFile::remove(Path("record"));
        const QString file = Path(name);
        test::WriteFile(file, ("touch " + Path("executed") + "\n").toUtf8());
        const int ours = ::open(QFile::encodeName(file).constData(), O_RDONLY); // inheritable
        QCOMPARE(launcher.findExecutable(file), program);
        const bool started = launcher.start(file);
        ::close(ours);
        QVERIFY(started);
        const QStringList record = AwaitRecord();
        QCOMPARE(record.mid(0, 2), (QStringList{"1", file}));
        QVERIFY(record.value(2).toLongLong() != QCoreApplication::applicationPid());
        QVERIFY(!record.mid(3).join(u'\n').contains(file));
        QVERIFY(!QFile::exists(Path("executed")));
    }

    void noAssociationStartsNothing() {
        test::WriteFile(Path("data.sorvane-unknown"), "\x01\x02");
        QCOMPARE(launcher.findExecutable(Path("data.sorvane-unknown")), QString());
        QVERIFY(!launcher.start(Path("data.sorvane-unknown")));
        QVERIFY(!launcher.start(Path("missing.txt")));
    }
};

QTEST_GUILESS_MAIN(GioLauncherTest)
#include "tst_giolauncher.moc"
