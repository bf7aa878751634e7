// The built program started on a path, as a terminal or a script gives it:
// every argument is a path, whatever it looks like, and "--" only ends the
// options. What the program opened is what its settings file remembers.
#include "e2e/RealWindow.h"
#include "support/TestFiles.h"

#include <QtTest>

using namespace sorvane::test;

class StartupTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { SORVANE_REQUIRE_REAL_WINDOWS(); }

    void opensTheFolderGiven_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("opened"); // relative to the working folder
        QTest::newRow("named like a Qt option") << QStringList{"-reverse"} << "-reverse";
        QTest::newRow("after --") << QStringList{"--", "photos"} << "photos";
        QTest::newRow("named --, after --") << QStringList{"--", "--"} << "--";
    }
    void opensTheFolderGiven() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, opened);
        ProgramCopy copy;
        QVERIFY(copy.isValid());
        const QString work = copy.makeFolder("work");
        for (const char* folder : {"-reverse", "photos", "--"})
            QVERIFY(!copy.makeFolder(QString("work/") + folder).isEmpty());
        // Remember the source folder, which starts elsewhere.
        QStringList fields{copy.makeFolder("elsewhere")};
        for (int i = 0; i < 11; ++i)
            fields << copy.makeFolder(QString("slot%1").arg(i));
        QVERIFY(WriteFile(copy.settingsPath(), ('"' + fields.join("\",\"") +
                                                "\",\"8775\",\"8040\",0,1,0,1,0,0,0,0,0,0,0\r\n")
                                                   .toUtf8()));
        RealWindow program;
        QVERIFY2(program.start(copy.executable(), work, {}, arguments),
                 qPrintable(program.errors()));
        QVERIFY(program.click("push button", "終了"));
        QVERIFY2(program.awaitExit(), qPrintable(program.errors()));
        const QByteArray settings = ReadFile(copy.settingsPath());
        QCOMPARE(QString::fromUtf8(settings.left(settings.indexOf(','))),
                 '"' + work + u'/' + opened + '"');
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
