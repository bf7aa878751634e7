#pragma once

#include "controls/Twips.h"
#include "settings/Module1.h"
#include "sorting/ControlLayout.h"
#include "sorting/FileDeletion.h"
#include "sorting/Form1Controls.h"
#include "sorting/KeyPreview.h"
#include "sorting/MainPreview.h"
#include "sorting/OuterGeometry.h"
#include "sorting/ProgramLaunches.h"
#include "sorting/RunDisplay.h"
#include "sorting/SortingRun.h"
#include "sorting/WindowArrangement.h"

#include <QHash>
#include <QMainWindow>
#include <QRectF>

#include <memory>

namespace sorvane {

class ControlFactory;
class DriveFolderPair;
class Launcher;
class PictureSource;
class Prompts;

namespace test {
class Form1Fixture;
}

// The count the main window shows of its file list.
QString CountText(const FileList& list);

// The main window: choosing the source folder and browsing its files, the
// preview, and the sorting run with its sends and undo. Handlers keep the
// names of the events they answer (control, underscore, event) and read as
// the steps they perform; file-system work and arithmetic live below them.
class Form1 : public QMainWindow, private Form1Controls {
    Q_OBJECT
public:
    Form1(Module1& module, Prompts& prompts, Launcher& launcher, PictureSource& pictures,
          QWidget* parent = nullptr);
    ~Form1() override;

    // Reads the settings file and applies it. False when the program must end
    // at once without showing the window (a settings file cut short).
    bool Form_Load();
    // The folder or picture the program was started with (from a file
    // manager's "open with"): the folder opens in the lists, a file there is
    // selected and, a picture, previewed. A path that is not there changes
    // nothing.
    void ShowStartPath(const QString& path);

    // Source browsing.
    void Drive1_Change();
    void Dir1_Change();
    void File1_MouseDown(int button);
    void File1_DblClick();

    // Preview.
    void RefreshPreview() { preview_->refresh(); }
    void ShowSelectedFile() { preview_->showSelectedFile(); }
    void RefitPreview() { preview_->refit(); }
    void StepSelection(bool forward) { preview_->stepSelection(forward); }
    void Image1_MouseDown(int button) { Picture1_MouseDown(button); }
    void Picture1_MouseDown(int button) { preview_->press(button); }

    // The sorting run, sends and undo.
    void Command1_Click();
    void Command2_Click();
    void Command4_MouseDown(int index, int button);
    void Command4_Click(int index);
    void Timer1_Timer();

    // Keys, with the key code of the key pressed and the Shift (1), Ctrl (2),
    // Alt (4) bits.
    void Form_KeyDown(int keyCode, int shift);

    // The layout pass.
    void Form_Resize();

    // Opens CurrentImagePath with the program associated with its type.
    void LaunchAssociated();
    // Opens the help page beside the program with the program associated with it.
    void OpenHelpPage();

    // The menu.
    void mnuOpt1_Click();
    void mnuFOL_Click();
    void mnuVer1_Click();
    void mnuHelp_Click();
    void mnuExtras_Click();

    // What the other windows may change or read here, through the program's
    // composition root.
    void setStartEnabled(bool enabled);
    void setSlotCaption(int slot, const QString& caption);
    void ShowCopyModeIndicator();
    void setCopyIndicatorShown(bool shown);       // Label8
    void setCopyIndicatorBlinking(bool blinking); // Timer1 at 500 ms, or stopped
    const FileList& fileList() const { return *File1; }
    QString listFolder() const { return display_.listFolder(); }
    QString currentImagePath() const { return preview_->currentImagePath(); }

Q_SIGNALS:
    void optionsRequested();     // the options command, outside a run
    void folderSetupRequested(); // the folder setup command, outside a run
    void viewerRequested();      // a double-click asked for the viewer
    void closingOtherWindows();  // the main window closes: every other window goes
    void aboutRequested();       // the version command, also during a run
    void usageRequested();       // the help command, when there is no help page
    void extrasRequested();      // the added options command, outside a run

protected:
    void closeEvent(QCloseEvent* event) override; // the save at close
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction (Form1Controls.cpp).
    void BuildControls();
    void PlaceTwips(QWidget* control, const QRectF& twips);
    void ConnectHandlers();

    // Start-up and close (Form1Startup.cpp).
    void ShowRememberedSourceFolder();

    // Browsing helpers (Form1Browse.cpp).
    void ShowSourceFolder();
    void ShowCounts();
    void DeleteSelectedFile();

    // Run and layout (Form1Run.cpp, Form1Layout.cpp).
    void StartRun();
    void StopRun();
    QSize RunPreviewBox() const;
    void ConnectKeys();
    bool HandleMousePress(QObject* watched, QEvent* event);

    Module1& module_;
    Prompts& prompts_;
    Launcher& launcher_;
    Twips twips_;
    OuterGeometry geometry_{*this, twips_};
    QHash<QWidget*, QRectF> twipsGeometry_; // each placed control, as last placed
    ControlLayout layout_{
        *this, twips_, twipsGeometry_,
        [this](QWidget* control, const QRectF& twips) { PlaceTwips(control, twips); }};
    DriveFolderPair* drives_ = nullptr;
    bool settingsFileKept_ = false; // the file could not be read: leave it be
    KeyPreview* keys_ = new KeyPreview(*this);
    RunDisplay display_{*this,
                        {[this] { RefreshPreview(); }, [this] { ShowCounts(); },
                         [] { LetEventsIn(); }, [this] { return !run_.history().isEmpty(); }}};
    SortingRun run_;
    FileDeletion deletion_{module_, prompts_};
    ProgramLaunches launches_{module_, launcher_};
    std::unique_ptr<MainPreview> preview_; // made once the controls are

    friend class test::Form1Fixture;

    // The send journal (Form1Menu.cpp, Form1Send.cpp).
public:
    // Records every send, undo and right-click delete from now on.
    void setSendRecorder(SendRecorder* recorder);
    // Appends the journal's item to the options menu.
    void addJournalMenuItem();
    void mnuJournal_Click();
    // Label4 says the journal could not record what was just done.
    void reportJournalFailure();
    // Files came or went by another window's doing.
    void refreshFileList();
    // Sends taken back in the journal's window, by their destinations.
    void forgetSendsTo(const QStringList& destinations);
Q_SIGNALS:
    void journalRequested(); // the journal's menu item, also during a run

private:
    QAction* mnuJournal = nullptr;
};

} // namespace sorvane
