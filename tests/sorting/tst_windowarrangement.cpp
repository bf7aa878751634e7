// The layout arithmetic of the three arrangements.
#include "sorting/WindowArrangement.h"

#include <QtTest>

using namespace sorvane;

namespace {

const Placement* Find(const std::vector<Placement>& all, Control control, int index = 0) {
    for (const Placement& p : all)
        if (p.control == control && p.index == index)
            return &p;
    return nullptr;
}

} // namespace

class WindowArrangementTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ordinaryArrangement() {
        const auto all = ArrangeWindow(8655, 7350, RunLayout::Ordinary);
        const Placement* box = Find(all, Control::Picture1);
        QCOMPARE(*box->left, 0.0f);
        QCOMPARE(*box->top, 2900.0f);
        QCOMPARE(*box->width, 8655.0f);
        QCOMPARE(*box->height, 4150.0f);
        QCOMPARE(*Find(all, Control::Command4, 0)->left, 100.0f);
        QCOMPARE(*Find(all, Control::Command4, 0)->width, 845.5f);
        QCOMPARE(*Find(all, Control::Command4, 9)->left, 7709.5f);
        QCOMPARE(*Find(all, Control::Command4, 10)->top, 2400.0f);
        QCOMPARE(*Find(all, Control::Label1, 9)->top, 1680.0f);
        QCOMPARE(*Find(all, Control::Command2)->left, 7205.0f);
        QVERIFY(!Find(all, Control::Label3)->left.has_value()); // only its top moves
        QCOMPARE(all.front().control, Control::Picture1);       // the box is placed first
    }

    void extendRowArrangement() {
        const auto all = ArrangeWindow(8655, 7350, RunLayout::ExtendRow);
        const Placement* box = Find(all, Control::Picture1);
        QCOMPARE(*box->top, 1200.0f);
        QCOMPARE(*box->height, 5850.0f);
        QCOMPARE(*Find(all, Control::Command4, 3)->top, 240.0f);
        QCOMPARE(*Find(all, Control::Label1, 3)->top, 0.0f);
        const Placement* cancel = Find(all, Control::Command1);
        QCOMPARE(*cancel->left, 100 + 7 * 845.5f); // under buttons 7 and 8
        QCOMPARE(*cancel->width, 1691.0f);
        QVERIFY(!Find(all, Control::Command2));
        QCOMPARE(*Find(all, Control::Label4)->top, 940.0f);
    }

    void extendColumnArrangement() {
        const auto all = ArrangeWindow(8655, 7350, RunLayout::ExtendColumn);
        const Placement* box = Find(all, Control::Picture1);
        QCOMPARE(*box->width, 7155.0f);
        QCOMPARE(*box->height, 7050.0f);
        QCOMPARE(*Find(all, Control::Command4, 0)->top, 800.0f);
        QCOMPARE(*Find(all, Control::Command4, 1)->top, 1368.18176f);
        QCOMPARE(*Find(all, Control::Command4, 10)->top, 6481.81836f);
        QCOMPARE(*Find(all, Control::Label1, 0)->top, 630.0f);
        QCOMPARE(*Find(all, Control::Label1, 0)->height, 375.0f);
        QCOMPARE(*Find(all, Control::Command4, 11)->left, 7255.0f);
    }

    void unknownArrangementPlacesNothing() {
        QVERIFY(ArrangeWindow(8655, 7350, RunLayout(3)).empty());
    }
};

QTEST_GUILESS_MAIN(WindowArrangementTest)
#include "tst_windowarrangement.moc"
