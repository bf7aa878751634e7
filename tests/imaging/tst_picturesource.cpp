// Reading ahead never shows a picture other than the file's current content,
// and what a window shows for each kind of file.
#include "imaging/Fit.h"
#include "imaging/PictureDisplay.h"
#include "imaging/PictureSource.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QtTest>

#include <cstdio>
#include <spng.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace sorvane;
using sorvane::test::WriteFile;
using sorvane::test::WriteImage;

namespace {

const QSize Box(400, 300);

// A one-bit grey PNG, all black: deflate packs its rows about 1000 to 1.
bool WriteBlankPng(const QString& path, std::uint32_t width, std::uint32_t height) {
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    spng_ctx* ctx = spng_ctx_new(SPNG_CTX_ENCODER);
    spng_set_png_file(ctx, file);
    spng_set_option(ctx, SPNG_IMG_COMPRESSION_LEVEL, 9);
    spng_ihdr ihdr{width, height, 1, SPNG_COLOR_TYPE_GRAYSCALE, 0, 0, 0};
    spng_set_ihdr(ctx, &ihdr);
    const std::vector<unsigned char> row((width + 7) / 8);
    int error = spng_encode_image(ctx, nullptr, 0, SPNG_FMT_PNG,
                                  SPNG_ENCODE_PROGRESSIVE | SPNG_ENCODE_FINALIZE);
    for (std::uint32_t y = 0; y < height && error == 0; ++y)
        error = spng_encode_row(ctx, row.data(), row.size());
    spng_ctx_free(ctx);
    std::fclose(file);
    return error == SPNG_EOI;
}

// From now on this process's data may grow by `bytes` at most.
void LimitDataGrowth(rlim_t bytes) {
    QFile statm(QStringLiteral("/proc/self/statm")); // data and stack, in pages
    statm.open(QIODevice::ReadOnly);
    const rlim_t data = statm.readAll().split(' ').value(5).toULongLong() * ::getpagesize();
    const rlimit limit{data + bytes, data + bytes};
    ::setrlimit(RLIMIT_DATA, &limit);
}

QColor Middle(const Picture& picture) {
    return picture.image.pixelColor(picture.image.width() * 3 / 4, picture.image.height() * 3 / 4);
}

// The threads of this process and the nice value of each.
QMap<QString, int> ThreadNiceness() {
    QMap<QString, int> threads;
    for (const QString& tid :
         QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        threads.insert(tid, ::getpriority(PRIO_PROCESS, id_t(tid.toInt())));
    return threads;
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
        WriteImage(path, QSize(800, 600), format, QColor(200, 30, 30));
        PictureSource source;
        source.prefetch({path}, Box);
        QTRY_COMPARE(source.cachedCount(), 1);
        const QString written = change == "rename" ? dir.filePath("new") : path;
        WriteImage(written, QSize(640, 480), format, QColor(30, 30, 200));
        QVERIFY(change != "rename" || ::rename(qPrintable(written), qPrintable(path)) == 0);
        if (change == "delete")
            QFile::remove(path);
        const Picture shown = source.load(path, Box);
        if (change == "delete")
            QCOMPARE(shown.error, FileError::FileNotFound);
        else
            QVERIFY2(Middle(shown).blue() > 150 && Middle(shown).red() < 80,
                     qPrintable(Middle(shown).name()));
    }

    // The workers run ten steps below the thread that started them, also
    // when that one was started at another priority than the default.
    void workersRunBelowTheWindowsThread() {
        QVERIFY(::setpriority(PRIO_PROCESS, id_t(::gettid()), 5) == 0);
        const QMap<QString, int> before = ThreadNiceness();
        PictureSource source(PictureSource::Options{4, 2});
        auto workers = [&before] {
            QList<int> niceness;
            const QMap<QString, int> now = ThreadNiceness();
            for (auto it = now.begin(); it != now.end(); ++it)
                if (!before.contains(it.key()))
                    niceness << it.value();
            return niceness;
        };
        QTRY_COMPARE(workers(), QList<int>({15, 15}));
    }

    void cacheIsBoundedAndServesTheFittedPicture() {
        QTemporaryDir dir;
        QStringList paths;
        for (int i = 0; i < 6; ++i) {
            paths << dir.filePath(QStringLiteral("%1.png").arg(i));
            WriteImage(paths.last(), QSize(1600, 1200), "PNG", QColor(20 * i, 100, 50));
        }
        PictureSource source(PictureSource::Options{4, 2});
        QCOMPARE(source.load(paths[0], Box).image.cacheKey(),
                 source.load(paths[0], Box).image.cacheKey());
        for (int round = 0; round < 2; ++round) { // loads while workers read the same files
            source.prefetch(paths, Box);
            for (int i = 0; i < paths.size(); ++i) {
                const Picture picture = source.load(paths[i], Box);
                QCOMPARE(picture.image.size(), QSize(400, 300));
                QVERIFY(qAbs(Middle(picture).red() - 20 * i) < 6);
            }
        }
        QCOMPARE(source.cachedCount(), 4);
    }

    // What a window shows for each kind of file, read by the platform's loader.
    void displayRule_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<DisplayOutcome>("outcome");
        QTest::addColumn<QSize>("naturalSize");
        using O = DisplayOutcome;
        for (const char* picture : {"a.jpg", "progressive.JPG", "c.bmp"})
            QTest::newRow(picture) << picture << O::Shown << QSize(64, 48);
        QTest::newRow("png named jpg: the substitute")
            << "p.jpg" << O::SubstituteShown << QSize(320, 240);
        QTest::newRow("gif of 65535 x 65535: the substitute")
            << "huge.gif" << O::SubstituteShown << QSize(320, 240);
        QTest::newRow("bmp of 30000 x 30000: the substitute")
            << "huge.bmp" << O::SubstituteShown << QSize(320, 240);
        QTest::newRow("unreadable png: nothing") << "cut.png" << O::Shown << QSize(0, 0);
        QTest::newRow("missing folder") << "gone/a.jpg" << O::MissingFolder << QSize();
        QTest::newRow("missing file") << "b.jpg" << O::Quiet << QSize();
        QTest::newRow("a folder") << "" << O::Quiet << QSize();
    }
    void displayRule() {
        QFETCH(QString, file);
        QFETCH(DisplayOutcome, outcome);
        QFETCH(QSize, naturalSize);
        QTemporaryDir dir;
        const QColor red(200, 40, 40);
        WriteImage(dir.filePath("a.jpg"), QSize(64, 48), "JPEG", red);
        WriteImage(dir.filePath("progressive.JPG"), QSize(64, 48), "JPEG", red, true);
        WriteImage(dir.filePath("c.bmp"), QSize(64, 48), "BMP", red);
        WriteImage(dir.filePath("p.jpg"), QSize(8, 8), "PNG");
        WriteFile(dir.filePath("cut.png"), "\x89PNG\r\n\x1a\n");
        WriteFile(dir.filePath("huge.gif"), QByteArray::fromHex("474946383961ffffffff0000002c0000"
                                                                "0000ffffffff0002024c01003b"));
        WriteFile(
            dir.filePath("huge.bmp"),
            QByteArray::fromHex("424d360000000000000036000000280000003075000030750000010018"));
        WriteImage(dir.filePath("Error.jpg"), QSize(320, 240), "JPEG");
        PictureSource source;
        const DisplayedPicture shown =
            DisplayPicture(source, dir.path() + "/" + file, Box, dir.filePath("Error.jpg"));
        QCOMPARE(shown.outcome, outcome);
        QCOMPARE(shown.picture.naturalSize, naturalSize);
        if (naturalSize == QSize(64, 48))
            QVERIFY2(qAbs(Middle(shown.picture).red() - 200) < 12 &&
                         Middle(shown.picture).green() < 60,
                     qPrintable(Middle(shown.picture).name()));
        QCOMPARE(SkippedDisplay(dir.path() + "/" + file),
                 outcome == DisplayOutcome::MissingFolder ? outcome : DisplayOutcome::Quiet);
    }

    // A GIF's size is its screen's, which the first frame may not fill: the
    // frame (red) is drawn at its offset, the picture keeps its proportions.
    void gifSizeIsTheScreens_data() {
        QTest::addColumn<QByteArray>("gif");
        QTest::addColumn<QSize>("naturalSize");
        // 10 x 10 screen; a 4 x 3 frame at 2, 2 in colour 1 of black and red.
        QTest::newRow("frame inside the screen")
            << QByteArray::fromHex("4749463839610a000a00800000000000ff00002c0200020004000300"
                                   "0002084c983061c2844901003b")
            << QSize(10, 10);
        // The toolkit reports the first frame (8 x 8) yet reads the 6152 wide screen.
        QTest::newRow("screen wider than the frame")
            << QByteArray::fromHex("47494638396108180000f0000000000000000021f90401000000002c0000"
                                   "000008000800000207848fa9cb0effffffffffffffed5d00003b")
            << QSize(6152, 8);
    }
    void gifSizeIsTheScreens() {
        QFETCH(QByteArray, gif);
        QFETCH(QSize, naturalSize);
        QTemporaryDir dir;
        WriteFile(dir.filePath("s.gif"), gif);
        const Picture picture = PictureSource().load(dir.filePath("s.gif"), Box);
        QCOMPARE(picture.naturalSize, naturalSize);
        QCOMPARE(picture.image.size(), FittedSize(naturalSize, Box));
        const auto red = [&](int x, int y) { return picture.image.pixel(x, y) == qRgb(255, 0, 0); };
        if (naturalSize == QSize(10, 10)) // the frame covers 2..5 x 2..4
            QVERIFY(red(3, 3) && !red(0, 0) && !red(9, 9) && !red(3, 7));
    }

    // A 130 KB PNG of 32768 x 32767 pixels is read into the box, with no
    // more memory than the box needs: a child process whose memory may grow
    // by 256 MiB at most reads it.
    void pngBombIsReadIntoTheBox() {
        QTemporaryDir dir;
        const QString path = dir.filePath("bomb.png");
        QVERIFY(WriteBlankPng(path, 32768, 32767)); // about 130 KB
        const pid_t child = ::fork();
        if (child == 0) {
            LimitDataGrowth(256 << 20);
            const Picture picture = PictureSource(PictureSource::Options{12, 0}).load(path, Box);
            const bool right = picture.naturalSize == QSize(32768, 32767) &&
                               picture.image.size() == QSize(300, 300) &&
                               picture.image.pixel(150, 150) == qRgb(0, 0, 0);
            ::_exit(right ? 0 : 1);
        }
        int status = 0;
        QVERIFY(::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
                WEXITSTATUS(status) == 0);
    }
};

QTEST_GUILESS_MAIN(PictureSourceTest)
#include "tst_picturesource.moc"
