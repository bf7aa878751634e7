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
        QTest::newRow("row 3") << int(Qt::Key_3) << 0 << 12u << 51;
        QTest::newRow("shift+3 types #")
            << int(Qt::Key_NumberSign) << int(Qt::ShiftModifier) << 12u << 51;
        QTest::newRow("row 0") << int(Qt::Key_0) << 0 << 19u << 48;
        QTest::newRow("azerty row 1 types &") << int(Qt::Key_Ampersand) << 0 << 10u << 49;
        QTest::newRow("keypad 3") << int(Qt::Key_3) << int(Qt::KeypadModifier) << 89u << 99;
        QTest::newRow("keypad 3 without num lock: page down")
            << int(Qt::Key_PageDown) << int(Qt::KeypadModifier) << 89u << 0;
        QTest::newRow("keypad 4 without num lock: left")
            << int(Qt::Key_Left) << int(Qt::KeypadModifier) << 83u << 37;
        QTest::newRow("keypad 0") << int(Qt::Key_0) << int(Qt::KeypadModifier) << 90u << 96;
        QTest::newRow("synthetic 7") << int(Qt::Key_7) << 0 << 0u << 55;
        QTest::newRow("synthetic keypad 7")
            << int(Qt::Key_7) << int(Qt::KeypadModifier) << 0u << 103;
        QTest::newRow("space") << int(Qt::Key_Space) << 0 << 65u << 32;
        QTest::newRow("left") << int(Qt::Key_Left) << 0 << 113u << 37;
        QTest::newRow("down") << int(Qt::Key_Down) << 0 << 116u << 40;
        QTest::newRow("letter") << int(Qt::Key_A) << 0 << 38u << 0;
    }
    void keyCodes() {
        QFETCH(int, qtKey);
        QFETCH(int, modifiers);
        QFETCH(uint, scan);
        QFETCH(int, code);
        QCOMPARE(KeyCodeOf(qtKey, Qt::KeyboardModifiers(modifiers), scan), code);
    }

    void shiftBits() {
        QCOMPARE(ShiftBitsOf(Qt::ShiftModifier), 1);
        QCOMPARE(ShiftBitsOf(Qt::ControlModifier | Qt::AltModifier), 6);
        QCOMPARE(ShiftBitsOf(Qt::KeypadModifier), 0);
    }
};

QTEST_GUILESS_MAIN(KeyCodesTest)
#include "tst_keycodes.moc"
