// Reading ahead never shows a picture other than the file's current content,
// and what a window shows for each kind of file.
#include "imaging/PictureCache.h"
#include "imaging/PictureDisplay.h"
#include "imaging/PictureSource.h"

#include "support/TestFiles.h"

#include <QtTest>

using namespace sorvane;
using sorvane::test::WriteFile;
using sorvane::test::WriteImage;

namespace {

const QSize Box(400, 300);

// Waits until the workers have read the given number of pictures ahead.
bool WaitForCache(PictureSource& source, int count) {
    QElapsedTimer timer;
    timer.start();
    while (source.cachedCount() < count && timer.elapsed() < 10000)
        QThread::msleep(5);
    return source.cachedCount() >= count;
}

QColor Middle(const Picture& picture) {
    return picture.image.pixelColor(picture.image.width() * 3 / 4, picture.image.height() * 3 / 4);
}

} // namespace

class PictureSourceTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readAheadIsServedFromTheCache() {
        QTemporaryDir dir;
        WriteImage(dir.filePath("a.jpg"), QSize(1600, 1200), "JPEG");
        PictureSource source;
        source.prefetch({dir.filePath("a.jpg")}, Box);
        QVERIFY(WaitForCache(source, 1));
        const Picture first = source.load(dir.filePath("a.jpg"), Box);
        const Picture second = source.load(dir.filePath("a.jpg"), Box);
        QCOMPARE(first.naturalSize, QSize(1600, 1200));
        QCOMPARE(first.image.size(), QSize(400, 300));
        QCOMPARE(first.image.cacheKey(), second.image.cacheKey());
        // Another box is another picture.
        QCOMPARE(source.load(dir.filePath("a.jpg"), QSize(200, 200)).image.size(), QSize(200, 150));
    }

    void replacedFileShowsItsNewContent_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("inPlace");
        QTest::newRow("jpeg replaced by rename") << "a.jpg" << false;
        QTest::newRow("png rewritten in place") << "b.png" << true;
    }
    void replacedFileShowsItsNewContent() {
        QFETCH(QString, name);
        QFETCH(bool, inPlace);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        const char* format = name.endsWith("png") ? "PNG" : "JPEG";
        WriteImage(path, QSize(800, 600), format, QColor(200, 30, 30));
        PictureSource source;
        source.prefetch({path}, Box);
        QVERIFY(WaitForCache(source, 1));
        if (inPlace) {
            WriteImage(path, QSize(800, 600), format, QColor(30, 30, 200));
        } else {
            WriteImage(dir.filePath("new"), QSize(640, 480), format, QColor(30, 30, 200));
            QVERIFY(::rename(qPrintable(dir.filePath("new")), qPrintable(path)) == 0);
        }
        const Picture shown = source.load(path, Box);
        QVERIFY2(Middle(shown).blue() > 150 && Middle(shown).red() < 80,
                 qPrintable(Middle(shown).name()));
    }

    void deletedFileFailsAsAMissingFile() {
        QTemporaryDir dir;
        WriteImage(dir.filePath("a.jpg"), QSize(800, 600), "JPEG");
        PictureSource source;
        source.prefetch({dir.filePath("a.jpg")}, Box);
        QVERIFY(WaitForCache(source, 1));
        QFile::remove(dir.filePath("a.jpg"));
        const Picture shown = source.load(dir.filePath("a.jpg"), Box);
        QCOMPARE(shown.error, FileError::FileNotFound);
        QVERIFY(shown.isNull());
    }

    void cacheStaysWithinItsBound() {
        QTemporaryDir dir;
        QStringList paths;
        for (int i = 0; i < 12; ++i) {
            paths << dir.filePath(QStringLiteral("%1.jpg").arg(i));
            WriteImage(paths.last(), QSize(320, 240), "JPEG");
        }
        PictureSource source(PictureSource::Options{4, 2});
        for (const QString& path : paths)
            QCOMPARE(source.load(path, Box).naturalSize, QSize(320, 240));
        QCOMPARE(source.cachedCount(), 4);
    }

    void leastRecentlyUsedPictureGoesFirst() {
        PictureCache cache(2);
        const FileStamp stamp{1, 2, 3, 4};
        Picture picture;
        cache.store("a", Box, stamp, picture);
        cache.store("b", Box, stamp, picture);
        QVERIFY(cache.find("a", Box, stamp)); // a is now the most recent
        cache.store("c", Box, stamp, picture);
        QVERIFY(cache.contains("a", Box, stamp));
        QVERIFY(!cache.contains("b", Box, stamp));
        QVERIFY(!cache.find("a", Box, FileStamp{1, 2, 3, 5})); // another version of the file
    }

    void loadsWhileWorkersReadTheSameFiles() {
        QTemporaryDir dir;
        QStringList paths;
        for (int i = 0; i < 6; ++i) {
            paths << dir.filePath(QStringLiteral("%1.png").arg(i));
            WriteImage(paths.last(), QSize(900, 700), "PNG", QColor(20 * i, 100, 50));
        }
        PictureSource source;
        for (int round = 0; round < 3; ++round) {
            source.prefetch(paths, Box);
            for (int i = 0; i < paths.size(); ++i) {
                const Picture picture = source.load(paths[i], Box);
                QCOMPARE(picture.naturalSize, QSize(900, 700));
                QVERIFY(qAbs(Middle(picture).red() - 20 * i) < 6);
            }
        }
    }

    void displayRule_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("substitute");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QSize>("naturalSize");
        using O = DisplayOutcome;
        QTest::newRow("picture") << "a.jpg" << true << int(O::Shown) << QSize(640, 480);
        QTest::newRow("no picture: the substitute")
            << "text.jpg" << true << int(O::SubstituteShown) << QSize(320, 240);
        QTest::newRow("no picture, no substitute")
            << "text.jpg" << false << int(O::SubstituteShown) << QSize(0, 0);
        QTest::newRow("unreadable png: nothing")
            << "cut.png" << true << int(O::Shown) << QSize(0, 0);
        QTest::newRow("missing folder") << "gone/a.jpg" << true << int(O::MissingFolder) << QSize();
        QTest::newRow("missing file") << "b.jpg" << true << int(O::Quiet) << QSize();
    }
    void displayRule() {
        QFETCH(QString, file);
        QFETCH(bool, substitute);
        QFETCH(int, outcome);
        QFETCH(QSize, naturalSize);
        QTemporaryDir dir;
        WriteImage(dir.filePath("a.jpg"), QSize(640, 480), "JPEG");
        WriteFile(dir.filePath("text.jpg"), "not a picture");
        WriteFile(dir.filePath("cut.png"), "\x89PNG\r\n\x1a\n");
        if (substitute)
            WriteImage(dir.filePath("Error.jpg"), QSize(320, 240), "JPEG");
        PictureSource source;
        const DisplayedPicture shown =
            DisplayPicture(source, dir.filePath(file), Box, dir.filePath("Error.jpg"));
        QCOMPARE(int(shown.outcome), outcome);
        QCOMPARE(shown.picture.naturalSize, naturalSize);
        QCOMPARE(int(SkippedDisplay(dir.filePath(file))),
                 outcome == int(DisplayOutcome::MissingFolder) ? outcome
                                                               : int(DisplayOutcome::Quiet));
    }

    void readAheadChoice() {
        QCOMPARE(ReadAheadAfterSend(0, 10), (std::vector<int>{0, 1, 2, 3}));
        QCOMPARE(ReadAheadAfterSend(2, 10), (std::vector<int>{0, 1, 2, 3, 4, 5}));
        QCOMPARE(ReadAheadAfterSend(9, 10).size(), size_t(MostReadAhead));
        QCOMPARE(ReadAheadAfterSend(0, 2), (std::vector<int>{0, 1}));
        QCOMPARE(ReadAheadAround(4, 10), (std::vector<int>{5, 3}));
        QCOMPARE(ReadAheadAround(0, 1), std::vector<int>{});
    }
};

QTEST_GUILESS_MAIN(PictureSourceTest)
#include "tst_picturesource.moc"
