// Every kind of picture cameras and phones write, read upright, at the
// box's size, in true colours; damaged ones refused, never crashed on.
#include "imaging/PictureReader.h"
#include "imaging/PictureSource.h"

#include "support/TestFiles.h"
#include "support/TestPictures.h"

#include <QColorSpace>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

const QSize Upright(300, 200);

// The corner picture at the upright size, by that kind's real encoder. A
// camera raw's preview is a quarter of its raw size, as some cameras make
// it, so the raw's size (LibRaw's reading) differs from the preview's (what
// a TIFF reader would see), and the raw developed from the preview.
QByteArray PictureOfKind(const QString& kind, int orientation = 1) {
    const QImage corners = CornerPicture(Upright);
    if (kind == "jpeg")
        return OrientedJpeg(corners, orientation);
    if (kind == "heic" || kind == "avif")
        return HeifPicture(corners, kind == "heic" ? HeifCodec::Hevc : HeifCodec::Av1);
    if (kind.startsWith("dng"))
        return MinimalDng(Upright * 4, kind == "dng" ? corners : QImage());
    return EncodedPicture(corners, kind.toLatin1().toUpper().constData(), orientation);
}

// Written under a name that says nothing of the kind, but for PNG, which
// goes by its name.
QString Written(const QTemporaryDir& dir, const QByteArray& bytes) {
    const QString path = dir.filePath(bytes.startsWith("\x89PNG") ? "picture.png" : "picture.dat");
    return !bytes.isEmpty() && WriteFile(path, bytes) ? path : QString();
}

} // namespace

class PictureKindsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each kind by its content, shrunk to the box. A camera held on its side
    // stores the pixels turned and says so: the picture comes upright, its
    // size the upright one (every EXIF orientation through JPEG; WebP's,
    // which Qt's reader ignores, once).
    void readsEveryKindUpright_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QSize>("shown");
        const QSize box(150, 120), whole(1000, 1000), shrunk(150, 100);
        for (const char* kind : {"png", "tiff", "heic", "avif", "dng", "dng without preview"})
            QTest::newRow(kind) << kind << 1 << box << shrunk;
        for (int orientation = 1; orientation <= 8; ++orientation)
            QTest::addRow("jpeg %d", orientation) << "jpeg" << orientation << box << shrunk;
        QTest::newRow("webp 6") << "webp" << 6 << box << shrunk;
        // A preview smaller than the box: the raw developed instead.
        QTest::newRow("dng whole") << "dng" << 1 << whole << QSize(1000, 667);
    }
    void readsEveryKindUpright() {
        QFETCH(QString, kind);
        QFETCH(int, orientation);
        QFETCH(QSize, box);
        QFETCH(QSize, shown);
        QTemporaryDir dir;
        const QString path = Written(dir, PictureOfKind(kind, orientation));
        const Picture picture = PictureSource({4, 0}).load(path, box);
        QCOMPARE(picture.error, FileError::None);
        QCOMPARE(picture.naturalSize, kind.startsWith("dng") ? Upright * 4 : Upright);
        QCOMPARE(picture.image.size(), shown);
        // The raw data is grey: developed, it shows none of the corners' colours.
        if (kind == "dng without preview" || (kind == "dng" && box.width() == 1000))
            QCOMPARE_NE(Corners(picture.image), QList<int>({0, 1, 2, 3}));
        else
            QCOMPARE(Corners(picture.image), QList<int>({0, 1, 2, 3}));
    }

    // A cut or impossibly large file is no picture: the window shows its
    // substitute, and nothing crashes or hangs.
    void damagedFilesAreInvalid_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("damage");
        for (const char* kind : {"jpeg", "webp", "tiff", "heic", "avif", "dng"})
            QTest::addRow("%s cut after its signature", kind) << kind << "head";
        for (const char* kind : {"heic", "tiff", "dng without preview"})
            QTest::addRow("%s claiming 100000 x 100000", kind) << kind << "huge";
    }
    void damagedFilesAreInvalid() {
        QFETCH(QString, kind);
        QFETCH(QString, damage);
        QByteArray bytes = PictureOfKind(kind);
        if (damage == "head")
            bytes.truncate(24);
        else
            QVERIFY(ClaimHugeSize(bytes));
        QTemporaryDir dir;
        const Picture picture = ReadPicture(Written(dir, bytes), QSize(150, 150));
        QCOMPARE(picture.error, FileError::InvalidPicture);
        QVERIFY(picture.isNull());
    }

    // An Adobe RGB picture shows its colours converted to sRGB, through
    // Qt's JPEG reader and through the PNG decoder. The expected colour is
    // worked out from the two spaces' definitions (Adobe RGB's curve is the
    // power 563/256; they share red, blue and white, so only green mixes
    // in), within the 8-bit tables' and lossy coding's rounding.
    void adobeRgbShownInSrgb() {
        QImage image(QSize(64, 64), QImage::Format_RGB32);
        image.fill(QColor(100, 150, 200));
        image.setColorSpace(QColorSpace(QColorSpace::AdobeRgb));
        for (const char* format : {"JPEG", "PNG"}) {
            QTemporaryDir dir;
            const QString path = Written(dir, EncodedPicture(image, format));
            const QColor shown =
                PictureSource({4, 0}).load(path, {32, 32}).image.pixelColor(16, 16);
            QVERIFY2(std::abs(shown.red() - 66) <= 3 && std::abs(shown.green() - 151) <= 3 &&
                         std::abs(shown.blue() - 203) <= 3,
                     qPrintable(QString(format) + ": " + shown.name()));
        }
    }
};

QTEST_GUILESS_MAIN(PictureKindsTest)
#include "tst_picturekinds.moc"
