#include "sorting/RunDisplay.h"

#include "controls/DirList.h"
#include "controls/FileList.h"
#include "platform/NativeName.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

namespace sorvane {

RunDisplay::RunDisplay(const Form1Controls& ui, Hooks hooks) : ui_(ui), hooks_(std::move(hooks)) {}

QString RunDisplay::firstName() const {
    return ui_.File1->name(0);
}

QString RunDisplay::listFolder() const {
    return ui_.File1->folder();
}

void RunDisplay::letEventsIn() {
    hooks_.letEventsIn();
}

// The slot's number turns red and its button stays off while its send runs.
void RunDisplay::sendStarting(int slot) {
    QLabel* label = ui_.Label1[size_t(slot)];
    ui_.Command4[size_t(slot)]->setEnabled(false);
    slotPalette_ = label->palette();
    QPalette red = slotPalette_;
    red.setColor(QPalette::Window, QColor(255, 0, 0));
    label->setPalette(red);
}

void RunDisplay::sendingTo(const QString& targetFolder) {
    ui_.Label4->setText(DisplayName(targetFolder) +
                        QCoreApplication::translate("sorvane::Form1", "に移動します。"));
    ui_.Label4->show();
}

void RunDisplay::historyChanged() {
    enableUndoButton();
    ui_.FocusSink->setFocus();
}

void RunDisplay::listChanged() {
    ui_.File1->refresh();
    hooks_.showCounts();
}

void RunDisplay::sendFinished(int slot) {
    hooks_.refreshPreview();
    ui_.Command4[size_t(slot)]->setEnabled(true);
    ui_.Label1[size_t(slot)]->setPalette(slotPalette_);
    ui_.FocusSink->setFocus();
}

void RunDisplay::undoFinished() {
    hooks_.refreshPreview();
    historyChanged();
}

void RunDisplay::reportFailure(const QString& line) {
    showLine(line);
}

void RunDisplay::showLine(const QString& line) {
    ui_.Label4->setText(line);
    ui_.Label4->show();
}

// The extend arrangements hide the browsing controls (the column hides the
// path labels too); stopping a run shows them all again.
void RunDisplay::showBrowsing(bool visible, bool pathLabelsToo) {
    for (QWidget* control : {static_cast<QWidget*>(ui_.Drive1), static_cast<QWidget*>(ui_.Dir1),
                             static_cast<QWidget*>(ui_.File1), static_cast<QWidget*>(ui_.Label6),
                             static_cast<QWidget*>(ui_.Command2)})
        control->setVisible(visible);
    for (QLabel* label : ui_.Label2)
        label->setVisible(visible);
    if (pathLabelsToo) {
        ui_.Label3->setVisible(visible);
        ui_.Label4->setVisible(visible);
    }
}

void RunDisplay::enableUndoButton() {
    ui_.Command4[10]->setEnabled(hooks_.canUndo());
}

} // namespace sorvane
