#include "BenchPictures.h"

#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace sorvane::bench {

QImage Photo(QSize size, int seed) {
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator noise(quint32(seed) * 7919u + 1);
    const double w = size.width();
    const double h = size.height();
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const quint32 n = noise.generate();
            const int grain = int(n & 31) - 16;
            const int r = int(128 + 100 * (x / w - 0.5) * (seed % 3 + 1)) + grain;
            const int g = int(90 + 120 * (y / h)) + int((n >> 5) & 31) - 16;
            const int b =
                int(60 + 80 * ((x + y) / (w + h)) + 40 * (seed % 2)) + int((n >> 10) & 31) - 16;
            line[x] = qRgb(qBound(0, r, 255), qBound(0, g, 255), qBound(0, b, 255));
        }
    }
    return image;
}

void WritePhoto(const QString& path, QSize size, int seed, const char* format, bool progressive) {
    const QImage image = Photo(size, seed);
    QImageWriter writer(path, format);
    writer.setQuality(95);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
}

QStringList FillFolder(const QString& folder, const QStringList& originals, int count,
                       const QString& ending) {
    QDir().mkpath(folder);
    QStringList names;
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("IMG_%1.%2").arg(i + 1, 6, 10, QChar(u'0')).arg(ending);
        const QString target = folder + u'/' + name;
        // No copies: a file system's limit on links must not turn into
        // gigabytes of copied pictures.
        if (::link(qPrintable(originals[i % originals.size()]), qPrintable(target)) != 0)
            qFatal("cannot link %s: %s", qPrintable(target), strerror(errno));
        names.append(name);
    }
    return names;
}

} // namespace sorvane::bench
