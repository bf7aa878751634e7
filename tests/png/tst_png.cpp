// Decoding real PNG files of every colour type and bit depth, written by
// libspng's encoder, and headers that claim more than may be read. The
// decoder goes through the three calls; the sanitizer builds catch a byte
// written past the size they give.
#include "png/PNGLoader.h"
#include "png/PngDecoder.h"
#include "png/PngInBox.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>
#include <spng.h>
#include <vector>

using namespace sorvane;

namespace {

struct Recipe {
    int colourType = 6; // 0 grey, 2 RGB, 3 palette, 4 grey+alpha, 6 RGBA
    int bitDepth = 8;
    bool trns = false; // palette alphas, or the colour of the first pixel as key
    int width = 13;    // odd, so rows need padding and the Adam7 passes differ
    int height = 11;
    bool interlaced = false;
    qint64 rowBytes() const {
        const int channels = colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
        return (qint64(width) * channels * bitDepth + 7) / 8;
    }
};

// Writes the recipe's PNG to path, its samples a fixed pattern of bytes (so
// the low byte of a 16-bit sample differs from its high one; libspng takes
// 16-bit samples in the machine's order); with headerOnly just the
// signature and the header, a file that claims any size. False when it
// could not be written.
bool WritePng(const QString& path, const Recipe& r, bool headerOnly = false) {
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    spng_ctx* ctx = spng_ctx_new(SPNG_CTX_ENCODER);
    spng_set_png_file(ctx, file);
    spng_ihdr ihdr{
        quint32(r.width),    quint32(r.height), quint8(r.bitDepth), quint8(r.colourType), 0, 0,
        quint8(r.interlaced)};
    spng_set_ihdr(ctx, &ihdr);
    std::vector<quint8> raw(headerOnly ? 0 : r.rowBytes() * r.height);
    for (size_t i = 0; i < raw.size(); ++i)
        raw[i] = quint8(i * 37 + i / 7 * 101);
    const auto key = [&](int c) { // sample c of the first pixel
        return raw.empty() ? quint16(0)
                           : quint16(r.bitDepth == 16 ? raw[2 * c] | raw[2 * c + 1] << 8
                                                      : raw[c] >> (8 - r.bitDepth));
    };
    // tRNS gives alphas to the first half of the palette; the rest stays opaque.
    spng_plte plte{1u << r.bitDepth, {}};
    spng_trns trns{key(0), key(0), key(1), key(2), plte.n_entries / 2, {}};
    for (quint32 i = 0; i < plte.n_entries && r.colourType == 3; ++i) {
        plte.entries[i] = {quint8(i * 53 + 17), quint8(i * 97 + 31), quint8(i * 191 + 7), 255};
        trns.type3_alpha[i] = quint8(i * 71);
    }
    if (r.colourType == 3)
        spng_set_plte(ctx, &plte);
    if (r.trns)
        spng_set_trns(ctx, &trns);
    const int error = headerOnly ? spng_encode_chunks(ctx)
                                 : spng_encode_image(ctx, raw.data(), raw.size(), SPNG_FMT_PNG,
                                                     SPNG_ENCODE_FINALIZE);
    spng_ctx_free(ctx);
    std::fclose(file);
    return error == 0;
}

// The file as libspng itself decodes it to straight 8-bit RGBA, the
// reference here: Qt's reader gets 16-bit colour keys wrong.
QImage Reference(const QString& path) {
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "rb");
    spng_ctx* ctx = spng_ctx_new(0);
    spng_set_png_file(ctx, file);
    spng_ihdr ihdr{};
    spng_get_ihdr(ctx, &ihdr);
    QImage image(int(ihdr.width), int(ihdr.height), QImage::Format_RGBA8888);
    const int error = spng_decode_image(ctx, image.bits(), size_t(image.sizeInBytes()),
                                        SPNG_FMT_RGBA8, SPNG_DECODE_TRNS);
    spng_ctx_free(ctx);
    std::fclose(file);
    return error ? QImage() : image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestPng : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    const QString path_ = dir_.filePath("p.png");

private Q_SLOTS:
    // Each file is also written interlaced; through the three calls and
    // read row by row at full size it shows as libspng decodes it.
    void decodesEveryFormat_data() {
        QTest::addColumn<Recipe>("recipe");
        const char* names[] = {"grey", "", "rgb", "palette", "grey+alpha", "", "rgba"};
        for (int type : {0, 2, 3, 4, 6})
            for (int depth : {1, 2, 4, 8, 16})
                for (bool trns : {false, true})
                    if ((depth >= 8 || type == 0 || type == 3) && (depth < 16 || type != 3) &&
                        (!trns || type < 4))
                        QTest::addRow("%s %d-bit%s", names[type], depth, trns ? " tRNS" : "")
                            << Recipe{type, depth, trns};
    }
    void decodesEveryFormat() {
        QFETCH(Recipe, recipe);
        for (const bool interlaced : {false, true}) {
            recipe.interlaced = interlaced;
            QVERIFY(WritePng(path_, recipe));
            const QImage expected = Reference(path_);
            QCOMPARE(LoadPngPicture(path_).convertToFormat(expected.format()), expected);
            const QImage boxed = LoadPngPictureInBox(path_, [](QSize size) { return size; }).image;
            QCOMPARE(boxed, expected.convertToFormat(boxed.format()));
        }
    }

    // Only the header is read: nothing of the claimed size is ever allocated.
    void sizeLimit_data() {
        QTest::addColumn<Recipe>("header");
        QTest::addColumn<bool>("padded");  // as long as a file holding such rows can be
        QTest::addColumn<int>("dataSize"); // 0: refused
        QTest::newRow("1 GiB of rgba") << Recipe{6, 8, false, 16384, 16384} << true << (1 << 30);
        QTest::newRow("4 GiB, 0 in 32 bits") << Recipe{6, 8, false, 65536, 16384} << true << 0;
        QTest::newRow("1-bit, 4 GiB as a picture")
            << Recipe{0, 1, false, 32768, 32767} << true << 0;
        QTest::newRow("cut file claiming 1 GiB") << Recipe{0, 1, false, 32768, 32768} << false << 0;
    }
    void sizeLimit() {
        QFETCH(Recipe, header);
        QFETCH(bool, padded);
        QFETCH(int, dataSize);
        PngInfoBlock info{};
        std::int32_t handle = 0, size = 0;
        QVERIFY(WritePng(path_, header, true));
        QVERIFY(QFile(path_).resize(padded ? header.rowBytes() * header.height / 1000 : 74));
        QCOMPARE(mLoadPNG(path_.toUtf8().constData(), &handle, &info, &size) == 1, dataSize != 0);
        mEndPNG(&handle);
        QCOMPARE(size, dataSize);
    }
};

QTEST_GUILESS_MAIN(TestPng)
#include "tst_png.moc"
