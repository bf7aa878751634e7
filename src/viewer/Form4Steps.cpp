// The viewer's steps: mouse, keys, toolbar and the slideshow, run one after
// another in the order they arrive.
#include "controls/FileList.h"
#include "controls/ImageBox.h"
#include "controls/MouseButtons.h"
#include "platform/Prompts.h"
#include "settings/Module1.h"
#include "viewer/Form4.h"
#include "viewer/ToolbarPictures.h"

#include <QAction>
#include <QWheelEvent>

namespace sorvane {

void Form4::Go(StepTarget target, int direction) {
    module_.RunTime.ViewerFileIndex = target.index;
    if (!target.show)
        return; // at an end of the list: what is shown stays
    module_.RunTime.ViewerFileName = list_.name(target.index);
    direction_ = direction;
    ShowCurrentImage();
}

// A step by mouse or key only halts the timer: the slideshow still counts
// as running, and the next press of button 6 ends it.
void Form4::HaltAndStep(bool forward) {
    slideshow_->halt();
    if (forward)
        Go(StepForward(module_.RunTime.ViewerFileIndex, list_.count()), +1);
    else
        Go(StepBack(module_.RunTime.ViewerFileIndex), -1);
}

void Form4::Picture1_MouseDown(int button) {
    PressStep(Picture1, button);
}

void Form4::Image1_MouseDown(int button) {
    PressStep(Image1, button);
}

void Form4::PressStep(QWidget* control, int button) {
    control->setCursor(Qt::WaitCursor);
    steps_.run([this, control, button] {
        Yield();
        if (button == MouseButton::Left || button == MouseButton::Right)
            HaltAndStep(button == MouseButton::Left);
        control->unsetCursor();
    });
}

// Keys step like Space: the timer halts, the slideshow still counts as
// running. Escape closes the viewer at once, whatever step is waiting.
void Form4::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers) {
    const ViewerKey action = ViewerKeyOf(key, modifiers);
    if (action == ViewerKey::Close)
        close();
    else if (action != ViewerKey::None)
        steps_.run([this, action] { KeyStep(action); });
}

void Form4::KeyStep(ViewerKey key) {
    slideshow_->halt();
    Go(KeyStepTarget(key, module_.RunTime.ViewerFileIndex, list_.count()), KeyStepDirection(key));
}

// Each notch of the wheel (120 eighths of a degree, gathered from a
// touchpad's smaller turns) steps once: towards the user forward, away back.
void Form4::wheelEvent(QWheelEvent* event) {
    wheelTurned_ += event->angleDelta().y();
    for (; wheelTurned_ <= -120; wheelTurned_ += 120)
        steps_.run([this] { KeyStep(ViewerKey::Forward); });
    for (; wheelTurned_ >= 120; wheelTurned_ -= 120)
        steps_.run([this] { KeyStep(ViewerKey::Back); });
    event->accept();
}

void Form4::Toolbar1_ButtonClick(int index) {
    if (index == 1)
        Q_EMIT optionsRequested();
    else if (index == 2)
        close();
    else if (index >= 4 && index <= 8)
        steps_.run([this, index] { ToolbarStep(index); });
}

// Buttons 4, 5, 7 and 8 end a slideshow before they step.
void Form4::ToolbarStep(int index) {
    if (index == 6) {
        SlideshowButton();
        return;
    }
    StopSlideshow();
    const int at = module_.RunTime.ViewerFileIndex;
    const int count = list_.count();
    if (index == 4)
        Go(StepToFirst(at), +1);
    else if (index == 5)
        Go(StepBack(at), -1);
    else if (index == 7)
        Go(StepForward(at, count), +1);
    else if (index == 8)
        Go(StepToLast(at, count), -1);
}

void Form4::SlideshowButton() {
    if (slideshow_->toggle(list_.count()) == Slideshow::Press::Refused)
        prompts_.ask({QStringLiteral("Sorvane"),
                      tr("スライドショーの表示時間が %1 秒なので開始できません。\r\n"
                         "オプションで 1 から 32767 までの数を入力してください。")
                          .arg(module_.SlideshowSeconds)});
}

void Form4::ShowSlideshowState(bool running) {
    Button(6)->setIcon(ToolbarPicture(running ? 8 : 5));
    Button(1)->setEnabled(!running);
}

void Form4::Timer1_Timer() {
    steps_.run([this] { SlideshowTick(); });
}

// A tick waits its turn like any step; a step before it may have halted the
// slideshow meanwhile.
void Form4::SlideshowTick() {
    if (!slideshow_->ticking())
        return;
    const StepTarget target = slideshow_->tickStep(list_.count());
    if (target.show) {
        Go(target, +1);
        return;
    }
    module_.RunTime.ViewerFileIndex = target.index;
    Yield();
    slideshow_->stop();
}

} // namespace sorvane
