// Reading ahead never shows a picture other than the file's current content.
#include "imaging/PictureCache.h"
#include "imaging/PictureSource.h"

#include "support/TestFiles.h"

#include <QtTest>


using namespace sorvane;
using sorvane::test::WriteImage;

namespace {

const QSize Box(400, 300);

// Waits until the workers have read the given number of pictures ahead.
bool WaitForCache(PictureSource& source, int count) {
    QElapsedTimer timer;
    timer.start();
    while (source.CachedCount() < count && timer.elapsed() < 10000)
        QThread::msleep(5);
    return source.CachedCount() >= count;
}

QColor Middle(const Picture& picture) {
    return picture.image.pixelColor(picture.image.width() * 3 / 4, picture.image.height() * 3 / 4);
}

} // namespace

class PictureSourceTest : public QObject {
    Q_OBJECT
private slots:
    void readAheadIsServedFromTheCache() {
        QTemporaryDir dir;
        WriteImage(dir.filePath("a.jpg"), QSize(1600, 1200), "JPEG");
        PictureSource source;
        source.Prefetch({dir.filePath("a.jpg")}, Box);
        QVERIFY(WaitForCache(source, 1));
        const Picture first = source.Load(dir.filePath("a.jpg"), Box);
        const Picture second = source.Load(dir.filePath("a.jpg"), Box);
        QCOMPARE(first.naturalSize, QSize(1600, 1200));
        QCOMPARE(first.image.size(), QSize(400, 300));
        QCOMPARE(first.image.cacheKey(), second.image.cacheKey());
        // Another box is another picture.
        QCOMPARE(source.Load(dir.filePath("a.jpg"), QSize(200, 200)).image.size(), QSize(200, 150));
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
        source.Prefetch({path}, Box);
        QVERIFY(WaitForCache(source, 1));
        if (inPlace) {
            WriteImage(path, QSize(800, 600), format, QColor(30, 30, 200));

        } else {
            WriteImage(dir.filePath("new"), QSize(640, 480), format, QColor(30, 30, 200));
            QVERIFY(::rename(qPrintable(dir.filePath("new")), qPrintable(path)) == 0);
        }
        const Picture shown = source.Load(path, Box);
        QVERIFY2(Middle(shown).blue() > 150 && Middle(shown).red() < 80,
                 qPrintable(Middle(shown).name()));
    }

    void deletedFileFailsAsAMissingFile() {
        QTemporaryDir dir;
        WriteImage(dir.filePath("a.jpg"), QSize(800, 600), "JPEG");
        PictureSource source;
        source.Prefetch({dir.filePath("a.jpg")}, Box);
        QVERIFY(WaitForCache(source, 1));
        QFile::remove(dir.filePath("a.jpg"));
        const Picture shown = source.Load(dir.filePath("a.jpg"), Box);
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
        PictureSource source(PictureSource::Options{4, 2, true});
        for (const QString& path : paths)
            source.Load(path, Box);
        QCOMPARE(source.CachedCount(), 4);
        source.Prefetch(paths, Box);
        QThread::msleep(300);
        QCOMPARE(source.CachedCount(), 4);
    }

    void leastRecentlyUsedPictureGoesFirst() {
        PictureCache cache(2);
        const FileStamp stamp{1, 2, 3, 4};
        Picture picture;
        cache.Store("a", Box, stamp, picture);
        cache.Store("b", Box, stamp, picture);
        QVERIFY(cache.Find("a", Box, stamp)); // a is now the most recent
        cache.Store("c", Box, stamp, picture);
        QVERIFY(cache.Contains("a", Box, stamp));
        QVERIFY(!cache.Contains("b", Box, stamp));
        QVERIFY(!cache.Find("a", Box, FileStamp{1, 2, 3, 5})); // another version of the file
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
            source.Prefetch(paths, Box);
            for (int i = 0; i < paths.size(); ++i) {
                const Picture picture = source.Load(paths[i], Box);
                QCOMPARE(picture.naturalSize, QSize(900, 700));
                QVERIFY(qAbs(Middle(picture).red() - 20 * i) < 6);
            }
        }
    }
};

QTEST_GUILESS_MAIN(PictureSourceTest)
#include "tst_picturesource.moc"
