// The layout pass: the window's arrangement for its size and run layout.
#include "controls/ImageBox.h"
#include "controls/StatusPanels.h"
#include "sorting/Form1.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>

namespace sorvane {

void Form1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    DockStatusBar();
    Form_Resize();
}

// The status bar keeps the bottom 300 twips of the inner area.
void Form1::DockStatusBar() {
    const int height = twips_.toPixels(300);
    StatusBar1->setGeometry(0, Surface->height() - height, Surface->width(), height);
}

QWidget* Form1::ControlOf(Control control, int index) const {
    switch (control) {
    case Control::Picture1:
        return Picture1;
    case Control::Command4:
        return Command4[size_t(index)];
    case Control::Label1:
        return Label1[size_t(index)];
    case Control::Command1:
        return Command1;
    case Control::Command2:
        return Command2;
    case Control::Label8:
        return Label8;
    case Control::Label3:
        return Label3;
    case Control::Label4:
        return Label4;
    case Control::Text1:
        return Text1;
    }
    return nullptr;
}

QRectF Form1::PlacedTwips(const Placement& placement) const {
    QRectF twips = twipsGeometry_.value(ControlOf(placement.control, placement.index));
    twips.moveLeft(placement.left.value_or(float(twips.left())));
    twips.moveTop(placement.top.value_or(float(twips.top())));
    twips.setWidth(placement.width.value_or(float(twips.width())));
    twips.setHeight(placement.height.value_or(float(twips.height())));
    return twips;
}

void Form1::Place(const Placement& placement) {
    PlaceTwips(ControlOf(placement.control, placement.index), PlacedTwips(placement));
}

// The preview box a run started now would show its first file in: the box
// as it is, or as the run's extend arrangement will make it.
QSize Form1::RunPreviewBox() const {
    const RunLayout layout = RunLayoutOfOptions();
    if (layout == RunLayout::Ordinary)
        return Picture1->size();
    const float W = twips_.fromPixels(Surface->width());
    const float H = twips_.fromPixels(Surface->height());
    for (const Placement& placement : ArrangeWindow(W, H, layout))
        if (placement.control == Control::Picture1)
            return twips_.toPixels(PlacedTwips(placement)).size();
    return Picture1->size();
}

// The window never gets smaller than 8775 x 8040 twips outside. Its size
// hints ask the window manager for that, but not every window manager
// obeys them, and without one nothing does: the window snaps back itself.
void Form1::KeepMinimumSize() {
    if (isMinimized() || isMaximized() || isFullScreen())
        return; // the window system holds the size then
    const QSize least = PixelsOfOuter(QSizeF(8775, 8040));
    if (width() < least.width())
        resize(least.width(), height());
    if (height() < least.height())
        resize(width(), least.height());
}

void Form1::Form_Resize() {
    KeepMinimumSize();
    // A minimised window is left alone until it comes back.
    if (isMinimized() || Surface == nullptr)
        return;
    const float W = twips_.fromPixels(Surface->width());
    const float H = twips_.fromPixels(Surface->height());
    const std::vector<Placement> placements =
        ArrangeWindow(W, H, RunLayout(module_.RunTime.RunLayout));
    if (placements.empty())
        return;
    Image1->hide();
    for (const Placement& placement : placements) {
        if (placement.width.value_or(0) < 0 || placement.height.value_or(0) < 0)
            return; // a size the window cannot take: the pass ends here
        Place(placement);
    }
    const QSize box = Picture1->size();
    Label5->setText(QStringLiteral(" %1X%2 Pixel ").arg(box.width()).arg(box.height()));
    Label5->adjustSize();
    Label5->show();
    Label7->hide();
    if (!CurrentImagePath.isEmpty())
        RefitPreview();
    Image1->show();
    if (module_.RunTime.SortingActive == 0)
        ReadAheadForRun();
}

} // namespace sorvane
