#include "sorting/ControlLayout.h"

#include "controls/ImageBox.h"
#include "controls/StatusPanels.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sorvane {

QSizeF ControlLayout::innerTwips() const {
    return QSizeF(twips_.fromPixels(ui_.Surface->width()),
                  twips_.fromPixels(ui_.Surface->height()));
}

bool ControlLayout::arrange(RunLayout layout) {
    const QSizeF inner = innerTwips();
    const std::vector<Placement> placements =
        ArrangeWindow(float(inner.width()), float(inner.height()), layout);
    if (placements.empty())
        return false;
    ui_.Image1->hide();
    for (const Placement& placement : placements) {
        if (placement.width.value_or(0) < 0 || placement.height.value_or(0) < 0)
            return false; // a size the window cannot take: the pass ends here
        place_(controlOf(placement.control, placement.index), placedTwips(placement));
    }
    return true;
}

QSize ControlLayout::previewBox(RunLayout layout) const {
    if (layout == RunLayout::Ordinary)
        return ui_.Picture1->size();
    const QSizeF inner = innerTwips();
    for (const Placement& placement :
         ArrangeWindow(float(inner.width()), float(inner.height()), layout))
        if (placement.control == Control::Picture1)
            return twips_.toPixels(placedTwips(placement)).size();
    return ui_.Picture1->size();
}

void ControlLayout::dockStatusBar() {
    const int height = twips_.toPixels(300);
    ui_.StatusBar1->setGeometry(0, ui_.Surface->height() - height, ui_.Surface->width(), height);
}

QWidget* ControlLayout::controlOf(Control control, int index) const {
    switch (control) {
    case Control::Picture1:
        return ui_.Picture1;
    case Control::Command4:
        return ui_.Command4[size_t(index)];
    case Control::Label1:
        return ui_.Label1[size_t(index)];
    case Control::Command1:
        return ui_.Command1;
    case Control::Command2:
        return ui_.Command2;
    case Control::Label8:
        return ui_.Label8;
    case Control::Label3:
        return ui_.Label3;
    case Control::Label4:
        return ui_.Label4;
    case Control::Text1:
        return ui_.Text1;
    }
    return nullptr;
}

QRectF ControlLayout::placedTwips(const Placement& placement) const {
    QRectF twips = placed_.value(controlOf(placement.control, placement.index));
    twips.moveLeft(placement.left.value_or(float(twips.left())));
    twips.moveTop(placement.top.value_or(float(twips.top())));
    twips.setWidth(placement.width.value_or(float(twips.width())));
    twips.setHeight(placement.height.value_or(float(twips.height())));
    return twips;
}

} // namespace sorvane
