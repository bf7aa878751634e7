#pragma once

#include "controls/Twips.h"

#include <QColor>
#include <QPalette>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <functional>
#include <type_traits>
#include <utility>

namespace sorvane {

// The one way every window makes its controls: each a child of the surface
// it is made on, named as the window's code names it (the tests and assistive
// tools find it by that name), with its tip, and, placed by the window
// rather than by a layout, at its rectangle in twips of that surface.
class ControlFactory {
public:
    // Told of each control placed, with its rectangle, for a window that lays
    // its controls out again later from where they were put.
    using Placed = std::function<void(QWidget* control, const QRectF& twips)>;

    ControlFactory(QWidget* surface, Twips twips, Placed placed = {})
        : surface_(surface), twips_(twips), placed_(std::move(placed)) {}

    // The same factory making controls on another surface (a frame, a picture box).
    ControlFactory on(QWidget* surface) const { return {surface, twips_, placed_}; }

    // A control a layout (or the window's own layout pass) places, or a
    // timer; any further arguments go to its constructor before the parent.
    template <typename W, typename... Args>
    W* make(const QString& name, const QString& tooltip = {}, Args&&... arguments) const {
        auto* control = new W(std::forward<Args>(arguments)..., surface_);
        control->setObjectName(name);
        if constexpr (std::is_base_of_v<QWidget, W>)
            control->setToolTip(tooltip);
        else // a timer, which has no tip
            Q_ASSERT(tooltip.isEmpty());
        return control;
    }

    // A control at its rectangle, with its caption (a group box's title, any
    // other control's text) when it shows one.
    template <typename W>
    W* place(const QString& name, const QRectF& twips, const QString& tooltip = {},
             const QString& caption = {}) const {
        W* control = make<W>(name, tooltip);
        if constexpr (requires { control->setTitle(caption); })
            control->setTitle(caption);
        else if constexpr (requires { control->setText(caption); })
            control->setText(caption);
        else
            Q_ASSERT(caption.isEmpty());
        control->setGeometry(twips_.toPixels(twips));
        if (placed_)
            placed_(control, twips);
        return control;
    }

private:
    QWidget* surface_;
    Twips twips_;
    Placed placed_;
};

// Sets one colour of the widget's palette; a background colour also makes the
// widget paint its background, which it otherwise leaves to its parent.
void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

} // namespace sorvane
