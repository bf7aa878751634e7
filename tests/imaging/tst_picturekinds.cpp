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

// The picture of each kind, written by that kind's real encoder, of the
// corner picture at the upright size above. A camera raw's preview is a
// quarter of its raw size, as some cameras make it, so a test can tell the
// raw's size (LibRaw's reading) from the preview's (what a TIFF reader would
// see), and the raw developed at half size from the preview.
QByteArray PictureOfKind(const QString& kind, int orientation = 1) {
    const QImage corners = CornerPicture(Upright);
    if (kind == "jpeg")
        return OrientedJpeg(corners, orientation);
    if (kind == "heic")
        return HeifPicture(corners, HeifCodec::Hevc, orientation);
    if (kind == "avif")
        return HeifPicture(corners, HeifCodec::Av1, orientation);
    const QSize rawStored = StoredForOrientation(CornerPicture(Upright * 4), orientation).size();
    if (kind == "dng")
        return MinimalDng(rawStored, corners, orientation);
    if (kind == "dng without preview")
        return MinimalDng(rawStored, QImage(), orientation);
    return EncodedPicture(corners, kind.toLatin1().toUpper().constData(), orientation);
}

// The size the reader reports for the whole picture of that kind.
QSize NaturalOfKind(const QString& kind) {
    return kind.startsWith("dng") ? Upright * 4 : Upright;
}

// A file name that says nothing of the kind, except for PNG, which is
// chosen by its name.
QString NameFor(const QString& kind) {
    return kind == "png" ? "picture.png" : "picture.dat";
}

QString Written(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    return !bytes.isEmpty() && WriteFile(path, bytes) ? path : QString();
}

// One 8-bit sRGB channel of a linear-light value.
int SrgbEncoded(double linear) {
    linear = std::clamp(linear, 0.0, 1.0);
    const double v =
        linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
    return int(std::lround(v * 255));
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

// A flat-coloured 8-bit RGB PNG with the given colour chunks, by libspng.
QByteArray ChunkedPng(QColor colour, std::uint32_t gama, bool srgb) {
    spng_ctx* ctx = spng_ctx_new(SPNG_CTX_ENCODER);
    spng_set_option(ctx, SPNG_ENCODE_TO_BUFFER, 1);
    spng_ihdr ihdr{32, 32, 8, SPNG_COLOR_TYPE_TRUECOLOR, 0, 0, 0};
    spng_set_ihdr(ctx, &ihdr);
    if (gama)
        spng_set_gama_int(ctx, gama);
    if (srgb)
        spng_set_srgb(ctx, 0);
    std::vector<unsigned char> pixels;
    for (int i = 0; i < 32 * 32; ++i)
        pixels.insert(pixels.end(),
                      {uchar(colour.red()), uchar(colour.green()), uchar(colour.blue())});
    QByteArray png;
    if (spng_encode_image(ctx, pixels.data(), pixels.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE) ==
        0) {
        size_t length = 0;
        int error = 0;
        void* buffer = spng_get_png_buffer(ctx, &length, &error);
        png = QByteArray(static_cast<const char*>(buffer), qsizetype(length));
        std::free(buffer);
    }
    spng_ctx_free(ctx);
    return png;
}

int Farthest(QColor a, QColor b) {
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                     std::abs(a.blue() - b.blue())});
}

} // namespace

class PictureKindsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A camera or phone held on its side stores the pixels turned and says
    // so; the picture must come upright, its size the upright one.
    void orientationsLandUpright_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("orientation");
        for (int orientation = 1; orientation <= 8; ++orientation) {
            QTest::addRow("jpeg %d", orientation) << "jpeg" << orientation;
            QTest::addRow("tiff %d", orientation) << "tiff" << orientation;
            QTest::addRow("webp %d", orientation) << "webp" << orientation;
            QTest::addRow("heic %d", orientation) << "heic" << orientation;
        }
        // Raw files turn only by quarter turns, never mirrored.
        for (int orientation : {1, 3, 6, 8}) {
            QTest::addRow("dng %d", orientation) << "dng" << orientation;
            QTest::addRow("dng without preview %d", orientation)
                << "dng without preview" << orientation;
        }
    }
    void orientationsLandUpright() {
        QFETCH(QString, kind);
        QFETCH(int, orientation);
        QTemporaryDir dir;
        const QString path = Written(dir, NameFor(kind), PictureOfKind(kind, orientation));
        QVERIFY(!path.isEmpty());
        const Picture picture = ReadPicture(path, QSize(150, 150));
        QCOMPARE(picture.error, FileError::None);
        QCOMPARE(picture.naturalSize, NaturalOfKind(kind));
        QCOMPARE(picture.image.size(), QSize(150, 100));
        if (kind != "dng without preview") // developed raw data has no corners
            QCOMPARE(Corners(picture.image), QList<int>({0, 1, 2, 3}));
    }

    // Each kind by its content, shrunk to the box or kept at its own size,
    // in the 32-bit format a screen draws without converting it at every paint.
    void eachKindAtItsSize_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QSize>("shown");
        for (const char* kind : {"jpeg", "png", "bmp", "webp", "tiff", "heic", "avif"}) {
            QTest::addRow("%s shrunk", kind) << kind << QSize(150, 120) << QSize(150, 100);
            QTest::addRow("%s whole", kind) << kind << QSize(1000, 1000) << Upright;
        }
        QTest::addRow("dng shrunk") << "dng" << QSize(150, 120) << QSize(150, 100);
        // A preview smaller than the box: the raw developed instead.
        QTest::addRow("dng whole") << "dng" << QSize(1000, 1000) << QSize(1000, 667);
        QTest::addRow("dng without preview shrunk")
            << "dng without preview" << QSize(150, 120) << QSize(150, 100);
        QTest::addRow("dng without preview whole")
            << "dng without preview" << QSize(1000, 1000) << QSize(1000, 667);
    }
    void eachKindAtItsSize() {
        QFETCH(QString, kind);
        QFETCH(QSize, box);
        QFETCH(QSize, shown);
        QTemporaryDir dir;
        const QString path = Written(dir, NameFor(kind), PictureOfKind(kind));
        QVERIFY(!path.isEmpty());
        PictureSource source({4, 0});
        const Picture picture = source.load(path, box);
        QCOMPARE(picture.error, FileError::None);
        QCOMPARE(picture.naturalSize, NaturalOfKind(kind));
        QCOMPARE(picture.image.size(), shown);
        QCOMPARE(picture.image.format(), QImage::Format_RGB32);
        if (kind == "dng" && box.width() > 600) // developed: grey raw data, not the preview
            QCOMPARE_NE(Corners(picture.image), QList<int>({0, 1, 2, 3}));
    }

    // A see-through picture comes premultiplied, the format the screen blends
    // without converting it first.
    void seeThroughPicturesComePremultiplied_data() {
        QTest::addColumn<QString>("format");
        for (const char* format : {"PNG", "WEBP", "TIFF"})
            QTest::newRow(format) << format;
    }
    void seeThroughPicturesComePremultiplied() {
        QFETCH(QString, format);
        QImage glass(Upright, QImage::Format_ARGB32);
        glass.fill(QColor(200, 40, 40, 128));
        QTemporaryDir dir;
        const QString path = Written(dir, format == "PNG" ? "glass.png" : "glass.dat",
                                     EncodedPicture(glass, format.toLatin1().constData()));
        QVERIFY(!path.isEmpty());
        PictureSource source({4, 0});
        const Picture picture = source.load(path, QSize(150, 120));
        QCOMPARE(picture.image.format(), QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(picture.image.pixelColor(10, 10).alpha(), 128);
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
        QTest::addRow("heic claiming 100000 x 100000") << "heic"
                                                       << "huge";
        QTest::addRow("avif claiming 100000 x 100000") << "avif"
                                                       << "huge";
        QTest::addRow("tiff claiming 100000 x 100000") << "tiff"
                                                       << "huge";
        QTest::addRow("raw claiming 100000 x 100000") << "dng without preview"
                                                      << "huge";
    }
    void damagedFilesAreInvalid() {
        QFETCH(QString, kind);
        QFETCH(QString, damage);
        QByteArray bytes = PictureOfKind(kind);
        QVERIFY(!bytes.isEmpty());
        if (damage == "head")
            bytes.truncate(24);
        else if (damage == "half")
            bytes.truncate(bytes.size() / 2);
        else if (damage == "zeroed")
            bytes.replace(bytes.size() / 2, bytes.size() / 2, QByteArray(bytes.size() / 2, '\0'));
        else
            QVERIFY(ClaimHugeSize(bytes));
        QTemporaryDir dir;
        const QString path = Written(dir, NameFor(kind), bytes);
        QElapsedTimer timer;
        timer.start();
        const Picture picture = ReadPicture(path, QSize(150, 150));
        QCOMPARE(picture.error, FileError::InvalidPicture);
        QVERIFY(picture.isNull());
        QCOMPARE_LT(timer.elapsed(), 2000);
    }

    // The box is in device pixels: a screen at twice the density asks for
    // twice the pixels and gets them, one picture pixel to a screen pixel.
    void boxInDevicePixels_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QSize>("shown");
        for (const char* kind : {"jpeg", "heic", "dng"}) {
            QTest::addRow("%s at ratio 1", kind) << kind << QSize(100, 80) << QSize(100, 67);
            QTest::addRow("%s at ratio 2", kind) << kind << QSize(200, 160) << QSize(200, 133);
        }
    }
    void boxInDevicePixels() {
        QFETCH(QString, kind);
        QFETCH(QSize, box);
        QFETCH(QSize, shown);
        QTemporaryDir dir;
        const QString path = Written(dir, NameFor(kind), PictureOfKind(kind));
        PictureSource source;
        source.prefetch({path}, box);
        QTRY_VERIFY(source.ready(path, box).has_value());
        QCOMPARE(source.ready(path, box)->image.size(), shown);
    }

    // An Adobe RGB photograph shows the colours it was taken in, converted to
    // sRGB. The tolerance covers JPEG's rounding of a flat colour (one or
    // two levels at quality 100) and the colour transform's 8-bit tables.
    void adobeRgbShownInSrgb_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QColor>("adobe");
        for (const char* format : {"JPEG", "PNG"}) {
            QTest::addRow("%s blue sky", format) << format << QColor(100, 150, 200);
            QTest::addRow("%s foliage", format) << format << QColor(60, 140, 50);
            QTest::addRow("%s skin", format) << format << QColor(210, 160, 130);
        }
    }
    void adobeRgbShownInSrgb() {
        QFETCH(QString, format);
        QFETCH(QColor, adobe);
        QImage adobeImage(QSize(64, 64), QImage::Format_RGB32);
        adobeImage.fill(adobe);
        adobeImage.setColorSpace(QColorSpace(QColorSpace::AdobeRgb));
        const QByteArray bytes = format == "JPEG" ? AdobeRgbJpeg(QSize(64, 64), adobe)
                                                  : EncodedPicture(adobeImage, "PNG");
        QTemporaryDir dir;
        const QString path = Written(dir, "adobe." + format.toLower(), bytes);
        PictureSource source({4, 0});
        const Picture picture = source.load(path, QSize(32, 32));
        QVERIFY(!picture.isNull());
        const QColor shown = picture.image.pixelColor(16, 16);
        const QColor expected = AdobeToSrgb(adobe);
        QVERIFY2(
            Farthest(shown, expected) <= 3,
            qPrintable(QStringLiteral("shown %1, expected %2").arg(shown.name(), expected.name())));
    }

    // PNG's own colour chunks: a gamma other than sRGB's is converted; the
    // sRGB chunk, or the usual 1/2.2 gamma alone, leave the pixels as they
    // are (no rounding through a conversion).
    void pngGammaChunks_data() {
        QTest::addColumn<int>("gama");
        QTest::addColumn<bool>("srgb");
        QTest::addColumn<QColor>("expected");
        const QColor stored(64, 128, 192);
        QTest::newRow("linear gamma")
            << 100000 << false
            << QColor(SrgbEncoded(64 / 255.0), SrgbEncoded(128 / 255.0), SrgbEncoded(192 / 255.0));
        QTest::newRow("gamma 1/2.2 alone") << 45455 << false << stored;
        QTest::newRow("sRGB chunk") << 45455 << true << stored;
        QTest::newRow("untagged") << 0 << false << stored;
    }
    void pngGammaChunks() {
        QFETCH(int, gama);
        QFETCH(bool, srgb);
        QFETCH(QColor, expected);
        QTemporaryDir dir;
        const QString path =
            Written(dir, "chunks.png", ChunkedPng(QColor(64, 128, 192), std::uint32_t(gama), srgb));
        PictureSource source({4, 0});
        const Picture picture = source.load(path, QSize(16, 16));
        QVERIFY(!picture.isNull());
        const QColor shown = picture.image.pixelColor(8, 8);
        QVERIFY2(
            Farthest(shown, expected) <= 1,
            qPrintable(QStringLiteral("shown %1, expected %2").arg(shown.name(), expected.name())));
    }
};

QTEST_GUILESS_MAIN(PictureKindsTest)
#include "tst_picturekinds.moc"
