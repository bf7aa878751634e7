// Every kind of picture cameras and phones write, read upright, at the
// box's size, in true colours; damaged ones refused, never crashed on.
#include "imaging/PictureReader.h"
#include "imaging/PictureSource.h"

#include "support/TestFiles.h"
#include "support/TestPictures.h"

#include <QColorSpace>
#include <QtTest>

#include <cmath>
#include <spng.h>

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
    const QSize rawStored = StoredForOrientation(CornerPicture(Upright * 4), orientation).size();
    if (kind == "jpeg")
        return OrientedJpeg(corners, orientation);
    if (kind == "heic" || kind == "avif")
        return HeifPicture(corners, kind == "heic" ? HeifCodec::Hevc : HeifCodec::Av1, orientation);
    if (kind.startsWith("dng"))
        return MinimalDng(rawStored, kind == "dng" ? corners : QImage(), orientation);
    return EncodedPicture(corners, kind.toLatin1().toUpper().constData(), orientation);
}

// Written under a name that says nothing of the kind, but for PNG, which
// goes by its name.
QString Written(const QTemporaryDir& dir, const QByteArray& bytes) {
    const QString path = dir.filePath(bytes.startsWith("\x89PNG") ? "picture.png" : "picture.dat");
    return !bytes.isEmpty() && WriteFile(path, bytes) ? path : QString();
}

// One 8-bit sRGB channel of a linear-light value.
int SrgbEncoded(double linear) {
    linear = std::clamp(linear, 0.0, 1.0);
    return int(std::lround(
        255 * (linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055)));
}

// An Adobe RGB (1998) colour as sRGB, worked out from the two colour
// spaces' definitions rather than by the code under test: Adobe RGB's
// curve is the power 563/256, and as both spaces share their red and blue
// primaries and white point, only green mixes into the other channels.
QColor AdobeToSrgb(QColor adobe) {
    const auto linear = [](int v) { return std::pow(v / 255.0, 563.0 / 256.0); };
    const double r = linear(adobe.red()), g = linear(adobe.green()), b = linear(adobe.blue());
    return QColor(SrgbEncoded(1.39835 * r - 0.39835 * g), SrgbEncoded(g),
                  SrgbEncoded(-0.04294 * g + 1.04294 * b));
}

// A flat 32 x 32 RGB PNG of the colour with the given colour chunks, by libspng.
QByteArray ChunkedPng(QColor colour, std::uint32_t gama, bool srgb) {
    spng_ctx* ctx = spng_ctx_new(SPNG_CTX_ENCODER);
    spng_set_option(ctx, SPNG_ENCODE_TO_BUFFER, 1);
    spng_ihdr ihdr{32, 32, 8, SPNG_COLOR_TYPE_TRUECOLOR, 0, 0, 0};
    spng_set_ihdr(ctx, &ihdr);
    if (gama)
        spng_set_gama_int(ctx, gama);
    if (srgb)
        spng_set_srgb(ctx, 0);
    QImage pixels(32, 32, QImage::Format_RGB888); // rows of 96 bytes, nothing between
    pixels.fill(colour);
    size_t length = 0;
    int error = spng_encode_image(ctx, pixels.constBits(), size_t(pixels.sizeInBytes()),
                                  SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE);
    void* buffer = error ? nullptr : spng_get_png_buffer(ctx, &length, &error);
    const QByteArray png(static_cast<const char*>(buffer), qsizetype(length));
    std::free(buffer);
    spng_ctx_free(ctx);
    return png;
}

} // namespace

class PictureKindsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each kind by its content, shrunk to the box or kept at its own size,
    // in the 32-bit format a screen draws without converting it at every
    // paint. A camera or phone held on its side stores the pixels turned and
    // says so; the picture must come upright, its size the upright one.
    void readsEveryKindUpright_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QSize>("shown");
        const QSize box(150, 120), whole(1000, 1000), shrunk(150, 100);
        for (const char* kind : {"jpeg", "png", "bmp", "webp", "tiff", "heic", "avif"}) {
            QTest::addRow("%s shrunk", kind) << kind << 1 << box << shrunk;
            QTest::addRow("%s whole", kind) << kind << 1 << whole << Upright;
        }
        for (const char* kind : {"jpeg", "tiff", "webp", "heic"})
            for (int orientation = 2; orientation <= 8; ++orientation)
                QTest::addRow("%s %d", kind, orientation) << kind << orientation << box << shrunk;
        // Raw files turn only by quarter turns, never mirrored. A preview
        // smaller than the box: the raw developed instead.
        for (const char* kind : {"dng", "dng without preview"}) {
            for (int orientation : {1, 3, 6, 8})
                QTest::addRow("%s %d", kind, orientation) << kind << orientation << box << shrunk;
            QTest::addRow("%s whole", kind) << kind << 1 << whole << QSize(1000, 667);
        }
    }
    void readsEveryKindUpright() {
        QFETCH(QString, kind);
        QFETCH(int, orientation);
        QFETCH(QSize, box);
        QFETCH(QSize, shown);
        QTemporaryDir dir;
        const QString path = Written(dir, PictureOfKind(kind, orientation));
        QVERIFY(!path.isEmpty());
        const Picture picture = PictureSource({4, 0}).load(path, box);
        QCOMPARE(picture.error, FileError::None);
        QCOMPARE(picture.naturalSize, kind.startsWith("dng") ? Upright * 4 : Upright);
        QCOMPARE(picture.image.size(), shown);
        QCOMPARE(picture.image.format(), QImage::Format_RGB32);
        // The raw data is grey: developed, it shows none of the corners' colours.
        const bool developed =
            kind == "dng without preview" || (kind == "dng" && box == QSize(1000, 1000));
        if (developed)
            QCOMPARE_NE(Corners(picture.image), QList<int>({0, 1, 2, 3}));
        else
            QCOMPARE(Corners(picture.image), QList<int>({0, 1, 2, 3}));
    }

    // A cut or scribbled file is no picture: the window shows its
    // substitute, and nothing crashes or hangs.
    void damagedFilesAreInvalid_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("damage");
        for (const char* kind : {"jpeg", "webp", "tiff", "heic", "avif", "dng"})
            QTest::addRow("%s cut after its signature", kind) << kind << "head";
        for (const char* kind : {"webp", "tiff", "heic", "avif"})
            QTest::addRow("%s cut in half", kind) << kind << "half";
        // HEVC's decoder conceals damage inside the coded picture instead of
        // failing, as JPEG's does; the others refuse it.
        for (const char* kind : {"webp", "tiff", "avif"})
            QTest::addRow("%s zeroed from its middle", kind) << kind << "zeroed";
        for (const char* kind : {"heic", "avif", "tiff", "dng without preview"})
            QTest::addRow("%s claiming 100000 x 100000", kind) << kind << "huge";
    }
    void damagedFilesAreInvalid() {
        QFETCH(QString, kind);
        QFETCH(QString, damage);
        QByteArray bytes = PictureOfKind(kind);
        const qsizetype half = bytes.size() / 2;
        if (damage == "head" || damage == "half")
            bytes.truncate(damage == "head" ? 24 : half);
        else if (damage == "zeroed")
            bytes.replace(half, half, QByteArray(half, '\0'));
        else
            QVERIFY(ClaimHugeSize(bytes));
        QTemporaryDir dir;
        const QString path = Written(dir, bytes);
        QVERIFY(half > 0 && !path.isEmpty());
        QElapsedTimer timer;
        timer.start();
        const Picture picture = ReadPicture(path, QSize(150, 150));
        QCOMPARE(picture.error, FileError::InvalidPicture);
        QVERIFY(picture.isNull());
        QCOMPARE_LT(timer.elapsed(), 2000);
    }

    // A picture in another colour space shows its colours converted to sRGB;
    // an sRGB or untagged one, or PNG's usual 1/2.2 gamma alone, keeps its
    // pixels (no rounding through a conversion). The tolerance covers lossy
    // coding of a flat colour and the colour transform's 8-bit tables. A
    // see-through picture comes premultiplied, the format the screen blends
    // without converting it first.
    void colourSpacesShownInSrgb_data() {
        QTest::addColumn<QByteArray>("picture");
        QTest::addColumn<QColor>("expected");
        QTest::addColumn<int>("tolerance");
        for (const QColor& adobe : {QColor(100, 150, 200), QColor(60, 140, 50), {210, 160, 130}}) {
            QImage image(QSize(64, 64), QImage::Format_RGB32);
            image.fill(adobe);
            image.setColorSpace(QColorSpace(QColorSpace::AdobeRgb));
            for (const char* format : {"JPEG", "PNG"})
                QTest::addRow("%s Adobe RGB %s", format, qPrintable(adobe.name()))
                    << EncodedPicture(image, format) << AdobeToSrgb(adobe) << 3;
        }
        const QColor stored(64, 128, 192), glass(200, 40, 40, 128);
        const QColor linear(SrgbEncoded(64 / 255.0), SrgbEncoded(128 / 255.0),
                            SrgbEncoded(192 / 255.0));
        QTest::newRow("PNG linear gamma") << ChunkedPng(stored, 100000, false) << linear << 1;
        QTest::newRow("PNG gamma 1/2.2 alone") << ChunkedPng(stored, 45455, false) << stored << 1;
        QTest::newRow("PNG sRGB chunk") << ChunkedPng(stored, 45455, true) << stored << 1;
        QTest::newRow("PNG untagged") << ChunkedPng(stored, 0, false) << stored << 1;
        QImage seeThrough(Upright, QImage::Format_ARGB32);
        seeThrough.fill(glass);
        for (const char* format : {"PNG", "WEBP", "TIFF"})
            QTest::addRow("%s see-through", format)
                << EncodedPicture(seeThrough, format) << glass << 3;
    }
    void colourSpacesShownInSrgb() {
        QFETCH(QByteArray, picture);
        QFETCH(QColor, expected);
        QFETCH(int, tolerance);
        QTemporaryDir dir;
        const Picture read = PictureSource({4, 0}).load(Written(dir, picture), QSize(32, 32));
        QVERIFY(!read.isNull());
        QCOMPARE(read.image.format(), expected.alpha() < 255 ? QImage::Format_ARGB32_Premultiplied
                                                             : QImage::Format_RGB32);
        const QColor shown = read.image.pixelColor(read.image.width() / 2, read.image.height() / 2);
        QCOMPARE(shown.alpha(), expected.alpha());
        const int farthest = std::max({std::abs(shown.red() - expected.red()),
                                       std::abs(shown.green() - expected.green()),
                                       std::abs(shown.blue() - expected.blue())});
        QVERIFY2(farthest <= tolerance, qPrintable(shown.name() + " for " + expected.name()));
    }
};

QTEST_GUILESS_MAIN(PictureKindsTest)
#include "tst_picturekinds.moc"
