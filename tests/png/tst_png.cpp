// Decoding real PNG files of every colour type and bit depth, written by
// libspng's encoder, and files that must give no picture. The decoder goes
// through the three calls; the sanitizer builds catch a byte written past
// the size they give.
#include "png/DibPicture.h"
#include "png/PNGLoader.h"
#include "png/PngDecoder.h"
#include "png/PngInBox.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>
#include <cstring>
#include <spng.h>
#include <vector>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// The samples follow a fixed pattern over the whole range of the bit depth;
// 16-bit samples have a low byte unlike the high one, so a decoder that keeps
// the wrong byte shows.
struct Recipe {
    int colourType = 6; // 0 grey, 2 RGB, 3 palette, 4 grey+alpha, 6 RGBA
    int bitDepth = 8;
    bool trns = false; // palette alphas, or the colour of pixel (2,1) as key
    int width = 13;    // odd, so rows need padding and the Adam7 passes differ
    int height = 11;
    bool interlaced = false;
    int channels() const {
        return colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
    }
    qint64 rowBytes() const { return (qint64(width) * channels() * bitDepth + 7) / 8; }
    int sample(int x, int y, int c) const {
        const int pattern = x * 37 + y * 101 + c * 59 + x * y * 13;
        return bitDepth < 16 ? pattern % (1 << bitDepth)
                             : pattern % 256 << 8 | (pattern % 256 * 7 + 91) % 256;
    }
};

// tRNS gives alphas to the first half of the palette; the rest stays opaque.
QRgb PaletteEntry(int i, int bitDepth) {
    const int alpha = i < (1 << bitDepth) / 2 ? i * 71 % 256 : 255;
    return qRgba((i * 53 + 17) % 256, (i * 97 + 31) % 256, (i * 191 + 7) % 256, alpha);
}

// Writes the recipe's PNG to path (with headerOnly just the signature and the
// header: a file that claims any size) and gives what a correct decoder
// shows, with straight alpha; a null picture when it could not be written.
QImage WritePng(const QString& path, const Recipe& r, bool headerOnly = false) {
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    spng_ctx* ctx = spng_ctx_new(SPNG_CTX_ENCODER);
    spng_set_png_file(ctx, file);
    spng_ihdr ihdr{
        quint32(r.width),    quint32(r.height), quint8(r.bitDepth), quint8(r.colourType), 0, 0,
        quint8(r.interlaced)};
    spng_set_ihdr(ctx, &ihdr);
    spng_plte plte{1u << r.bitDepth, {}};
    const auto key = [&r](int c) { return quint16(r.sample(2, 1, c)); };
    spng_trns trns{key(0), key(0), key(1), key(2), plte.n_entries / 2, {}};
    for (quint32 i = 0; i < plte.n_entries && r.colourType == 3; ++i) {
        const QRgb e = PaletteEntry(i, r.bitDepth);
        plte.entries[i] = {quint8(qRed(e)), quint8(qGreen(e)), quint8(qBlue(e)), 255};
        trns.type3_alpha[i] = quint8(qAlpha(e));
    }
    if (r.colourType == 3)
        spng_set_plte(ctx, &plte);
    if (r.trns)
        spng_set_trns(ctx, &trns);
    std::vector<quint8> raw(headerOnly ? 0 : r.rowBytes() * r.height); // 16 bits in host order
    QImage shown(headerOnly ? QSize() : QSize(r.width, r.height), QImage::Format_ARGB32);
    const int t = r.colourType, notGrey = t != 0 && t != 4;
    for (int i = 0; i < shown.width() * shown.height(); ++i) {
        const int x = i % r.width, y = i / r.width;
        int v[4] = {};
        bool keyed = r.trns;
        for (int c = 0; c < r.channels(); ++c) {
            const quint16 s = r.sample(x, y, c);
            const qint64 bit = y * r.rowBytes() * 8 + (x * r.channels() + c) * r.bitDepth;
            if (r.bitDepth == 16)
                std::memcpy(&raw[bit / 8], &s, 2);
            else
                raw[bit / 8] |= s << (8 - r.bitDepth - bit % 8);
            v[c] = r.bitDepth == 16 ? s >> 8 : s * 255 / ((1 << r.bitDepth) - 1);
            keyed = keyed && s == key(c);
        }
        const int alpha = t == 4 ? v[1] : t == 6 ? v[3] : 255 * !keyed;
        shown.setPixel(x, y,
                       t == 3 ? PaletteEntry(r.sample(x, y, 0), r.bitDepth) |
                                    (r.trns ? 0 : 0xff000000u)
                              : qRgba(v[0], v[notGrey], v[2 * notGrey], alpha));
    }
    const int error = headerOnly ? spng_encode_chunks(ctx)
                                 : spng_encode_image(ctx, raw.data(), raw.size(), SPNG_FMT_PNG,
                                                     SPNG_ENCODE_FINALIZE);
    spng_ctx_free(ctx);
    std::fclose(file);
    return error ? QImage() : headerOnly ? QImage(1, 1, QImage::Format_ARGB32) : shown;
}

} // namespace

class TestPng : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    const QString path_ = dir_.filePath("p.png");

private Q_SLOTS:
    // Each file is also written interlaced: the two must give the same
    // picture, through the three calls and read row by row at full size.
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
        const auto premultiplied = [](const QImage& image) {
            return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        };
        for (const bool interlaced : {false, true}) {
            recipe.interlaced = interlaced;
            const QImage expected = WritePng(path_, recipe);
            QCOMPARE(LoadPngPicture(path_).convertToFormat(expected.format()), expected);
            const BoxedPng boxed =
                LoadPngPictureInBox(path_, [](QSize natural) { return natural; });
            QCOMPARE(premultiplied(boxed.image), premultiplied(expected));
        }
    }

    // Only the header is read: nothing of the claimed size is ever allocated.
    void sizeLimit_data() {
        QTest::addColumn<Recipe>("header");
        QTest::addColumn<bool>("padded");  // as long as a file holding such rows can be
        QTest::addColumn<int>("dataSize"); // 0: refused
        QTest::newRow("1 GiB of rgba") << Recipe{6, 8, false, 16384, 16384} << true << (1 << 30);
        QTest::newRow("just over 1 GiB") << Recipe{6, 8, false, 16385, 16384} << true << 0;
        QTest::newRow("4 GiB, 0 in 32 bits") << Recipe{6, 8, false, 65536, 16384} << true << 0;
        QTest::newRow("one endless row") << Recipe{0, 1, false, 0x7fffffff, 1} << true << 0;
        QTest::newRow("1 GiB of 1-bit, 4 GiB as a picture")
            << Recipe{0, 1, false, 32768, 32767} << true << 0;
        QTest::newRow("cut file claiming 1 GiB") << Recipe{0, 1, false, 32768, 32768} << false << 0;
    }
    void sizeLimit() {
        QFETCH(Recipe, header);
        QFETCH(bool, padded);
        QFETCH(int, dataSize);
        PngInfoBlock info{};
        std::int32_t handle = 0, size = 0;
        QVERIFY(!WritePng(path_, header, true).isNull());
        QVERIFY(QFile(path_).resize(padded ? header.rowBytes() * header.height / 1000 : 74));
        QCOMPARE(mLoadPNG(path_.toUtf8().constData(), &handle, &info, &size) == 1, dataSize != 0);
        mEndPNG(&handle);
        QCOMPARE(size, dataSize);
    }

    // Each fails only after the file was opened, the last two half way
    // through decoding; no file may stay open.
    void unreadableFileGivesNoPicture_data() {
        QTest::addColumn<QByteArray>("content");
        QVERIFY(!WritePng(path_, {6, 8, 0, 64, 64}).isNull());
        const QByteArray png = ReadFile(path_);
        QByteArray damaged = png;
        damaged[png.size() / 2] = char(png[png.size() / 2] ^ 0x55);
        QTest::newRow("not a PNG") << QByteArray("GIF89a\x01\0\x01\0");
        QTest::newRow("cut in image data") << png.left(png.size() / 2);
        QTest::newRow("damaged image data") << damaged;
    }
    void unreadableFileGivesNoPicture() {
        QFETCH(QByteArray, content);
        QVERIFY(WriteFile(path_, content));
        const auto openFiles = [] { return QDir(QStringLiteral("/proc/self/fd")).count(); };
        const uint before = openFiles();
        QVERIFY(LoadPngPicture(path_).isNull());
        QCOMPARE(openFiles(), before);
    }
};

QTEST_GUILESS_MAIN(TestPng)
#include "tst_png.moc"
