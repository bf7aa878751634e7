// The main window's rules that need no widget: what start-up makes of the
// settings file and the key code of a key.
#include "settings/SettingsLine.h"
#include "settings/StartUp.h"
#include "sorting/KeyCodes.h"
#include "support/TestFiles.h"

#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

class WindowRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void settingsFileDecidesTheStart_data() {
        QTest::addColumn<QByteArray>("file"); // empty: no file
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("fileLeft");
        QTest::addColumn<QString>("slot4");
        Module1 saved;
        saved.FolderSlots.fill("/photos");
        const QByteArray line = FormatSettingsLine(saved);
        const QByteArray badNumber = QByteArray(line).replace(",0,0\r\n", ",x,0\r\n");
        using A = StartUpAction;
        QTest::newRow("no file: defaults") << QByteArray() << int(A::Continue) << false << "/";
        QTest::newRow("complete") << line << int(A::Continue) << true << "/photos";
        QTest::newRow("cut short: deleted, the program ends")
            << line.left(line.lastIndexOf(',')) << int(A::Quit) << false << "/photos";
        QTest::newRow("bad number: the fields read are kept")
            << badNumber << int(A::ShowWindowOnly) << true << "/photos";
    }
    void settingsFileDecidesTheStart() {
        QFETCH(QByteArray, file);
        QFETCH(int, action);
        QFETCH(bool, fileLeft);
        QFETCH(QString, slot4);
        QTemporaryDir dir;
        Module1 settings;
        settings.ProgramFolder = dir.path();
        if (!file.isEmpty())
            WriteFile(SettingsFilePath(settings), file);
        const StartUpPlan plan = ReadSettingsAtStartUp(settings);
        QCOMPARE(int(plan.action), action);
        QCOMPARE(QFile::exists(SettingsFilePath(settings)), fileLeft);
        QCOMPARE(settings.FolderSlots[4], slot4);
    }

    void keyCodes_data() {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<uint>("scan");
        QTest::addColumn<int>("code");
        const int keypad = Qt::KeypadModifier;
        QTest::newRow("row 3") << int(Qt::Key_3) << 0 << 12u << 51;
        QTest::newRow("shift+3 types #")
            << int(Qt::Key_NumberSign) << int(Qt::ShiftModifier) << 12u << 51;
        QTest::newRow("keypad 3") << int(Qt::Key_3) << keypad << 89u << 99;
        QTest::newRow("keypad 3 without num lock") << int(Qt::Key_PageDown) << keypad << 89u << 0;
        QTest::newRow("synthetic keypad 7") << int(Qt::Key_7) << keypad << 0u << 103;
        QTest::newRow("letter") << int(Qt::Key_A) << 0 << 38u << 0;
    }
    void keyCodes() {
        QFETCH(int, qtKey);
        QFETCH(int, modifiers);
        QFETCH(uint, scan);
        QFETCH(int, code);
        QCOMPARE(KeyCodeOf(qtKey, Qt::KeyboardModifiers(modifiers), scan), code);
    }
};

QTEST_GUILESS_MAIN(WindowRulesTest)
#include "tst_windowrules.moc"
