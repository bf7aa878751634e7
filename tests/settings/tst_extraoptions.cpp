// The file of the options added beside the settings line: what it reads
// back, what a damaged or missing file gives, and that a save is whole or
// leaves the old file.
#include "settings/ExtraOptions.h"
#include "settings/Module1.h"
#include "support/TestFiles.h"

#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

class TestExtraOptions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The first save makes the configuration folder; a save over the other
    // values leaves nothing staged beside the file.
    void savedOptionsComeBack_data() {
        QTest::addColumn<bool>("trash");
        QTest::addColumn<bool>("companions");
        QTest::newRow("both off") << false << false;
        QTest::newRow("trash") << true << false;
        QTest::newRow("companions") << false << true;
        QTest::newRow("both on") << true << true;
    }
    void savedOptionsComeBack() {
        QFETCH(bool, trash);
        QFETCH(bool, companions);
        QTemporaryDir dir;
        const QString path = dir.filePath("config/sorvane/SorvaneExtras.ini");
        QVERIFY(SaveExtraOptions(path, {!trash, !companions}));
        QVERIFY(SaveExtraOptions(path, {trash, companions}));
        const ExtraOptions loaded = LoadExtraOptions(path);
        QCOMPARE(loaded.deleteToTrash, trash);
        QCOMPARE(loaded.sendCompanions, companions);
        QCOMPARE(Files(dir.filePath("config/sorvane")), QStringList{"SorvaneExtras.ini"});
    }

    // Whatever the file holds, what it does not say plainly is off.
    void fileText_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("trash");
        QTest::addColumn<bool>("companions");
        QTest::newRow("no file") << QByteArray() << false << false;
        QTest::newRow("empty") << QByteArray("") << false << false;
        QTest::newRow("written by hand")
            << QByteArray("[Options]\r\nDeleteToTrash = 1\r\n") << true << false;
        QTest::newRow("unknown keys and groups")
            << QByteArray("[Later]\nSomething=5\n[Options]\nFuture=x\nSendCompanions=true\n")
            << false << true;
        QTest::newRow("not yes or no")
            << QByteArray("[Options]\nDeleteToTrash=perhaps\nSendCompanions=2\n") << false << false;
        QTest::newRow("outside its group") << QByteArray("DeleteToTrash=true\n") << false << false;
        QTest::newRow("binary rubbish")
            << QByteArray("\x00\xff[\n=\x01\x02\n[Options\n", 15) << false << false;
    }
    void fileText() {
        QFETCH(QByteArray, text);
        QFETCH(bool, trash);
        QFETCH(bool, companions);
        QTemporaryDir dir;
        const QString path = dir.filePath("SorvaneExtras.ini");
        QVERIFY(text.isNull() || WriteFile(path, text));
        const ExtraOptions loaded = LoadExtraOptions(path);
        QCOMPARE(loaded.deleteToTrash, trash);
        QCOMPARE(loaded.sendCompanions, companions);
    }

    // Beside the program's own settings file, wherever that is kept.
    void livesBesideTheSettingsFile() {
        Module1 s;
        s.ProgramFolder = "/opt/sorvane";
        QCOMPARE(ExtraOptionsPath(s), QString("/opt/sorvane/SorvaneExtras.ini"));
        s.SettingsPath = "/home/u/.config/sorvane/Sorvane.ini";
        QCOMPARE(ExtraOptionsPath(s), QString("/home/u/.config/sorvane/SorvaneExtras.ini"));
    }

    // Root writes through permissions, so what stops the save is a file in
    // the way of the folder it belongs in.
    void failedSaveSaysSo() {
        QTemporaryDir dir;
        QVERIFY(WriteFile(dir.filePath("blocked"), "a file, not a folder"));
        QVERIFY(!SaveExtraOptions(dir.filePath("blocked/SorvaneExtras.ini"), {true, true}));
        QCOMPARE(ReadFile(dir.filePath("blocked")), "a file, not a folder");
    }
};

QTEST_GUILESS_MAIN(TestExtraOptions)
#include "tst_extraoptions.moc"
