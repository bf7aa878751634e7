// Reading ahead never shows a picture other than the file's current content,
// and what a window shows for each kind of file.
#include "imaging/PictureDisplay.h"
#include "imaging/PictureSource.h"

#include "support/TestFiles.h"

#include <QImageWriter>
#include <QtTest>

#include <sys/resource.h>
#include <unistd.h>

using namespace sorvane;
using sorvane::test::WriteFile;
using sorvane::test::WriteImage;

namespace {

const QSize Box(400, 300);

QColor Middle(const QImage& image) {
    return image.pixelColor(image.width() * 3 / 4, image.height() * 3 / 4);
}

} // namespace

class PictureSourceTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Read ahead in red, then changed behind the cache's back.
    void changedFileShowsItsNewContent_data() {
        QTest::addColumn<QString>("change");
        QTest::newRow("jpeg replaced by rename") << "rename";
        QTest::newRow("png rewritten in place") << "rewrite";
        QTest::newRow("deleted") << "delete";
    }
    void changedFileShowsItsNewContent() {
        QFETCH(QString, change);
        QTemporaryDir dir;
        const char* format = change == "rewrite" ? "PNG" : "JPEG";
        const QString path = dir.filePath(change == "rewrite" ? "a.png" : "a.jpg");
        const QString written = change == "rename" ? dir.filePath("new") : path;
        WriteImage(path, QSize(800, 600), format, QColor(200, 30, 30));
        PictureSource source;
        source.prefetch({path}, Box);
        QTRY_COMPARE(source.cachedCount(), 1);
        WriteImage(written, QSize(640, 480), format, QColor(30, 30, 200));
        QVERIFY(change != "rename" || ::rename(qPrintable(written), qPrintable(path)) == 0);
        QVERIFY(change != "delete" || QFile::remove(path));
        const Picture shown = source.load(path, Box);
        QCOMPARE(shown.error, change == "delete" ? FileError::FileNotFound : FileError::None);
        QVERIFY(change == "delete" ||
                (Middle(shown.image).blue() > 150 && Middle(shown.image).red() < 80));
    }

    // What a window shows for each kind of file. A GIF's size is its
    // screen's, which the first frame may not fill: the frame is drawn at its
    // offset, the picture keeps its proportions.
    void displayRule_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<DisplayOutcome>("outcome");
        QTest::addColumn<QSize>("naturalSize");
        using O = DisplayOutcome;
        const QSize substitute(320, 240);
        // clang-format off
        QTest::newRow("jpeg") << "a.jpg" << O::Shown << QSize(64, 48);
        QTest::newRow("gif frame inside its screen") << "frame.gif" << O::Shown << QSize(10, 10);
        QTest::newRow("gif screen wider than its frame") << "wide.gif" << O::Shown << QSize(6152, 8);
        QTest::newRow("png named jpg: the substitute") << "p.jpg" << O::SubstituteShown << substitute;
        QTest::newRow("gif of 65535 x 65535: the substitute") << "huge.gif" << O::SubstituteShown << substitute;
        QTest::newRow("png cut in its image data: nothing") << "cut.png" << O::Shown << QSize(0, 0);
        QTest::newRow("missing folder") << "gone/a.jpg" << O::MissingFolder << QSize();
        QTest::newRow("missing file") << "b.jpg" << O::Quiet << QSize();
        QTest::newRow("a folder") << "" << O::Quiet << QSize();
        // clang-format on
    }
    void displayRule() {
        QFETCH(QString, file);
        QFETCH(DisplayOutcome, outcome);
        QFETCH(QSize, naturalSize);
        QTemporaryDir dir;
        WriteImage(dir.filePath("a.jpg"), QSize(64, 48), "JPEG", QColor(200, 40, 40));
        WriteImage(dir.filePath("p.jpg"), QSize(8, 8), "PNG");
        WriteImage(dir.filePath("Error.jpg"), QSize(320, 240), "JPEG");
        WriteImage(dir.filePath("cut.png"), QSize(64, 48), "PNG");
        QVERIFY(
            QFile(dir.filePath("cut.png")).resize(QFileInfo(dir.filePath("cut.png")).size() / 2));
        // clang-format off
        const std::pair<const char*, const char*> made[] = {
            {"huge.gif", "474946383961ffffffff0000002c00000000ffffffff0002024c01003b"},
            // A 10 x 10 screen; a 4 x 3 frame at 2, 2 in colour 1 of black and red.
            {"frame.gif", "4749463839610a000a00800000000000ff00002c02000200040003000002084c983061c2844901003b"},
            // The toolkit reports the first frame (8 x 8) yet reads the 6152 wide screen.
            {"wide.gif", "47494638396108180000f0000000000000000021f90401000000002c0000000008000800000207848fa9cb0effffffffffffffed5d00003b"}};
        // clang-format on
        for (const auto& [name, hex] : made)
            WriteFile(dir.filePath(name), QByteArray::fromHex(hex));
        PictureSource source;
        const DisplayedPicture shown =
            DisplayPicture(source, dir.path() + "/" + file, Box, dir.filePath("Error.jpg"));
        const QImage& image = shown.picture.image;
        QCOMPARE(shown.outcome, outcome);
        QCOMPARE(shown.picture.naturalSize, naturalSize);
        QCOMPARE(SkippedDisplay(dir.path() + "/" + file),
                 outcome == DisplayOutcome::MissingFolder ? outcome : DisplayOutcome::Quiet);
        if (outcome == DisplayOutcome::Shown) // never enlarged; the wide screen kept wide
            QCOMPARE(image.size(), file == "wide.gif" ? QSize(400, 1) : naturalSize);
        if (file == "a.jpg") // the file's red, not the substitute's blue
            QVERIFY(Middle(image).red() > 180 && Middle(image).green() < 60);
        const auto isRed = [&](int x, int y) {
            return image.pixel(x * image.width() / 10, y * image.height() / 10) == qRgb(255, 0, 0);
        };
        if (file == "frame.gif") // the frame covers 2..5 x 2..4 of the screen
            QVERIFY(isRed(3, 3) && !isRed(0, 0) && !isRed(9, 9) && !isRed(3, 7));
    }

    // A 200 KB PNG of 32768 x 32767 pixels is read into the box, with no
    // more memory than the box needs: while it is read, this process's data
    // may grow by 256 MiB at most (no worker thread runs meanwhile).
    void pngBombIsReadIntoTheBox() {
        QTemporaryDir dir;
        const QString path = dir.filePath("bomb.png");
        {
            QImage blank(32768, 32767, QImage::Format_Mono); // deflate packs its rows 1000 to 1
            blank.fill(0);                                   // colour 0 of its table, black
            QVERIFY(QImageWriter(path, "PNG").write(blank));
        }
        QFile statm(QStringLiteral("/proc/self/statm")); // data and stack, in pages
        QVERIFY(statm.open(QIODevice::ReadOnly));
        const rlim_t data = statm.readAll().split(' ').value(5).toULongLong() * ::getpagesize();
        rlimit saved{};
        ::getrlimit(RLIMIT_DATA, &saved);
        const rlimit tight{data + (256 << 20), saved.rlim_max};
        PictureSource source(PictureSource::Options{12, 0});
        ::setrlimit(RLIMIT_DATA, &tight);
        const Picture picture = source.load(path, Box);
        ::setrlimit(RLIMIT_DATA, &saved);
        QCOMPARE(picture.naturalSize, QSize(32768, 32767));
        QCOMPARE(picture.image.size(), QSize(300, 300));
        QCOMPARE(picture.image.pixel(150, 150), qRgb(0, 0, 0));
    }
};

QTEST_GUILESS_MAIN(PictureSourceTest)
#include "tst_picturesource.moc"
