#pragma once

#include <array>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QWidget;

namespace sorvane {

class DirList;
class FileList;
class ImageBox;
class StatusPanels;

// The main window's controls, under the names its handlers use for them.
// The window owns them through Qt's parent chain; this only names them.
struct Form1Controls {
    QWidget* Surface = nullptr; // the window's inner area
    QComboBox* Drive1 = nullptr;
    DirList* Dir1 = nullptr;
    FileList* File1 = nullptr;
    FileList* File2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    std::array<QPushButton*, 12> Command4{};
    QPushButton* FocusSink = nullptr; // Command4[11]
    std::array<QLabel*, 10> Label1{};
    std::array<QLabel*, 4> Label2{};
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLineEdit* Text1 = nullptr;
    QWidget* Picture1 = nullptr;
    ImageBox* Image1 = nullptr;
    StatusPanels* StatusBar1 = nullptr;
    QTimer* Timer1 = nullptr;
    QAction* mnuOpt1 = nullptr;
    QAction* mnuFOL = nullptr;
    QAction* mnuVer1 = nullptr;
    QAction* mnuHelp = nullptr;
    QAction* mnuExtras = nullptr; // the added options
};

} // namespace sorvane
