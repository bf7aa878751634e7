// The platform's picture loader on real files of each kind and each failure.
#include "imaging/PictureReader.h"

#include "support/TestFiles.h"

#include <QtTest>

using namespace sorvane;
using sorvane::test::WriteFile;
using sorvane::test::WriteImage;

class PictureReaderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsEachKind_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<bool>("progressive");
        QTest::newRow("jpeg") << "a.jpg" << QByteArray("JPEG") << false;
        QTest::newRow("progressive jpeg") << "b.JPG" << QByteArray("JPEG") << true;
        QTest::newRow("bmp") << "c.bmp" << QByteArray("BMP") << false;
        QTest::newRow("gif") << "d.gif" << QByteArray("GIF") << false;
    }
    void readsEachKind() {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        QFETCH(bool, progressive);
        QTemporaryDir dir;
        WriteImage(dir.filePath(name), QSize(64, 48), format.constData(), QColor(200, 40, 40),
                   progressive);
        const Picture picture = ReadPicture(dir.filePath(name));
        QCOMPARE(picture.error, FileError::None);
        QCOMPARE(picture.naturalSize, QSize(64, 48));
        QCOMPARE(picture.image.size(), QSize(64, 48));
        const QColor centre = picture.image.pixelColor(48, 36);
        QVERIFY2(qAbs(centre.red() - 200) < 12 && centre.green() < 60, qPrintable(centre.name()));
    }

    void failuresAreToldApart_data() {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<FileError>("error");
        QTest::newRow("text named jpg")
            << "x.jpg" << QByteArray("hello") << FileError::InvalidPicture;
        QTest::newRow("truncated jpeg")
            << "t.jpg" << QByteArray("\xff\xd8\xff\xe0") << FileError::InvalidPicture;
        QTest::newRow("png content") << "p.jpg" << QByteArray() << FileError::InvalidPicture;
        QTest::newRow("missing file") << "missing.jpg" << QByteArray() << FileError::FileNotFound;
        QTest::newRow("missing folder") << "gone/a.jpg" << QByteArray() << FileError::PathNotFound;
        QTest::newRow("a folder") << "" << QByteArray() << FileError::Other;
    }
    void failuresAreToldApart() {
        QFETCH(QString, relative);
        QFETCH(QByteArray, content);
        QFETCH(FileError, error);
        QTemporaryDir dir;
        if (!content.isEmpty())
            WriteFile(dir.filePath(relative), content);
        if (relative == "p.jpg")
            WriteImage(dir.filePath(relative), QSize(8, 8), "PNG");
        const Picture picture = ReadPicture(dir.path() + "/" + relative);
        QCOMPARE(picture.error, error);
        QVERIFY(picture.isNull());
    }
};

QTEST_GUILESS_MAIN(PictureReaderTest)
#include "tst_picturereader.moc"
