// Path joining, captions, number texts and the fit arithmetic.
#include "imaging/Fit.h"
#include "platform/NumberText.h"
#include "platform/Paths.h"

#include <QtTest>

using namespace sorvane;

class PathsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void joinPath_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("joined");
        QTest::newRow("root") << "/"
                              << "/a.jpg";
        QTest::newRow("folder") << "/pics"
                                << "/pics/a.jpg";
        QTest::newRow("trailing separator") << "/pics/"
                                            << "/pics/a.jpg";
    }
    void joinPath() {
        QFETCH(QString, folder);
        QFETCH(QString, joined);
        QCOMPARE(JoinPath(folder, "a.jpg"), joined);
    }

    void folderButtonCaption_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("caption");
        QTest::newRow("nested") << "/Sorted/Cats"
                                << "Cats";
        QTest::newRow("root") << "/"
                              << "/";
        QTest::newRow("trailing separator") << "/Sorted/"
                                            << "/Sorted/";
        QTest::newRow("no separator") << "relative"
                                      << "relative";
        QTest::newRow("japanese") << "/写真/猫"
                                  << "猫";
    }
    void folderButtonCaption() {
        QFETCH(QString, path);
        QFETCH(QString, caption);
        QCOMPARE(FolderButtonCaption(path), caption);
    }

    void singleText() {
        QCOMPARE(SingleText(640), QStringLiteral("640"));
        QCOMPARE(SingleText(-15), QStringLiteral("-15"));
        QCOMPARE(SingleText(845.5f), QStringLiteral("845.5"));
        QCOMPARE(SingleText(568.1818f), QStringLiteral("568.1818"));
    }

    void fit_data() {
        QTest::addColumn<QSizeF>("natural");
        QTest::addColumn<QSizeF>("box");
        QTest::addColumn<bool>("stretched");
        QTest::addColumn<QRectF>("placed");
        QTest::newRow("wide") << QSizeF(1600, 1200) << QSizeF(400, 300) << true
                              << QRectF(0, 0, 400, 300);
        QTest::newRow("tall") << QSizeF(500, 1000) << QSizeF(400, 300) << true
                              << QRectF(125, 0, 150, 300);
        QTest::newRow("small") << QSizeF(200, 100) << QSizeF(400, 300) << false
                               << QRectF(100, 100, 200, 100);
        QTest::newRow("exactly as wide")
            << QSizeF(400, 200) << QSizeF(400, 300) << false << QRectF(0, 50, 400, 200);
        QTest::newRow("square box")
            << QSizeF(1600, 1200) << QSizeF(400, 400) << true << QRectF(0, 50, 400, 300);
    }
    void fit() {
        QFETCH(QSizeF, natural);
        QFETCH(QSizeF, box);
        QFETCH(bool, stretched);
        QFETCH(QRectF, placed);
        const FitResult f = FitPicture(float(natural.width()), float(natural.height()),
                                       float(box.width()), float(box.height()));
        QCOMPARE(f.stretched, stretched);
        QCOMPARE(QRectF(f.left, f.top, f.width, f.height), placed);
    }
};

QTEST_GUILESS_MAIN(PathsTest)
#include "tst_paths.moc"
