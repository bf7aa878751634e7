#pragma once

#include <QColor>
#include <QPalette>
#include <QString>
#include <QWidget>

namespace sorvane {

// Every control is made the same way: a child of its window's surface, named
// as the window's code names it (the tests and assistive tools find it by
// that name), with its tip.
template <typename W>
W* MakeControl(QWidget* parent, const QString& name, const QString& tooltip = {}) {
    auto* widget = new W(parent);
    widget->setObjectName(name);
    widget->setToolTip(tooltip);
    return widget;
}

// Sets one colour of the widget's palette; a background colour also makes the
// widget paint its background, which it otherwise leaves to its parent.
void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

} // namespace sorvane
