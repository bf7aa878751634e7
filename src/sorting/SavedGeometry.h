#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <cstdint>
#include <optional>

namespace sorvane {

// The settings keep the main window's outer size and position in twips. The
// room the frame, caption and menu bar take around the inner area counts
// as a fixed amount, so a saved size means the same whatever the window
// manager draws.
inline constexpr QSizeF FrameTwips(120, 690);

// The outer size the saved width and height fields ask for: a width under
// 8300 gives the smallest sensible window, whatever the height says. None
// when a field that counts is not a number (start-up stops there).
std::optional<QSizeF> SavedOuterSize(const QString& width, const QString& height);

// The four geometry fields of the settings, from the outer rectangle in twips.
struct GeometryFields {
    QString width, height;
    std::int16_t left = 0, top = 0;
};
GeometryFields GeometryFieldsOf(const QRectF& outerTwips);

// Rounded to the nearest 16-bit number, and held within that range.
std::int16_t ClampedInt16(float value);

} // namespace sorvane
