#pragma once

#include "controls/Twips.h"
#include "imaging/PictureDisplay.h"
#include "platform/ArrivalOrder.h"
#include "viewer/Slideshow.h"
#include "viewer/ViewerRules.h"

#include <QWidget>

#include <array>
#include <memory>

class QAction;
class QToolBar;

namespace sorvane {

class ControlFactory;
class FileList;
class ImageBox;
class PictureSource;
class PicturePane;
class Prompts;
class StatusPanels;
struct FileStamp;
struct Module1;

// The viewer: one file of the main window's list as large as the screen
// allows, stepped with the mouse, Space, the toolbar and the slideshow. It
// keeps no list of its own; it reads the main window's list as it is at each
// step and keeps only its position (ViewerFileName, ViewerFileIndex).
//
// Steps never nest: a step that arrives while another one is showing its
// picture (which lets waiting events in) waits for it to finish, so steps
// run in the order they came and the caption, the panels and the picture
// always describe the same file.
class Form4 : public QWidget {
    Q_OBJECT
public:
    Form4(Module1& module, Prompts& prompts, PictureSource& pictures, const FileList& list,
          QWidget* parent = nullptr);
    ~Form4() override;

    // The opening: the window on the screen's work area, the current file shown.
    void Form_Load();

    void Picture1_MouseDown(int button);
    void Image1_MouseDown(int button);
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void Toolbar1_ButtonClick(int index); // buttons 1 to 8
    void Timer1_Timer();
    void Form_Resize();

Q_SIGNALS:
    void optionsRequested(); // toolbar button 1

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Construction and layout (Form4.cpp).
    void BuildControls();
    void BuildToolbar(const ControlFactory& controls);
    void ConnectHandlers();
    void PlaceOnWorkArea();
    void LayOut();

    // Display (Form4Display.cpp).
    void ShowCurrentImage();
    void NameCurrentFile();
    void ShowUnshown(const QString& path, DisplayOutcome outcome);
    void ShowFileDetails(const FileStamp& file);
    void EnableSteps();
    void ReadAhead();
    static void Yield();

    // Steps and the slideshow (Form4Steps.cpp).
    void Go(StepTarget target, int direction);
    void PressStep(QWidget* control, int button);
    void HaltAndStep(bool forward);
    void ToolbarStep(int index);
    void SlideshowButton();
    void SlideshowTick();
    void ShowSlideshowState(bool running);
    void StopSlideshow() { slideshow_->stop(); }

    Module1& module_;
    Slideshow* slideshow_ = new Slideshow(module_, this);
    Prompts& prompts_;
    const FileList& list_;
    std::unique_ptr<PicturePane> pane_; // Picture1 with Image1 in it
    Twips twips_;
    ArrivalOrder steps_; // mouse, key, toolbar and timer steps, one at a time
    int direction_ = 1;  // of the last step: where to read ahead
    QSize shownArea_;    // the picture area the current file was fitted to

    void KeyStep(ViewerKey key); // a key's or the wheel's step (Form4Steps.cpp)
    int wheelTurned_ = 0;        // of the wheel, not yet a whole notch

    QAction* Button(int index) const { return Buttons[size_t(index - 1)]; }

    QToolBar* Toolbar1 = nullptr;
    std::array<QAction*, 8> Buttons{}; // Toolbar1's buttons 1 to 8; 3 is a separator
    QWidget* Picture1 = nullptr;
    ImageBox* Image1 = nullptr;
    StatusPanels* StatusBar1 = nullptr;
};

} // namespace sorvane
