// Captions and drives taken from paths, number texts and the fit arithmetic.
#include "imaging/Fit.h"
#include "platform/Drives.h"
#include "platform/NumberText.h"
#include "platform/Paths.h"

#include <QtTest>

using namespace sorvane;

class PathsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void folderButtonCaption_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("caption");
        const auto add = [](const char* row, const char* path, const char* caption) {
            QTest::newRow(row) << QString::fromUtf8(path) << QString::fromUtf8(caption);
        };
        add("nested", "/Sorted/Cats", "Cats");
        add("root", "/", "/");
        add("trailing separator", "/Sorted/", "/Sorted/");
        add("no separator", "relative", "relative");
        add("japanese", "/写真/猫", "猫");
    }
    void folderButtonCaption() {
        QFETCH(QString, path);
        QFETCH(QString, caption);
        QCOMPARE(FolderButtonCaption(path), caption);
    }

    // The drive of a path is the longest mount point that holds it as a
    // whole folder: /mnt2 is not inside /mnt.
    void driveOf_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("drive");
        const auto add = [](const char* path, const char* drive) {
            QTest::newRow(path) << QString::fromUtf8(path) << QString::fromUtf8(drive);
        };
        add("/mnt", "/mnt");
        add("/mnt/photos/2024", "/mnt");
        add("/mnt2/photos", "/mnt2");
        add("/mnt/usb/写真", "/mnt/usb");
        add("/mntx", "/");
        add("/home", "/");
    }
    void driveOf() {
        QFETCH(QString, path);
        QFETCH(QString, drive);
        QCOMPARE(DriveOf(path, {"/", "/mnt", "/mnt/usb", "/mnt2"}), drive);
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
        const auto add = [](const char* row, QSizeF natural, QSizeF box, bool stretched,
                            QRectF placed) {
            QTest::newRow(row) << natural << box << stretched << placed;
        };
        add("wide", {1600, 1200}, {400, 300}, true, {0, 0, 400, 300});
        add("tall", {500, 1000}, {400, 300}, true, {125, 0, 150, 300});
        add("small", {200, 100}, {400, 300}, false, {100, 100, 200, 100});
        add("exactly as wide", {400, 200}, {400, 300}, false, {0, 50, 400, 200});
        add("square box", {1600, 1200}, {400, 400}, true, {0, 50, 400, 300});
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
