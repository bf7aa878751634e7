#pragma once

#include "controls/Twips.h"
#include "sorting/Form1Controls.h"
#include "sorting/WindowArrangement.h"

#include <QHash>
#include <QRectF>
#include <QSize>

#include <functional>

namespace sorvane {

// Puts the main window's controls where the arrangement for its inner size
// and run layout says (WindowArrangement.h), in twips. A placement gives
// only the edges it changes; the others stay as the control was last placed.
class ControlLayout {
public:
    using PlaceTwips = std::function<void(QWidget*, const QRectF&)>;
    // `placed` holds each control's twips as last placed through `place`.
    ControlLayout(const Form1Controls& ui, const Twips& twips,
                  const QHash<QWidget*, QRectF>& placed, PlaceTwips place)
        : ui_(ui), twips_(twips), placed_(placed), place_(std::move(place)) {}

    // The layout pass over the inner area as it is now. The picture is hidden
    // while its box moves; false when there was nothing to place, or when the
    // pass ended at a size the window cannot take.
    bool arrange(RunLayout layout);
    // The preview box a run in that layout would show its first file in.
    QSize previewBox(RunLayout layout) const;
    // The status bar keeps the bottom 300 twips of the inner area.
    void dockStatusBar();

private:
    QWidget* controlOf(Control control, int index) const;
    QRectF placedTwips(const Placement& placement) const;
    QSizeF innerTwips() const;

    const Form1Controls& ui_;
    const Twips& twips_;
    const QHash<QWidget*, QRectF>& placed_;
    PlaceTwips place_;
};

} // namespace sorvane
