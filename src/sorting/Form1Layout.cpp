// The layout pass: the window's arrangement for its size and run layout.
#include "controls/ImageBox.h"
#include "sorting/Form1.h"

#include <QLabel>
#include <QResizeEvent>

namespace sorvane {

void Form1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    layout_.dockStatusBar();
    Form_Resize();
}

// The preview box a run started now would show its first file in: the box
// as it is, or as the run's extend arrangement will make it.
QSize Form1::RunPreviewBox() const {
    return layout_.previewBox(RunLayoutOf(module_));
}

void Form1::Form_Resize() {
    geometry_.keepMinimumSize();
    // A minimised window is left alone until it comes back.
    if (isMinimized() || Surface == nullptr)
        return;
    if (!layout_.arrange(RunLayout(module_.RunTime.RunLayout)))
        return;
    const QSize box = Picture1->size();
    Label5->setText(QStringLiteral(" %1X%2 Pixel ").arg(box.width()).arg(box.height()));
    Label5->adjustSize();
    Label5->show();
    Label7->hide();
    if (!currentImagePath().isEmpty())
        RefitPreview();
    Image1->show();
    if (module_.RunTime.SortingActive == 0)
        preview_->readAheadForRun();
}

} // namespace sorvane
