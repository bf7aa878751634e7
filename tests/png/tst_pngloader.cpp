#include "png/PNGLoader.h"
#include "png/PngBytes.h"
#include "support/TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

qint64 ResidentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

QByteArray JpegBytes() {
    QImage image(32, 24, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return buffer.data();
}

} // namespace

class TestPngLoader : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void decodesEveryFormat_data();
    void decodesEveryFormat();
    void readsFileWrittenByQt();
    void unreadableFileGivesNoPicture_data();
    void unreadableFileGivesNoPicture();
    void readsPathWithJapaneseAndBlanks();
    void repeatedLoadsKeepMemoryFlat();

private:
    QString Write(const QString& name, const QByteArray& bytes) {
        WriteFile(dir_.filePath(name), bytes);
        return dir_.filePath(name);
    }

    QTemporaryDir dir_;
};

void TestPngLoader::decodesEveryFormat_data() {
    QTest::addColumn<int>("colourType");
    QTest::addColumn<int>("bitDepth");
    QTest::addColumn<bool>("transparencyChunk");
    const QList<std::tuple<const char*, int, QList<int>, bool>> kinds = {
        {"grey", 0, {1, 2, 4, 8, 16}, false}, {"grey tRNS", 0, {1, 2, 8, 16}, true},
        {"rgb", 2, {8, 16}, false},           {"rgb tRNS", 2, {8, 16}, true},
        {"palette", 3, {1, 2, 4, 8}, false},  {"palette tRNS", 3, {1, 4, 8}, true},
        {"grey+alpha", 4, {8, 16}, false},    {"rgba", 6, {8, 16}, false},
    };
    for (const auto& [name, colourType, depths, trns] : kinds) {
        for (int depth : depths)
            QTest::addRow("%s %d-bit", name, depth) << colourType << depth << trns;
    }
}

// Each file is also written interlaced: the two must give the same picture.
void TestPngLoader::decodesEveryFormat() {
    QFETCH(int, colourType);
    QFETCH(int, bitDepth);
    QFETCH(bool, transparencyChunk);
    PngRecipe recipe{colourType, bitDepth, false, transparencyChunk};
    const QImage plain = LoadPngPicture(Write(QStringLiteral("plain.png"), EncodePng(recipe)));
    recipe.interlaced = true;
    const QImage adam7 = LoadPngPicture(Write(QStringLiteral("adam7.png"), EncodePng(recipe)));

    QVERIFY(!plain.isNull());
    QCOMPARE(CompareWithRecipe(plain, recipe), QString());
    QCOMPARE(plain.hasAlphaChannel(), HasTransparency(recipe));
    QCOMPARE(adam7, plain);
}

// Qt's writer (libpng) filters rows and splits the data, unlike the hand-made files.
void TestPngLoader::readsFileWrittenByQt() {
    QImage image(97, 61, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(x * 2, y * 4, (x * y) % 256, (x + y * 3) % 256));
    }
    const QString path = dir_.filePath(QStringLiteral("qt.png"));
    QVERIFY(image.save(path, "PNG"));

    const QImage picture = LoadPngPicture(path);
    QCOMPARE(picture.convertToFormat(QImage::Format_ARGB32), image);
}

void TestPngLoader::unreadableFileGivesNoPicture_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // null: nothing is written
    const QByteArray png = EncodePng(PngRecipe{6, 8, false, false, 64, 64});
    QTest::newRow("missing file") << "absent.png" << QByteArray();
    QTest::newRow("missing folder") << "no such folder/a.png" << QByteArray();
    QTest::newRow("empty file") << "empty.png" << QByteArray("");
    QTest::newRow("text file") << "text.png" << QByteArray("just some words\n");
    QTest::newRow("jpeg named png") << "photo.png" << JpegBytes();
    QTest::newRow("cut in image data") << "cut.png" << png.left(png.size() / 2);
    QTest::newRow("header only") << "header.png" << png.left(33);
    QByteArray damaged = png;
    damaged[png.size() / 2] = static_cast<char>(damaged[png.size() / 2] ^ 0x55);
    QTest::newRow("damaged image data") << "damaged.png" << damaged;
    QTest::newRow("absurd size") << "huge.png"
                                 << PngSignature() + HeaderChunk(100000, 100000, 8, 6) +
                                        PngChunk("IEND", {});
}

void TestPngLoader::unreadableFileGivesNoPicture() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    const QString path = content.isNull() ? dir_.filePath(name) : Write(name, content);
    QVERIFY(LoadPngPicture(path).isNull());
}

void TestPngLoader::readsPathWithJapaneseAndBlanks() {
    const QString folder = QStringLiteral("写真 フォルダ");
    QVERIFY(QDir(dir_.path()).mkdir(folder));
    const PngRecipe recipe{3, 8};
    const QString path = Write(folder + QStringLiteral("/夏の 海 1.png"), EncodePng(recipe));
    QCOMPARE(CompareWithRecipe(LoadPngPicture(path), recipe), QString());
}

// A leak of the pixel buffer, the picture, the spng context or the open file
// on any path grows with every load; a damaged file among the good ones
// covers the path where decoding fails half way.
void TestPngLoader::repeatedLoadsKeepMemoryFlat() {
    const QList<int> colourTypes = {6, 3, 0, 2, 4};
    QStringList paths;
    for (int i = 0; i < 40; ++i) {
        const PngRecipe recipe{colourTypes[i % 5], 8, i % 3 == 0, false, 256, 192, i};
        paths << Write(QStringLiteral("many%1.png").arg(i), EncodePng(recipe));
    }
    const QByteArray good = EncodePng(PngRecipe{6, 8, false, false, 256, 192});
    const QString cut = Write(QStringLiteral("many-cut.png"), good.left(good.size() * 2 / 3));
    int wrong = 0;
    const auto loadMany = [&](int count) {
        for (int i = 0; i < count; ++i) {
            const bool damaged = i % 10 == 9;
            wrong += LoadPngPicture(damaged ? cut : paths[i % paths.size()]).isNull() != damaged;
        }
    };

    loadMany(200); // let the allocator settle first
    const qint64 before = ResidentKiB();
    loadMany(3000);
    const qint64 after = ResidentKiB();

    qInfo("resident memory: %lld KiB before, %lld KiB after 3000 more loads of 256x192 PNGs",
          before, after);
    QCOMPARE(wrong, 0);
    QVERIFY(before > 0);
    QVERIFY2(after - before < 4096, "resident memory grew by 4 MiB or more");
}

QTEST_GUILESS_MAIN(TestPngLoader)
#include "tst_pngloader.moc"
