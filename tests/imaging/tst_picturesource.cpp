// Reading ahead never shows a picture other than the file's current content,
// and what a window shows for each kind of file.
#include "imaging/PictureDisplay.h"
#include "imaging/PictureSource.h"

#include "support/TestFiles.h"

#include <QtTest>

using namespace sorvane;
using sorvane::test::WriteFile;
using sorvane::test::WriteImage;

namespace {

const QSize Box(400, 300);

QColor Middle(const Picture& picture) {
    return picture.image.pixelColor(picture.image.width() * 3 / 4, picture.image.height() * 3 / 4);
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
        for (const char* picture : {"a.jpg", "progressive.JPG", "c.bmp", "d.gif"})
            QTest::newRow(picture) << picture << O::Shown << QSize(64, 48);
        QTest::newRow("text named jpg: the substitute")
            << "text.jpg" << O::SubstituteShown << QSize(320, 240);
        QTest::newRow("png named jpg: the substitute")
            << "p.jpg" << O::SubstituteShown << QSize(320, 240);
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
        WriteImage(dir.filePath("d.gif"), QSize(64, 48), "GIF", red);
        WriteImage(dir.filePath("p.jpg"), QSize(8, 8), "PNG");
        WriteFile(dir.filePath("text.jpg"), "not a picture");
        WriteFile(dir.filePath("cut.png"), "\x89PNG\r\n\x1a\n");
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
};

QTEST_GUILESS_MAIN(PictureSourceTest)
#include "tst_picturesource.moc"
