#pragma once

#include "controls/Twips.h"
#include "imaging/PictureDisplay.h"
#include "platform/FileError.h"
#include "settings/Module1.h"
#include "sorting/Form1Controls.h"
#include "sorting/SortingRun.h"
#include "sorting/WindowArrangement.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QRectF>

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace sorvane {

class ControlFactory;
class DriveFolderPair;
class Launcher;
class PictureSource;
class PicturePane;
class Prompts;

namespace test {
class Form1Fixture;
}

// The main window: choosing the source folder and browsing its files, the
// preview, and the sorting run with its sends and undo. Handlers keep the
// names of the events they answer (control, underscore, event) and read as
// the steps they perform; file-system work and arithmetic live below them.
class Form1 : public QMainWindow, private Form1Controls, private SortingRun::Window {
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
    void RefreshPreview();
    void ShowSelectedFile();
    void RefitPreview();
    void StepSelection(bool forward);
    void Image1_MouseDown(int button);
    void Picture1_MouseDown(int button);

    // The sorting run, sends and undo.
    void Command1_Click();
    void Command2_Click();
    void Command4_MouseDown(int index, int button);
    void Command4_Click(int index);
    void Timer1_Timer();
    void UndoLastSend();

    // Keys, with the key code of the key pressed and the Shift (1), Ctrl (2),
    // Alt (4) bits.
    void Form_KeyDown(int keyCode, int shift);

    // The layout pass.
    void Form_Resize();

    // Opens CurrentImagePath with the program associated with its type.
    void LaunchAssociated();
    // Opens the help page beside the program with the program associated with it.
    void OpenHelpPage();

    // The window's outer size and position in twips, as the settings keep them.
    QRectF OuterTwips() const;

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
    QString listFolder() const override;
    QString currentImagePath() const { return CurrentImagePath; }

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
    void BuildMenu();
    void BuildBrowsing(const ControlFactory& controls);
    void BuildSlots(const ControlFactory& controls);
    void BuildPreview(const ControlFactory& controls);
    void BuildLabels(const ControlFactory& controls);
    void PlaceTwips(QWidget* control, const QRectF& twips);
    void ConnectHandlers();

    // Start-up and close (Form1Startup.cpp).
    bool ApplySavedGeometry();
    void ShowRememberedSourceFolder();
    void CheckSlotFolders();
    void SaveGeometryFields();
    void SetOuterSizeTwips(QSizeF outer);
    QSize PixelsOfOuter(QSizeF outer) const;
    void KeepMinimumSize();

    // Browsing helpers (Form1Browse.cpp).
    void ShowSourceFolder();
    QString CountText() const;
    void ShowCounts();
    void ShowFileName(const QString& name);
    QString SelectedFilePath() const;
    void DeleteSelectedFile();
    void ReportFileError(FileError error, const QString& name);
    void PreviewSelectedFile();

    // Preview helpers (Form1Preview.cpp).
    QString SourcePathOf(const QString& name) const;
    bool ShowPicture(const QString& path);
    void PutInPreview(const QString& path);
    void ShowReadyPicture(const QString& first);
    void FitPreview();
    void ReadAhead(const std::function<std::vector<int>()>& pick,
                   const std::function<QSize()>& box = {});
    void ReadAheadForRun();
    void SetPreviewBusy(bool busy);
    static void Yield();

    // Sending (Form1Send.cpp): what the sorting run shows through the window.
    void SendToSlot(int slot);
    void EnableUndoButton();
    QString firstName() const override;
    void letEventsIn() override;
    void sendStarting(int slot) override;
    void sendingTo(const QString& targetFolder) override;
    void historyChanged() override;
    void listChanged() override;
    void sendFinished(int slot) override;
    void undoFinished() override;
    void reportFailure(const QString& line) override;

    // Launches (Form1Menu.cpp).
    QString HelpPagePath() const;
    void LaunchReportingIn(const QString& file, const QString& failure);

    // Run and layout (Form1Run.cpp, Form1Layout.cpp).
    void StartRun();
    void StopRun();
    void SetBrowsingVisible(bool visible, bool pathLabelsToo);
    void Place(const Placement& placement);
    QRectF PlacedTwips(const Placement& placement) const;
    QSize RunPreviewBox() const;
    RunLayout RunLayoutOfOptions() const;
    QWidget* ControlOf(Control control, int index) const;
    void DockStatusBar();
    void EnableKeyPreview() { keyPreview_ = true; }
    bool HandleKeyPress(QObject* watched, QEvent* event);
    bool IsPassedOnToParent(QObject* watched, QEvent* event);
    void HandleKeyRelease(const QKeyEvent* key);
    bool HandleMousePress(QObject* watched, QEvent* event);

    Module1& module_;
    Prompts& prompts_;
    Launcher& launcher_;
    std::unique_ptr<PicturePane> pane_; // Picture1 with Image1 in it
    Twips twips_;
    QHash<QWidget*, QRectF> twipsGeometry_; // each placed control, as last placed
    DriveFolderPair* drives_ = nullptr;
    bool settingsFileKept_ = false; // the file could not be read: leave it be
    bool keyPreview_ = false;
    const QEvent* keyOnItsWay_ = nullptr; // the key press being delivered, and where it was last
    QPointer<QObject> keyReachedLast_;
    bool keyHeld_ = false;       // the last key press was a repeat of a held key
    bool previewBehind_ = false; // a burst of sends left the preview on an earlier file
    QElapsedTimer previewMoved_; // since the preview last moved on to another file
    // The shortest time a picture stays in the preview during a burst of sends.
    static constexpr qint64 LeastPreviewStayMs = 100;
    SortingRun run_;
    QPalette slotPalette_; // the slot label's colours while it shows red

    QString CurrentImagePath; // the file last put into the preview

    // The right-click delete into the trash (Form1Browse.cpp).
    bool TrashFile(const QString& path, const QString& name);

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
    void RecordDeletion(const QString& path, const FileIdentity& identity);
    SendRecorder* recorder_ = nullptr;
    QAction* mnuJournal = nullptr;
};

} // namespace sorvane
