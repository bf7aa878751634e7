#pragma once

#include "platform/PictureReader.h"

#include <QSize>
#include <QString>

namespace sorvane {

// The one way the windows get pictures. PNG files (by their name) go through
// the PNG decoder, every other file through the platform's picture loader.
// A PNG the decoder cannot read is no picture and no error: the windows show
// nothing for it rather than the substitute picture.
class PictureSource {
public:
    // box is the size the picture will be shown in; a larger picture may be
    // delivered already shrunk to fit it (its natural size still reported).
    Picture Load(const QString& path, QSize box = {});
};

} // namespace sorvane
