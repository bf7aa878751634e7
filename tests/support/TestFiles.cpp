#include "support/TestFiles.h"

#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QtTest>

namespace sorvane::test {

void WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(content);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void WriteImage(const QString& path, QSize size, const char* format, QColor colour,
                bool progressive) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QPainter painter(&image); // a mark in one corner so orientation is visible
    painter.fillRect(0, 0, qMax(1, size.width() / 4), qMax(1, size.height() / 4), Qt::white);
    painter.end();
    QImageWriter writer(path, format);
    writer.setProgressiveScanWrite(progressive);
    QVERIFY2(writer.write(image), qPrintable(writer.errorString()));
}

} // namespace sorvane::test
