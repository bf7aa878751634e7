#include "png/DibPicture.h"
#include "png/PNGLoader.h"
#include "png/PngDecoder.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <spng.h>
#include <thread>
#include <vector>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// A test PNG. The samples follow a fixed pattern over the whole range of the
// bit depth; 16-bit samples have a low byte unlike the high one, so a decoder
// that keeps the wrong byte shows.
struct Recipe {
    int colourType = 6; // 0 grey, 2 RGB, 3 palette, 4 grey+alpha, 6 RGBA
    int bitDepth = 8;
    bool trns = false; // palette alphas, or the colour of pixel (2,1) as key
    bool interlaced = false;
    int width = 13; // odd, so rows need padding and the Adam7 passes differ
    int height = 11;
    int seed = 0;
};

int Channels(int colourType) {
    return colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
}

int Sample(const Recipe& r, int x, int y, int c) {
    const int pattern = x * 37 + y * 101 + c * 59 + x * y * 13 + r.seed * 7;
    if (r.bitDepth < 16)
        return pattern % (1 << r.bitDepth);
    const int high = pattern % 256;
    return high << 8 | (high * 7 + 91) % 256;
}

// tRNS gives alphas to the first half of the palette; the rest stays opaque.
QRgb PaletteEntry(int i, int bitDepth) {
    const int alpha = i < (1 << bitDepth) / 2 ? i * 71 % 256 : 255;
    return qRgba((i * 53 + 17) % 256, (i * 97 + 31) % 256, (i * 191 + 7) % 256, alpha);
}

// What a correct decoder shows, with straight alpha.
QImage Expected(const Recipe& r) {
    QImage image(r.width, r.height, QImage::Format_ARGB32);
    for (int i = 0; i < r.width * r.height; ++i) {
        const int x = i % r.width, y = i / r.width;
        const auto channel = [&](int c) {
            const int s = Sample(r, x, y, c);
            return r.bitDepth == 16 ? s >> 8 : s * 255 / ((1 << r.bitDepth) - 1);
        };
        bool key = r.trns;
        for (int c = 0; c < Channels(r.colourType); ++c)
            key = key && Sample(r, x, y, c) == Sample(r, 2, 1, c);
        const int t = r.colourType, notGrey = t != 0 && t != 4;
        const int alpha = t == 4 ? channel(1) : t == 6 ? channel(3) : 255 * !key;
        const QRgb entry = PaletteEntry(Sample(r, x, y, 0), r.bitDepth);
        image.setPixel(x, y,
                       t == 3 ? (r.trns ? entry : entry | 0xff000000u)
                              : qRgba(channel(0), channel(notGrey), channel(2 * notGrey), alpha));
    }
    return image;
}

// Through the three calls, into a buffer that runs on past dataSize: the size
// must be that of the padded rows, no byte beyond it written, the handle closed.
void DecodeExactly(const QString& path, QImage& picture) {
    PngInfoBlock info{};
    std::int32_t handle = 0, dataSize = 0;
    QCOMPARE(mLoadPNG(path.toUtf8().constData(), &handle, &info, &dataSize), 1);
    const BitmapInfoHeader& h = info.header;
    QCOMPARE(dataSize, (h.biWidth * h.biBitCount + 31) / 32 * 4 * std::abs(h.biHeight));
    std::vector<std::uint8_t> pixels(dataSize + 64, 0xa5);
    QCOMPARE(mGetPNGData(&handle, pixels.data()), 1);
    mEndPNG(&handle);
    QCOMPARE(handle, 0);
    QCOMPARE(QByteArray(reinterpret_cast<char*>(&pixels[dataSize]), 64), QByteArray(64, '\xa5'));
    picture = CreatePictureFromDib(pixels.data(), info).convertToFormat(QImage::Format_ARGB32);
}

// A 3 x 2 bitmap of 24 or 32 bits a pixel.
PngInfoBlock DibInfo(bool bottomUp, std::uint16_t bitCount = 24) {
    PngInfoBlock info{};
    info.header = {40, 3, bottomUp ? 2 : -2, 1, bitCount, kBiRgb, 0, 0, 0, 0, 0};
    return info;
}

} // namespace

Q_DECLARE_METATYPE(Recipe)
Q_DECLARE_METATYPE(sorvane::BitmapInfoHeader)

class TestPng : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    // Written by libspng's encoder; with headerOnly just the signature and IHDR.
    QString WritePng(const QString& name, const Recipe& r, bool headerOnly = false) {
        const QString path = dir_.filePath(name);
        std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
        spng_ctx* ctx = spng_ctx_new(SPNG_CTX_ENCODER);
        spng_set_png_file(ctx, file);
        spng_ihdr ihdr{
            quint32(r.width),    quint32(r.height), quint8(r.bitDepth), quint8(r.colourType), 0, 0,
            quint8(r.interlaced)};
        spng_set_ihdr(ctx, &ihdr);
        spng_plte plte{1u << r.bitDepth, {}};
        spng_trns trns{quint16(Sample(r, 2, 1, 0)), quint16(Sample(r, 2, 1, 0)),
                       quint16(Sample(r, 2, 1, 1)), quint16(Sample(r, 2, 1, 2)),
                       plte.n_entries / 2,          {}};
        for (quint32 i = 0; i < plte.n_entries && r.colourType == 3; ++i) {
            const QRgb e = PaletteEntry(i, r.bitDepth);
            plte.entries[i] = {quint8(qRed(e)), quint8(qGreen(e)), quint8(qBlue(e)), 255};
            trns.type3_alpha[i] = quint8(qAlpha(e));
        }
        if (r.colourType == 3)
            spng_set_plte(ctx, &plte);
        if (r.trns)
            spng_set_trns(ctx, &trns);
        const int channels = Channels(r.colourType);
        const qint64 stride = (qint64(r.width) * channels * r.bitDepth + 7) / 8;
        std::vector<quint8> raw(headerOnly ? 0 : stride * r.height); // 16 bits in host order
        for (int i = 0; !headerOnly && i < r.width * r.height * channels; ++i) {
            const int x = i / channels % r.width, y = i / channels / r.width;
            const qint64 bit = y * stride * 8 + i % (r.width * channels) * r.bitDepth;
            const quint16 s = Sample(r, x, y, i % channels);
            if (r.bitDepth == 16)
                std::memcpy(&raw[bit / 8], &s, 2);
            else
                raw[bit / 8] |= s << (8 - r.bitDepth - bit % 8);
        }
        const int error = headerOnly ? spng_encode_chunks(ctx)
                                     : spng_encode_image(ctx, raw.data(), raw.size(), SPNG_FMT_PNG,
                                                         SPNG_ENCODE_FINALIZE);
        spng_ctx_free(ctx);
        std::fclose(file);
        if (error)
            qFatal("libspng could not write %s: %s", qPrintable(name), spng_strerror(error));
        return path;
    }

private Q_SLOTS:
    void decodesEveryFormat_data() {
        QTest::addColumn<Recipe>("recipe");
        const char* names[] = {"grey", "", "rgb", "palette", "grey+alpha", "", "rgba"};
        for (int type : {0, 2, 3, 4, 6}) {
            for (int depth : {1, 2, 4, 8, 16}) {
                for (bool trns : {false, true}) {
                    if ((depth >= 8 || type == 0 || type == 3) && (depth < 16 || type != 3) &&
                        (!trns || type < 4))
                        QTest::addRow("%s %d-bit%s", names[type], depth, trns ? " tRNS" : "")
                            << Recipe{type, depth, trns};
                }
            }
        }
    }

    // Each file is also written interlaced: the two must give the same picture.
    void decodesEveryFormat() {
        QFETCH(Recipe, recipe);
        QImage plain, adam7;
        DecodeExactly(WritePng(QStringLiteral("plain.png"), recipe), plain);
        QCOMPARE(plain, Expected(recipe));
        recipe.interlaced = true;
        DecodeExactly(WritePng(QStringLiteral("adam7.png"), recipe), adam7);
        QCOMPARE(adam7, plain);
    }

    // A handle closed before decoding must no longer reach its decoding.
    void handleLifecycle() {
        PngInfoBlock info{};
        std::int32_t handle = 0, dataSize = 0, unknown = -12345;
        const QByteArray path = WritePng(QStringLiteral("life.png"), {}).toUtf8();
        QCOMPARE(mLoadPNG(path.constData(), &handle, &info, &dataSize), 1);
        const std::int32_t stale = handle;
        mEndPNG(&handle);
        std::vector<std::uint8_t> pixels(dataSize);
        for (std::int32_t gone : {stale, stale, unknown}) {
            QVERIFY(mGetPNGData(&gone, pixels.data()) != 1);
            mEndPNG(&gone); // closing again is harmless
        }
    }

    void sizeLimit_data() {
        QTest::addColumn<Recipe>("header");
        QTest::addColumn<int>("dataSize"); // 0: refused
        QTest::newRow("1 GiB of rgba") << Recipe{6, 8, false, false, 16384, 16384} << (1 << 30);
        QTest::newRow("just over 1 GiB") << Recipe{6, 8, false, false, 16385, 16384} << 0;
        QTest::newRow("4 GiB, 0 in 32 bits") << Recipe{6, 8, false, false, 65536, 16384} << 0;
        QTest::newRow("one endless row") << Recipe{0, 1, false, false, 0x7fffffff, 1} << 0;
    }

    // Only the header is read: nothing of that size is ever allocated.
    void sizeLimit() {
        QFETCH(Recipe, header);
        QFETCH(int, dataSize);
        PngInfoBlock info{};
        std::int32_t handle = 0, size = 0;
        const QByteArray path = WritePng(QStringLiteral("big.png"), header, true).toUtf8();
        QCOMPARE(mLoadPNG(path.constData(), &handle, &info, &size) == 1, dataSize != 0);
        mEndPNG(&handle);
        QCOMPARE(size, dataSize);
    }

    void unreadableFileGivesNoPicture_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content"); // null: the file is there already, or missing
        QVERIFY(WriteImage(dir_.filePath(QStringLiteral("photo.png")), QSize(32, 24), "JPEG"));
        WritePng(QStringLiteral("huge.png"), {6, 8, false, false, 99999, 99999}, true);
        const QByteArray png =
            ReadFile(WritePng(QStringLiteral("whole.png"), {6, 8, 0, 0, 64, 64}));
        QByteArray damaged = png;
        damaged[png.size() / 2] = char(damaged[png.size() / 2] ^ 0x55);
        QTest::newRow("missing file") << "absent.png" << QByteArray();
        QTest::newRow("missing folder") << "no such folder/a.png" << QByteArray();
        QTest::newRow("a folder") << "." << QByteArray();
        QTest::newRow("text file") << "text.png" << QByteArray("just some words\n");
        QTest::newRow("jpeg named png") << "photo.png" << QByteArray();
        QTest::newRow("absurd size") << "huge.png" << QByteArray();
        QTest::newRow("cut in image data") << "cut.png" << png.left(png.size() / 2);
        QTest::newRow("damaged image data") << "damaged.png" << damaged;
    }

    // The last rows fail only after the file was opened, or half way through decoding.
    void unreadableFileGivesNoPicture() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        const QString path = dir_.filePath(name);
        if (!content.isNull())
            QVERIFY(WriteFile(path, content));
        const auto openFiles = [] { return QDir(QStringLiteral("/proc/self/fd")).count(); };
        const uint before = openFiles();
        QVERIFY(LoadPngPicture(path).isNull());
        QCOMPARE(openFiles(), before);
    }

    // Read-ahead decodes on worker threads while the window thread decodes
    // too: every picture must be right, and every tenth load is of a file cut
    // short, which fails half way. Under the sanitizers this is the leak and
    // race check of the decoder's every path.
    void loadsOnThreads() {
        QStringList paths;
        QList<QImage> expected;
        for (int k = 0; k < 4; ++k) {
            const Recipe recipe{
                QList{6, 3, 0, 2}[k], QList{8, 4, 16, 8}[k], k == 2, k % 2 == 1, 60 - k, 40 - k, k};
            paths << WritePng(QStringLiteral("写真 %1.png").arg(k), recipe);
            expected << Expected(recipe);
        }
        const QByteArray whole = ReadFile(paths[0]);
        paths << dir_.filePath(QStringLiteral("cut.png"));
        QVERIFY(WriteFile(paths[4], whole.left(whole.size() * 2 / 3)));
        std::atomic<int> wrong = 0;
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back([&, t] {
                for (int i = t; i < 50 + t; ++i) {
                    const QImage picture = LoadPngPicture(paths[i % 10 == 9 ? 4 : i % 4]);
                    wrong += i % 10 == 9 ? !picture.isNull()
                                         : picture.convertToFormat(QImage::Format_ARGB32) !=
                                               expected[i % 4];
                }
            });
        for (std::thread& thread : threads)
            thread.join();
        QCOMPARE(wrong.load(), 0);
    }

    // 24- and 32-bit bitmaps either way up; the picture must own its pixels, so
    // the buffer is wiped before checking.
    void dibReadsEitherWayUp() {
        for (QImage::Format format : {QImage::Format_BGR888, QImage::Format_ARGB32}) {
            QImage image(3, 2, format); // rows laid out as in a top-down bitmap
            for (int i = 0; i < 6; ++i)
                image.setPixel(i % 3, i / 3, qRgba(i * 40, 255 - i * 30, i * i * 7, 255 - i * 20));
            for (bool bottomUp : {false, true}) {
                QImage stored = bottomUp ? image.mirrored() : image.copy();
                const PngInfoBlock info = DibInfo(bottomUp, std::uint16_t(image.depth()));
                const QImage picture = CreatePictureFromDib(stored.bits(), info);
                stored.fill(0);
                QCOMPARE(picture.convertToFormat(format), image);
            }
        }
    }

    void dibRefusesBadHeader_data() {
        QTest::addColumn<BitmapInfoHeader>("header");
        const auto with = [](auto change) {
            BitmapInfoHeader header = DibInfo(true).header;
            change(header);
            return header;
        };
        QTest::newRow("header size") << with([](auto& h) { h.biSize = 12; });
        QTest::newRow("zero width") << with([](auto& h) { h.biWidth = 0; });
        QTest::newRow("negative width") << with([](auto& h) { h.biWidth = -3; });
        QTest::newRow("zero height") << with([](auto& h) { h.biHeight = 0; });
        QTest::newRow("most negative height") << with([](auto& h) { h.biHeight = INT32_MIN; });
        QTest::newRow("two planes") << with([](auto& h) { h.biPlanes = 2; });
        QTest::newRow("16 bits a pixel") << with([](auto& h) { h.biBitCount = 16; });
        QTest::newRow("run-length coded") << with([](auto& h) { h.biCompression = 1; });
        QTest::newRow("over 1 GiB") << with([](auto& h) { h.biWidth = 100000000; });
    }

    void dibRefusesBadHeader() {
        QFETCH(BitmapInfoHeader, header);
        std::vector<std::uint8_t> pixels(64);
        PngInfoBlock info = DibInfo(true);
        QVERIFY(CreatePictureFromDib(nullptr, info).isNull());
        info.header = header;
        QVERIFY(CreatePictureFromDib(pixels.data(), info).isNull());
    }
};

QTEST_GUILESS_MAIN(TestPng)
#include "tst_png.moc"
