#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

namespace sorvane::bench {

// Camera-like pictures: smooth colour fields with sensor-like noise, so that a
// 6000 x 4000 JPEG at high quality weighs about as much as a real photograph.
// Each seed gives a different picture.
QImage Photo(QSize size, int seed);
void WritePhoto(const QString& path, QSize size, int seed, const char* format,
                bool progressive = false);

// Fills a folder with `count` files named IMG_000001.<ending> and up, each a
// hard link to one of the given distinct pictures in turn: big folders cost
// no disk space, yet every file is its own path and nothing can be cached by
// content. Each picture can take some tens of thousands of links (the
// file system's limit), so big folders need several.
QStringList FillFolder(const QString& folder, const QStringList& originals, int count,
                       const QString& ending);

} // namespace sorvane::bench
