// The main window's rules that need no widget: the key code of a key, and
// what the preview reads ahead while a held key sends file after file.
#include "sorting/KeyCodes.h"
#include "sorting/PreviewFollower.h"

#include <QtTest>

using namespace sorvane;

class WindowRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A digit sends from the row and from the keypad with Num Lock on, Shift
    // or not; the keypad's other meanings and letters send nothing.
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
        QTEST(KeyCodeOf(qtKey, Qt::KeyboardModifiers(modifiers), scan), "code");
    }

    // A held key sends a file every 20 ms or so (more on a busy machine).
    // Reading the file in hand would be in vain when a picture takes longer
    // than a send to read: the key is past it by then. So the entries read
    // ahead start where the key will be once they are read, one entry on for
    // each send in that time; presses still waiting are passed over too.
    void heldKeyReadsAheadWhereItWillBe_data() {
        QTest::addColumn<bool>("held");
        QTest::addColumn<int>("readMs");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("fewest"); // the first entry read ahead, at least
        QTest::addColumn<int>("most");   // and at most
        QTest::newRow("key held, reads slower than the sends") << true << 100 << 50 << 2 << 5;
        QTest::newRow("key held, reads far slower") << true << 5000 << 500 << 50 << 250;
        QTest::newRow("key held, reads as fast as the sends") << true << 1 << 50 << 0 << 0;
        QTest::newRow("key held, near the list's end") << true << 100 << 4 << 2 << 3;
        QTest::newRow("single presses") << false << 100 << 50 << 0 << 0;
    }
    void heldKeyReadsAheadWhereItWillBe() {
        QFETCH(bool, held);
        QFETCH(int, readMs);
        QFETCH(int, count);
        QFETCH(int, fewest);
        QFETCH(int, most);
        PreviewFollower follower;
        for (int i = 0; i < 5; ++i) {
            QTest::qSleep(i ? 20 : 0);
            follower.sent(held, 0);
        }
        const std::vector<int> picked = follower.readAhead(0, count, readMs);
        QVERIFY(!picked.empty());
        QVERIFY2(picked.front() >= fewest && picked.front() <= most,
                 qPrintable(QString::number(picked.front())));
        for (size_t i = 1; i < picked.size(); ++i)
            QCOMPARE(picked[i], picked.front() + int(i));
        QCOMPARE(int(picked.size()), qMin(4, count - picked.front()));
        QCOMPARE(follower.readAhead(2, count, readMs).front(), qMin(picked.front() + 2, count - 1));
    }
};

QTEST_GUILESS_MAIN(WindowRulesTest)
#include "tst_windowrules.moc"
