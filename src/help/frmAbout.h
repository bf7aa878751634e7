#pragma once

#include <QDialog>

#include <array>

class QFrame;
class QLabel;
class QPushButton;

namespace sorvane {

class ControlFactory;
class Launcher;
class Prompts;

// The About box: title, version and description of the program, a link to
// the help page it ships, and a way into the system's information program.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    // helpPage is the help page the program ships, which the link opens.
    frmAbout(Prompts& prompts, Launcher& launcher, QString helpPage, QWidget* parent = nullptr);

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void Label1_Click();
    // Starts the system-information program, or says that there is none.
    void StartSysInfo();

protected:
    void mouseMoveEvent(QMouseEvent* event) override; // the link's hover colour
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls(const ControlFactory& controls);
    void ShowLinkIn(const QColor& colour);

    Prompts& prompts_;
    Launcher& launcher_;
    QString helpPage_; // the shipped help page the link opens
    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* Label1 = nullptr;
    std::array<QFrame*, 2> Line1{};
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
};

} // namespace sorvane
