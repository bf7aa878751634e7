#include "png/DibPicture.h"

#include <QtTest>
#include <cstring>
#include <vector>

using namespace sorvane;

Q_DECLARE_METATYPE(sorvane::BitmapInfoHeader)

namespace {

// A 3 x 2 picture: top row red, green, blue; bottom row white, black, grey.
const QRgb kPixels[2][3] = {{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)},
                            {qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(128, 128, 128)}};

struct Dib {
    PngInfoBlock info;
    std::vector<std::uint8_t> pixels;
};

Dib MakeDib(bool bottomUp) {
    Dib dib;
    std::memset(&dib.info, 0, sizeof dib.info);
    dib.info.header = {40, 3, bottomUp ? 2 : -2, 1, 24, 0, 0, 0, 0, 0, 0};
    const int stride = 12; // 9 bytes padded to a whole word
    dib.pixels.assign(stride * 2, 0);
    for (int y = 0; y < 2; ++y) {
        std::uint8_t* row = &dib.pixels[(bottomUp ? 1 - y : y) * stride];
        for (int x = 0; x < 3; ++x, row += 3) {
            row[0] = qBlue(kPixels[y][x]);
            row[1] = qGreen(kPixels[y][x]);
            row[2] = qRed(kPixels[y][x]);
        }
    }
    return dib;
}

} // namespace

class TestDibPicture : public QObject {
    Q_OBJECT

private slots:
    void readsEitherWayUp_data();
    void readsEitherWayUp();
    void refusesWhatItCannotRead_data();
    void refusesWhatItCannotRead();
};

void TestDibPicture::readsEitherWayUp_data() {
    QTest::addColumn<bool>("bottomUp");
    QTest::newRow("top-down") << false;
    QTest::newRow("bottom-up") << true;
}

// The picture must own its pixels: the buffer is wiped before checking.
void TestDibPicture::readsEitherWayUp() {
    QFETCH(bool, bottomUp);
    Dib dib = MakeDib(bottomUp);
    QVERIFY(CreatePictureFromDib(nullptr, dib.info).isNull());
    const QImage picture = CreatePictureFromDib(dib.pixels.data(), dib.info);
    std::fill(dib.pixels.begin(), dib.pixels.end(), 0x33);
    QCOMPARE(picture.size(), QSize(3, 2));
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x)
            QCOMPARE(picture.pixel(x, y), kPixels[y][x]);
    }
}

void TestDibPicture::refusesWhatItCannotRead_data() {
    QTest::addColumn<BitmapInfoHeader>("header");
    const auto with = [](auto change) {
        BitmapInfoHeader header = MakeDib(true).info.header;
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

void TestDibPicture::refusesWhatItCannotRead() {
    QFETCH(BitmapInfoHeader, header);
    Dib dib = MakeDib(true);
    QVERIFY(!CreatePictureFromDib(dib.pixels.data(), dib.info).isNull());
    dib.info.header = header;
    QVERIFY(CreatePictureFromDib(dib.pixels.data(), dib.info).isNull());
}

QTEST_GUILESS_MAIN(TestDibPicture)
#include "tst_pngdibpicture.moc"
