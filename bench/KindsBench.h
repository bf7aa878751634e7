#pragma once

#include "ViewerBench.h"

#include <QStringList>

namespace sorvane::bench {

// Every kind beyond plain JPEG and PNG, made as cameras and phones make it
// (JPEG turned by EXIF orientation 6, JPEG in Adobe RGB, WebP, TIFF of 24
// megapixels, HEIC and AVIF of 12, a 24-megapixel raw with its full-size
// preview), stepped through in the viewer with read-ahead at the preview's
// box (1412 x 941) and the full-HD viewer's (1920 x 1080), next to the plain
// JPEGs given and a baseline that decodes each whole when shown; then the
// memory of the raw runs.
void KindRows(const QStringList& plainJpegs, bool quick, bool skipBaseline, const RowPrinter& row);

// One cold decode to each box (nothing read ahead) of the raw and the HEIC,
// next to a whole decode of the same kind. `--only cold` runs these alone.
void ColdRows(const RowPrinter& row);

} // namespace sorvane::bench
