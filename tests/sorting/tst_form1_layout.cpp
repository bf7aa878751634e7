// The layout pass through the real window: each arrangement, resizing and the minimum size.
#include "sorting/Form1Fixture.h"

#include "controls/FileList.h"
#include "controls/ImageBox.h"
#include "controls/Twips.h"
#include "support/TestFiles.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

Twips ScreenTwips() {
    return Twips(float(QGuiApplication::primaryScreen()->logicalDotsPerInch()));
}

QRect Px(float left, float top, float width, float height) {
    return ScreenTwips().ToPixels(QRectF(left, top, width, height));
}

// Inner width and height of the window in twips.
QSizeF Inner(Form1& w) {
    const Twips t = ScreenTwips();
    return QSizeF(t.FromPixels(w.centralWidget()->width()),
                  t.FromPixels(w.centralWidget()->height()));
}

// The same, as the single-precision W and H of the layout arithmetic.
std::pair<float, float> InnerWH(Form1& w) {
    const QSizeF inner = Inner(w);
    return {float(inner.width()), float(inner.height())};
}

} // namespace

class Form1LayoutTest : public QObject {
    Q_OBJECT
private slots:
    void ordinaryArrangementAtTheDesignSize() {
        Form1Fixture f;
        f.StartWith({});
        Form1& w = *f.window;
        QCOMPARE(Inner(w), QSizeF(8655, 7350));
        QCOMPARE(f.ui().Picture1->geometry(), Px(0, 2900, 8655, 4150));
        QCOMPARE(f.ui().Command4[9]->geometry(), Px(7709.5f, 1920, 845.5f, 375));
        QCOMPARE(f.ui().Command1->geometry(), Px(7205, 120, 1335, 495));
        QCOMPARE(f.ui().Label5->text(), QStringLiteral(" %1X%2 Pixel ")
                                            .arg(f.ui().Picture1->width())
                                            .arg(f.ui().Picture1->height()));
        QVERIFY(f.ui().Label5->isVisible());
        QVERIFY(f.ui().Label7->isHidden());
        // Neighbouring buttons touch without a gap or overlap.
        QCOMPARE(f.ui().Command4[1]->x(), f.ui().Command4[0]->geometry().right() + 1);
    }

    void extendRowArrangementDuringARun() {
        Form1Fixture f;
        f.StartWith({"a.jpg"}, "0,1,0,1,0,1,0,0,0,0,0");
        Form1& w = *f.window;
        const auto [W, H] = InnerWH(w);
        const float u = (W - 200) / 10;
        w.Command1_Click();
        QCOMPARE(f.module.RunLayout, 1);
        QCOMPARE(f.ui().Picture1->geometry(), Px(0, 1200, W, H - 1500));
        QCOMPARE(f.ui().Command4[3]->geometry(), Px(100 + 3 * u, 240, u, 375));
        QCOMPARE(f.ui().Command1->geometry(), Px(100 + 7 * u, 720, (W - 200) / 5, 375));
        for (QWidget* hidden :
             {static_cast<QWidget*>(f.ui().File1), static_cast<QWidget*>(f.ui().Drive1),
              static_cast<QWidget*>(f.ui().Command2), static_cast<QWidget*>(f.ui().Label2[0])})
            QVERIFY(hidden->isHidden());
        QVERIFY(f.ui().Label3->isVisible());
        QVERIFY(f.ui().Image1->isVisible()); // the refit shows the first file in the new box
        QCOMPARE(f.ui().Label7->text(), QStringLiteral(" 64X48 Pixel "));
        w.Command1_Click();
        QCOMPARE(f.module.RunLayout, 0);
        QCOMPARE(f.ui().Picture1->geometry(), Px(0, 2900, W, H - 3200));
        QCOMPARE(f.ui().Command4[3]->geometry().top(), Px(0, 1920, 1, 1).top());
        QVERIFY(f.ui().File1->isVisible());
    }

    void extendColumnArrangementDuringARun() {
        Form1Fixture f;
        f.StartWith({"a.jpg"}, "0,1,0,1,0,1,1,0,0,0,0");
        Form1& w = *f.window;
        const auto [W, H] = InnerWH(w);
        const float v = (H - 1100) / 11;
        w.Command1_Click();
        QCOMPARE(f.module.RunLayout, 2);
        QCOMPARE(f.ui().Picture1->geometry(), Px(0, 0, W - 1500, H - 300));
        QCOMPARE(f.ui().Command4[10]->geometry(), Px(W - 1400, 800 + v * 10, 1300, 375));
        QCOMPARE(f.ui().Label1[0]->geometry(), Px(W - 1400, 630, 1300, 375));
        QVERIFY(f.ui().Label3->isHidden());
        w.Command1_Click();
        QCOMPARE(f.ui().Command4[0]->geometry().top(), Px(0, 1920, 1, 1).top());
        QCOMPARE(f.ui().Label1[0]->height(),
                 Px(0, 0, 1, 375).height()); // keeps the column's height
        QVERIFY(f.ui().Label3->isVisible());
    }

    void resizingRefitsTheCurrentFile() {
        Form1Fixture f;
        f.StartWith({});
        WriteImage(f.Path("src/big.jpg"), QSize(1600, 1200), "JPEG");
        Form1& w = *f.window;
        w.resize(w.width() + 150, w.height() + 60); // nothing shown yet: the view size
        QCOMPARE(f.ui().Label5->text(), QStringLiteral(" %1X%2 Pixel ")
                                            .arg(f.ui().Picture1->width())
                                            .arg(f.ui().Picture1->height()));
        QVERIFY(f.ui().Label7->isHidden());
        f.ui().File1->refresh();
        f.ui().File1->setListIndex(0);
        w.ShowSelectedFile();
        const int before = f.ui().Image1->height();
        w.resize(w.width() + 300, w.height() + 300);
        QVERIFY(f.ui().Image1->height() > before);
        QVERIFY(f.ui().Image1->isVisible());
        QVERIFY(f.ui().Label7->isVisible());
        QVERIFY(f.ui().Label5->isHidden());
        QCOMPARE(f.ui().Label7->text(), QStringLiteral(" 1600X1200 Pixel "));
    }

    void windowKeepsItsMinimumSize() {
        Form1Fixture f;
        f.StartWith({});
        f.window->resize(200, 150);
        QTest::qWait(20);
        QVERIFY(f.window->OuterTwips().width() >= 8775);
        QVERIFY(f.window->OuterTwips().height() >= 8040);
    }
};

QTEST_MAIN(Form1LayoutTest)
#include "tst_form1_layout.moc"
