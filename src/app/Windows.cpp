#include "app/Windows.h"

#include "extras/ExtrasDialog.h"
#include "folders/Form2.h"
#include "help/Form3.h"
#include "help/ProgramIcon.h"
#include "help/frmAbout.h"
#include "journal/JournalWindow.h"
#include "journal/SendJournal.h"
#include "options/Dialog.h"
#include "platform/Paths.h"
#include "settings/ExtraOptions.h"
#include "settings/Module1.h"
#include "sorting/Form1.h"
#include "viewer/Form4.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QWidget>

#include <type_traits>

namespace sorvane {

Windows::Windows(Module1& module, Prompts& prompts, Launcher& launcher, PictureSource& pictures,
                 const QString& journalPath)
    : module_(module), prompts_(prompts), launcher_(launcher), pictures_(pictures),
      main_(std::make_unique<Form1>(module, prompts, launcher, pictures)) {
    if (!journalPath.isEmpty()) {
        journal_ = std::make_unique<SendJournal>(journalPath);
        main_->setSendRecorder(journal_.get());
        main_->addJournalMenuItem();
        connect(main_.get(), &Form1::journalRequested, this, &Windows::openJournal);
    }
    QApplication::setWindowIcon(ProgramIcon()); // every window's
    connect(main_.get(), &Form1::closingOtherWindows, this, &Windows::closeOthers);
    connect(main_.get(), &Form1::folderSetupRequested, this, &Windows::openFolderSetup);
    connect(main_.get(), &Form1::optionsRequested, this, &Windows::openOptions);
    connect(main_.get(), &Form1::extrasRequested, this, &Windows::openExtras);
    connect(main_.get(), &Form1::aboutRequested, this, &Windows::openAbout);
    connect(main_.get(), &Form1::usageRequested, this, &Windows::openUsage);
    connect(main_.get(), &Form1::viewerRequested, this, &Windows::openViewer);
}

// The other windows go before the main window: left to it as its children,
// they would reach back into it while it is half destroyed.
Windows::~Windows() {
    for (const QPointer<QWidget>& window : std::as_const(others_))
        delete window.data();
}

namespace {

// Every window's opening, the one place it is called: after the window is
// made and connected, before it shows. False when the program must end.
template <typename W> bool Load(W& window) {
    if constexpr (std::is_void_v<decltype(window.Form_Load())>) {
        window.Form_Load();
        return true;
    } else {
        return window.Form_Load();
    }
}

} // namespace

bool Windows::start(const QString& startPath) {
    // Beside the settings file, and never needed: a missing or damaged file
    // gives the defaults.
    module_.Extras = LoadExtraOptions(ExtraOptionsPath(module_));
    if (!Load(*main_))
        return false;
    // Shown first: a picture that cannot be read is told in a message box,
    // which belongs over the main window, not in front of an empty screen.
    main_->show();
    main_->ShowStartPath(startPath);
    return true;
}

template <typename W> void Windows::openOther(W* window) {
    Load(*window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    others_.removeIf([](const QPointer<QWidget>& other) { return !other; });
    others_.append(window);
    main_->setStartEnabled(false);
    connect(window, &QObject::destroyed, main_.get(), [this] { main_->setStartEnabled(true); });
    // A dialog closed with Escape is deleted only later; it is closed now.
    if (auto* dialog = qobject_cast<QDialog*>(window))
        connect(dialog, &QDialog::finished, main_.get(), [this] { main_->setStartEnabled(true); });
    window->show();
}

void Windows::openOptions() {
    if (raiseOpen(options_))
        return;
    options_ = new Dialog(module_, prompts_, main_.get());
    Form1* main = main_.get();
    connect(options_, &Dialog::copyIndicatorShown, main, &Form1::setCopyIndicatorShown);
    connect(options_, &Dialog::copyIndicatorBlinking, main, &Form1::setCopyIndicatorBlinking);
    openOther(options_.data());
}

void Windows::openExtras() {
    if (raiseOpen(extras_))
        return;
    extras_ = new ExtrasDialog(module_, prompts_, main_.get());
    openOther(extras_.data());
}

bool Windows::raiseOpen(QWidget* window) {
    if (!window)
        return false;
    window->raise();
    window->activateWindow();
    return true;
}

void Windows::openAbout() {
    if (raiseOpen(about_))
        return;
    about_ =
        new frmAbout(prompts_, launcher_,
                     JoinPath(module_.ProgramFolder, QStringLiteral("help/help.htm")), main_.get());
    openOther(about_.data());
}

void Windows::openUsage() {
    if (raiseOpen(usage_))
        return;
    usage_ = new Form3(module_.ProgramFolder, main_.get());
    openOther(usage_.data());
}

void Windows::closeOthers() {
    for (const QPointer<QWidget>& window : std::as_const(others_))
        if (window)
            window->close();
}

void Windows::openFolderSetup() {
    if (raiseOpen(folderSetup_))
        return;
    folderSetup_ = new Form2(module_, prompts_);
    connect(folderSetup_, &Form2::slotCaptionChanged, main_.get(), &Form1::setSlotCaption);
    connect(folderSetup_, &Form2::fileDeleted, this, &Windows::recordBulkDeletion);
    openOther(folderSetup_.data());
}

// The viewer reads the main window's list as it is at each step. Asked
// again while open, it only comes to the front; the position the main
// window set takes effect at the next step. The options dialog, from its
// toolbar or the menu, closes with it.
void Windows::openViewer() {
    if (raiseOpen(viewer_))
        return;
    viewer_ = new Form4(module_, prompts_, pictures_, main_->fileList());
    connect(viewer_, &Form4::optionsRequested, this, &Windows::openOptions);
    connect(viewer_, &QObject::destroyed, this, [this] {
        if (options_)
            options_->close();
    });
    openOther(viewer_.data());
}

// Opened again while open, it comes to the front showing what was recorded
// since.
void Windows::openJournal() {
    if (raiseOpen(journalWindow_)) {
        journalWindow_->refresh();
        return;
    }
    journalWindow_ = new JournalWindow(*journal_, module_, main_.get());
    connect(journalWindow_, &JournalWindow::filesTakenBack, main_.get(),
            [main = main_.get()](const QStringList& destinations) {
                main->forgetSendsTo(destinations);
                main->refreshFileList();
            });
    openOther(journalWindow_.data());
}

void Windows::recordBulkDeletion(const QString& path, const FileIdentity& identity) {
    if (journal_ &&
        !journal_->record({JournalAction::Delete, path, {}, BulkDeleteSlot, {}, identity}))
        main_->reportJournalFailure();
}

} // namespace sorvane
