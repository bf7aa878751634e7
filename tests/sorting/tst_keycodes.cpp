// Physical keys to key codes.
#include "sorting/KeyCodes.h"

#include <QtTest>

using namespace sorvane;

class KeyCodesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
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

QTEST_GUILESS_MAIN(KeyCodesTest)
#include "tst_keycodes.moc"
