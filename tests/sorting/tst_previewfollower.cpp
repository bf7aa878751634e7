// What the preview reads ahead while a key held down sends file after file.
#include "sorting/PreviewFollower.h"

#include <QtTest>

using namespace sorvane;

class PreviewFollowerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
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
        QTest::newRow("key held, no read timed yet") << true << 0 << 50 << 0 << 0;
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
        for (int i = 0; i < 4; ++i) {
            follower.sent(held, 0);
            QTest::qSleep(20);
        }
        follower.sent(held, 0);
        const std::vector<int> picked = follower.readAhead(0, count, readMs);
        QVERIFY(!picked.empty());
        QVERIFY2(picked.front() >= fewest && picked.front() <= most,
                 qPrintable(QString::number(picked.front())));
        for (size_t i = 1; i < picked.size(); ++i)
            QCOMPARE(picked[i], picked.front() + int(i));
        QCOMPARE(int(picked.size()), qMin(4, count - picked.front()));
        const std::vector<int> pastWaiting = follower.readAhead(2, count, readMs);
        QCOMPARE(pastWaiting.front(), qMin(picked.front() + 2, count - 1));
    }
};

QTEST_GUILESS_MAIN(PreviewFollowerTest)
#include "tst_previewfollower.moc"
