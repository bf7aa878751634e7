// The picture pane the preview and the viewer share, on real pictures in a
// temporary folder read by the real picture source: what each kind of file
// shows, where the picture lands in the box, and that a picture is painted
// pixel for pixel on a high-density screen (this suite runs a second time
// with QT_SCALE_FACTOR=2); and the work put behind a paint.
#include "controls/AfterPaint.h"
#include "controls/ImageBox.h"
#include "controls/PicturePane.h"
#include "imaging/PictureSource.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// One pixel each of two colours, alternating: any scaling on the way from
// the file to the screen mixes them.
QImage Checkerboard(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, (x + y) % 2 ? qRgb(250, 250, 250) : qRgb(10, 60, 10));
    return image;
}

} // namespace

class PicturePaneTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    PictureSource pictures;
    std::unique_ptr<QWidget> box;
    ImageBox* image = nullptr;
    std::unique_ptr<PicturePane> pane;

    QString Path(const QString& name) const { return dir.filePath(name); }

    void MakePane(QSize size) {
        box = std::make_unique<QWidget>();
        box->resize(size);
        image = new ImageBox(box.get());
        pane = std::make_unique<PicturePane>(*box, *image, pictures, Path("Error.jpg"));
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(WriteImage(Path("Error.jpg"), {30, 20}, "JPEG"));
        QVERIFY(WriteImage(Path("wide.jpg"), {400, 100}, "JPEG"));
        QVERIFY(WriteImage(Path("small.png"), {40, 30}, "PNG"));
        QVERIFY(WriteFile(Path("notes.jpg"), "not a picture"));
    }

    // What show() gives for a file, after another file's picture: a picture
    // placed by fit() in a 200 x 150 box, shrunk or at its natural size,
    // centred; the substitute for a file that is no picture (the viewer's
    // own showing says so instead); nothing for a file or folder gone, the
    // picture before hidden so that none of another file stays in view, and
    // the window told which case.
    void showsAndFits_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<QRect>("placed"); // null: hidden
        const auto shown = int(DisplayOutcome::Shown);
        QTest::newRow("wider than the box: shrunk, centred")
            << "wide.jpg" << shown << QSize(400, 100) << QRect(0, 50, 200, 50);
        QTest::newRow("smaller: natural size, centred")
            << "small.png" << shown << QSize(40, 30) << QRect(80, 60, 40, 30);
        QTest::newRow("no picture: the substitute")
            << "notes.jpg" << int(DisplayOutcome::SubstituteShown) << QSize(30, 20)
            << QRect(85, 65, 30, 20);
        QTest::newRow("file gone")
            << "gone.jpg" << int(DisplayOutcome::Quiet) << QSize() << QRect();
        QTest::newRow("folder gone")
            << "nowhere/a.jpg" << int(DisplayOutcome::MissingFolder) << QSize() << QRect();
    }
    void showsAndFits() {
        QFETCH(QString, name);
        QFETCH(QSize, natural);
        QFETCH(QRect, placed);
        MakePane({200, 150});
        QCOMPARE(pane->showOwn(Path("notes.jpg")), FileError::InvalidPicture);
        QCOMPARE(pane->show(Path("small.png")), DisplayOutcome::Shown);
        image->show();
        QTEST(int(pane->show(Path(name))), "outcome");
        if (placed.isNull()) {
            QVERIFY(image->isHidden() && !pane->showReady(Path(name)));
            return;
        }
        QCOMPARE(pane->naturalSize(), natural);
        QCOMPARE(pane->fit(), natural.width() > 200);
        QCOMPARE(image->geometry(), placed);
    }

    // A picture with exactly the box's device pixels is larger than the box
    // on a high-density screen; shrunk to the box, it still reaches the
    // screen pixel for pixel.
    void paintsPixelForPixel() {
        MakePane({100, 75});
        if (qEnvironmentVariable("QT_SCALE_FACTOR") == QStringLiteral("2"))
            QCOMPARE(box->devicePixelRatioF(), 2.0);
        const QImage board = Checkerboard(pane->pixelBox());
        QVERIFY(board.save(Path("board.png")));
        QCOMPARE(pane->show(Path("board.png")), DisplayOutcome::Shown);
        pane->fit();
        image->show();
        QImage painted = image->grab().toImage().convertToFormat(QImage::Format_RGB32);
        painted.setDevicePixelRatio(1); // compared as the screen's pixels
        QCOMPARE(painted, board);
    }

    // Work put behind the paint (reading the next pictures ahead) never runs
    // for a window that is gone: it reaches into the window it was asked for.
    void nothingRunsAfterThePaintOfAWindowGone() {
        bool ran = false;
        RunAfterPaint(std::make_unique<QWidget>().get(), [&ran] { ran = true; });
        QTest::qWait(20);
        QVERIFY(!ran);
    }
};

QTEST_MAIN(PicturePaneTest)
#include "tst_picturepane.moc"
