#include "png/DibPicture.h"
#include "png/PNGLoader.h"
#include "png/PngBytes.h"
#include "png/PngDecoder.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

using namespace sorvane;
using namespace sorvane::test;

namespace {

int OpenFileDescriptors() {
    return static_cast<int>(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files).size());
}

struct Opened {
    int result = 0;
    std::int32_t handle = 0;
    PngInfoBlock info;
    std::int32_t dataSize = 0;
};

Opened Open(const QString& path) {
    Opened opened;
    std::memset(&opened.info, 0, sizeof opened.info);
    opened.result =
        mLoadPNG(path.toUtf8().constData(), &opened.handle, &opened.info, &opened.dataSize);
    return opened;
}

} // namespace

class TestPngDecoder : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void fillsExactlyDataSize_data();
    void fillsExactlyDataSize();
    void handleLifecycle();
    void failuresLeaveNothingOpen();
    void sizeLimit_data();
    void sizeLimit();
    void concurrentDecodesOnThreads();

private:
    QString Write(const QString& name, const QByteArray& bytes) {
        WriteFile(dir_.filePath(name), bytes);
        return dir_.filePath(name);
    }

    QTemporaryDir dir_;
};

void TestPngDecoder::fillsExactlyDataSize_data() {
    QTest::addColumn<int>("colourType");
    QTest::addColumn<int>("bitDepth");
    QTest::addColumn<bool>("transparencyChunk");
    QTest::newRow("1-bit grey") << 0 << 1 << false;
    QTest::newRow("2-bit palette") << 3 << 2 << false;
    QTest::newRow("16-bit rgb") << 2 << 16 << false;
    QTest::newRow("8-bit rgb tRNS") << 2 << 8 << true;
    QTest::newRow("4-bit palette tRNS") << 3 << 4 << true;
    QTest::newRow("16-bit rgba") << 6 << 16 << false;
}

// Odd widths need padded rows; the decoder must say the padded size and
// write no byte past it.
void TestPngDecoder::fillsExactlyDataSize() {
    QFETCH(int, colourType);
    QFETCH(int, bitDepth);
    QFETCH(bool, transparencyChunk);
    const PngRecipe recipe{colourType, bitDepth, true, transparencyChunk, 13, 7};
    Opened opened = Open(Write(QStringLiteral("exact.png"), EncodePng(recipe)));
    QCOMPARE(opened.result, 1);
    const BitmapInfoHeader& header = opened.info.header;
    QCOMPARE(header.biSize, 40u);
    QCOMPARE(header.biWidth, 13);
    QCOMPARE(std::abs(header.biHeight), 7);
    const int stride = (13 * header.biBitCount + 31) / 32 * 4;
    QCOMPARE(opened.dataSize, stride * 7);
    if (HasTransparency(recipe))
        QCOMPARE(header.biBitCount, 32);

    const std::uint8_t guard = 0xa5;
    std::vector<std::uint8_t> pixels(opened.dataSize + 64, guard);
    QCOMPARE(mGetPNGData(&opened.handle, pixels.data()), 1);
    mEndPNG(&opened.handle);
    QVERIFY(std::all_of(pixels.end() - 64, pixels.end(), [](auto b) { return b == guard; }));
    QCOMPARE(CompareWithRecipe(CreatePictureFromDib(pixels.data(), opened.info), recipe),
             QString());
}

void TestPngDecoder::handleLifecycle() {
    Opened opened = Open(Write(QStringLiteral("life.png"), EncodePng(PngRecipe{})));
    QCOMPARE(opened.result, 1);
    QVERIFY(opened.handle != 0);
    std::int32_t stale = opened.handle;
    mEndPNG(&opened.handle);
    QCOMPARE(opened.handle, 0);

    std::vector<std::uint8_t> pixels(opened.dataSize);
    QVERIFY(mGetPNGData(&stale, pixels.data()) != 1);
    mEndPNG(&stale); // closing twice is harmless
    std::int32_t unknown = -12345;
    mEndPNG(&unknown);
    QVERIFY(mGetPNGData(&unknown, pixels.data()) != 1);
    std::int32_t never = 0;
    QVERIFY(mGetPNGData(&never, pixels.data()) != 1);
}

// Every failing load, and a decoding that fails half way and is then
// closed, must give its file back.
void TestPngDecoder::failuresLeaveNothingOpen() {
    const QByteArray png = EncodePng(PngRecipe{6, 8, false, false, 64, 64});
    const QStringList notPng = {
        Write(QStringLiteral("text.png"), "no picture here"),
        Write(QStringLiteral("huge.png"), PngSignature() + HeaderChunk(70000, 70000, 8, 2)),
        dir_.filePath(QStringLiteral("absent.png")),
        dir_.path(),
    };
    const QString cut = Write(QStringLiteral("cut.png"), png.left(png.size() / 2));
    const int before = OpenFileDescriptors();
    for (int round = 0; round < 50; ++round) {
        for (const QString& path : notPng) {
            Opened opened = Open(path);
            QVERIFY2(opened.result != 1, qPrintable(path));
            QCOMPARE(opened.handle, 0);
        }
        Opened opened = Open(cut);
        QCOMPARE(opened.result, 1);
        std::vector<std::uint8_t> pixels(opened.dataSize);
        QVERIFY(mGetPNGData(&opened.handle, pixels.data()) != 1);
        mEndPNG(&opened.handle);
    }
    QCOMPARE(OpenFileDescriptors(), before);
}

void TestPngDecoder::sizeLimit_data() {
    QTest::addColumn<quint32>("width");
    QTest::addColumn<quint32>("height");
    QTest::addColumn<int>("colourType");
    QTest::addColumn<int>("bitDepth");
    QTest::addColumn<qint64>("dataSize"); // 0: refused
    QTest::newRow("1 GiB of rgba") << 16384u << 16384u << 6 << 8 << (qint64(1) << 30);
    QTest::newRow("padded rgb rows") << 65535u << 4096u << 2 << 16 << qint64(196608) * 4096;
    QTest::newRow("just over 1 GiB") << 16385u << 16384u << 6 << 8 << qint64(0);
    QTest::newRow("product beyond 32 bits") << 100000u << 100000u << 6 << 8 << qint64(0);
    QTest::newRow("one endless row") << 0x7fffffffu << 1u << 0 << 1 << qint64(0);
}

// Only the header is read: nothing of that size is ever allocated here.
void TestPngDecoder::sizeLimit() {
    QFETCH(quint32, width);
    QFETCH(quint32, height);
    QFETCH(int, colourType);
    QFETCH(int, bitDepth);
    QFETCH(qint64, dataSize);
    Opened opened = Open(Write(QStringLiteral("big.png"),
                               PngSignature() + HeaderChunk(width, height, bitDepth, colourType)));
    mEndPNG(&opened.handle);
    QCOMPARE(opened.result == 1, dataSize != 0);
    QCOMPARE(qint64(opened.dataSize), dataSize);
}

// Read-ahead decodes on worker threads while the window thread decodes too.
void TestPngDecoder::concurrentDecodesOnThreads() {
    const QList<PngRecipe> recipes = {
        {6, 8, false, false, 40, 30, 1}, {3, 4, true, false, 41, 32, 2},
        {0, 16, false, true, 42, 34, 3}, {2, 8, true, false, 43, 36, 4},
        {4, 8, false, false, 44, 38, 5}, {3, 8, false, true, 45, 40, 6},
        {2, 16, true, true, 46, 42, 7},  {0, 1, true, false, 47, 44, 8},
    };
    QStringList paths;
    for (const PngRecipe& recipe : recipes)
        paths << Write(QStringLiteral("thread%1.png").arg(recipe.seed), EncodePng(recipe));
    std::atomic<int> wrong = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 200; ++i) {
                const int k = (i + t * 3) % recipes.size();
                if (!CompareWithRecipe(LoadPngPicture(paths[k]), recipes[k]).isEmpty())
                    ++wrong;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    QCOMPARE(wrong.load(), 0);
}

QTEST_GUILESS_MAIN(TestPngDecoder)
#include "tst_pngdecoder.moc"
