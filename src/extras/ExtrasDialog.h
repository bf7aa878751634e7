#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace sorvane {

class ControlFactory;
class Prompts;
struct Module1;

// The dialog of the options kept beside the settings line: deleting into
// the trash and sending a file's companions along. OK stores them in the
// record and writes their file at once (the settings line is written only
// at close, but this file is the dialog's own); Cancel, Escape and the close
// box leave both as they were. Made afresh for each opening.
class ExtrasDialog : public QDialog {
    Q_OBJECT
public:
    ExtrasDialog(Module1& module, Prompts& prompts, QWidget* parent = nullptr);

    void Form_Load(); // fills the boxes from the record
    void OKButton_Click();
    void CancelButton_Click();

private:
    void BuildControls(const ControlFactory& controls);

    Module1& module_;
    Prompts& prompts_;

    QLabel* Label1 = nullptr;
    QCheckBox* TrashCheck = nullptr;
    QCheckBox* CompanionsCheck = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
};

} // namespace sorvane
