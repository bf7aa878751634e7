#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace sorvane {

class ControlFactory;
class Prompts;
struct Module1;

// The options dialog: the option flags and the slideshow interval of the
// settings record. Most of them are written only by OK; the copy-mode box
// drives the main window's indicator at once while the dialog is open, and
// the same-name box writes its flag at once. The dialog writes no file and
// never touches the main window itself: it asks through its signals, which
// the program connects. Made afresh for each opening; Escape and the close
// box close it like Cancel.
class Dialog : public QDialog {
    Q_OBJECT
public:
    Dialog(Module1& module, Prompts& prompts, QWidget* parent = nullptr);

    // The opening: fills the controls from the settings record. Connect the
    // signals first; the indicator follows the copy-mode box from here on.
    void Form_Load();

    void Check5_Click();
    void Check6_Click();
    void Check7_Click();
    void OKButton_Click();
    void CancelButton_Click();

    void done(int result) override; // every way of closing ends here

Q_SIGNALS:
    void copyIndicatorShown(bool shown);       // the main window's "コピーモード" label
    void copyIndicatorBlinking(bool blinking); // its blink timer: 500 ms, or stopped

private:
    void BuildControls(const ControlFactory& controls);
    void BuildFrame1(const ControlFactory& inFrame);
    void BuildFrame2(const ControlFactory& inFrame);
    void SetFocusOrder();
    void ConnectHandlers();

    void FillFromSettings();
    void EnableOptionsFor(bool enabled);
    void ShowCopyIndicator(bool copying);
    void SelectStoredArrangement();
    void ReportSecondsOutOfRange();

    Module1& module_;
    Prompts& prompts_;

    QLabel* Label1 = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QGroupBox* Frame1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check4 = nullptr;
    QCheckBox* Check5 = nullptr;
    QCheckBox* Check6 = nullptr;
    QCheckBox* Check7 = nullptr;
    std::array<QRadioButton*, 2> Option1{};
    QGroupBox* Frame2 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label3 = nullptr;
};

} // namespace sorvane
