#pragma once

#include "imaging/PictureReader.h"

#include <QByteArray>
#include <QSize>
#include <QString>

#include <optional>

namespace sorvane {

// Whether the first bytes of a file may be a camera raw: the TIFF family
// (CR2, NEF, NRW, ARW, SR2, DNG, PEF, SRW, and plain TIFF pictures too),
// Olympus, Panasonic, Fujifilm and Canon's CR3. Only these are offered to
// LibRaw, so an ordinary JPEG never pays for asking it.
bool MayBeCameraRaw(const QByteArray& head);

// The picture of a camera raw file, or nothing when LibRaw does not take the
// file for one (a plain TIFF picture is then read as such). The picture is
// the largest preview the camera embedded when it covers the box, decoded at
// the box's size through the JPEG reader; otherwise the raw data developed
// at half size. Upright by the raw's own orientation; the natural size is
// the camera's picture size, upright.
std::optional<Picture> ReadCameraRaw(const QString& path, QSize box);

} // namespace sorvane
