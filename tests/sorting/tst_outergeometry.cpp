// Where the main window opens when the settings remember its place.
#include "controls/Twips.h"
#include "settings/Module1.h"
#include "sorting/OuterGeometry.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QtTest>

using namespace sorvane;

class OuterGeometryTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A window of 600 x 400 among the screens' areas; screen A is 1920 x 1080
    // at the origin, B a second one to its left.
    void reachablePlace_data() {
        QTest::addColumn<QPoint>("saved");
        QTest::addColumn<bool>("secondScreen");
        QTest::addColumn<QPoint>("opened");
        QTest::newRow("on the screen") << QPoint(100, 50) << false << QPoint(100, 50);
        QTest::newRow("half over the right edge") << QPoint(1700, 50) << false << QPoint(1700, 50);
        QTest::newRow("on a screen unplugged since")
            << QPoint(-1500, 200) << false << QPoint(0, 200);
        QTest::newRow("on that screen while it is there")
            << QPoint(-1500, 200) << true << QPoint(-1500, 200);
        QTest::newRow("past the right edge") << QPoint(2500, 900) << false << QPoint(1320, 680);
        QTest::newRow("top edge above the screen") << QPoint(300, -600) << false << QPoint(300, 0);
    }
    void reachablePlace() {
        QFETCH(QPoint, saved);
        QFETCH(bool, secondScreen);
        QFETCH(QPoint, opened);
        std::vector<QRect> areas{QRect(0, 0, 1920, 1080)};
        if (secondScreen)
            areas.push_back(QRect(-1920, 0, 1920, 1080));
        QCOMPARE(ReachablePlace(QRect(saved, QSize(600, 400)), areas), opened);
    }

    // A window larger than the only screen opens at its corner; with no
    // screen known the saved place stands.
    void largerThanTheScreenOrNoScreen() {
        const std::vector<QRect> small{QRect(0, 0, 800, 600)};
        QCOMPARE(ReachablePlace(QRect(5000, 5000, 1000, 900), small), QPoint(0, 0));
        QCOMPARE(ReachablePlace(QRect(5000, 5000, 1000, 900), {}), QPoint(5000, 5000));
    }

    // The remembered place is applied to the real window through the
    // screens the program runs on.
    void savedPlaceOffEveryScreen() {
        QMainWindow window;
        const Twips twips = Twips::forScreen();
        OuterGeometry geometry(window, twips);
        Module1 module;
        module.RememberWindowSize = 1;
        module.WindowWidth = QStringLiteral("9000");
        module.WindowHeight = QStringLiteral("8000");
        module.WindowLeft = 32000; // beyond any screen of this test's
        module.WindowTop = 0;
        QVERIFY(geometry.applySaved(module));
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(area.intersected(QRect(window.pos(), QSize(window.width(), 1))).width() >= 100,
                 qPrintable(QStringLiteral("window at %1,%2").arg(window.x()).arg(window.y())));
    }
};

QTEST_MAIN(OuterGeometryTest)
#include "tst_outergeometry.moc"
