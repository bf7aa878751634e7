#include "app/Windows.h"

#include "folders/Form2.h"
#include "options/Dialog.h"
#include "sorting/Form1.h"

#include <QEvent>
#include <QWidget>

namespace sorvane {

Windows::Windows(Module1& module, Prompts& prompts, Launcher& launcher, PictureSource& pictures)
    : module_(module), prompts_(prompts), launcher_(launcher), pictures_(pictures),
      main_(std::make_unique<Form1>(module, prompts, launcher, pictures)) {
    connect(main_.get(), &Form1::closingOtherWindows, this, &Windows::closeOthers);
    connect(main_.get(), &Form1::folderSetupRequested, this, &Windows::openFolderSetup);
    connect(main_.get(), &Form1::optionsRequested, this, &Windows::openOptions);
}

// The other windows go before the main window: left to it as its children,
// they would reach back into it while it is half destroyed.
Windows::~Windows() {
    for (const QPointer<QWidget>& window : std::as_const(others_))
        delete window.data();
}

bool Windows::start() {
    if (!main_->Form_Load())
        return false;
    main_->show();
    return true;
}

void Windows::openOther(QWidget* window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    others_.removeIf([](const QPointer<QWidget>& other) { return !other; });
    others_.append(window);
    main_->setStartEnabled(false);
    connect(window, &QObject::destroyed, main_.get(), [this] { main_->setStartEnabled(true); });
    window->show();
}

void Windows::openOptions() {
    if (options_) {
        options_->raise();
        options_->activateWindow();
        return;
    }
    options_ = new Dialog(module_, prompts_, main_.get());
    Form1* main = main_.get();
    connect(options_, &Dialog::copyIndicatorShown, main, &Form1::setCopyIndicatorShown);
    connect(options_, &Dialog::copyIndicatorBlinking, main, &Form1::setCopyIndicatorBlinking);
    // A dialog closes without a close event on Escape and reject(); its
    // deletion follows only later.
    connect(options_, &QDialog::finished, main, [main] { main->setStartEnabled(true); });
    options_->Form_Load();
    openOther(options_);
}

void Windows::closeOthers() {
    for (const QPointer<QWidget>& window : std::as_const(others_))
        if (window)
            window->close();
}

void Windows::openFolderSetup() {
    if (folderSetup_) {
        folderSetup_->raise();
        folderSetup_->activateWindow();
        return;
    }
    folderSetup_ = new Form2(module_, prompts_);
    connect(folderSetup_, &Form2::slotCaptionChanged, main_.get(), &Form1::setSlotCaption);
    connect(folderSetup_, &Form2::destinationTextChanged, main_.get(), &Form1::setDestinationText);
    folderSetup_->Form_Load();
    openOther(folderSetup_);
}

} // namespace sorvane
