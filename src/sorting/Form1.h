#pragma once

#include "controls/Twips.h"
#include "platform/FileError.h"
#include "settings/Module1.h"
#include "sorting/Form1Controls.h"
#include "sorting/UndoHistory.h"
#include "sorting/WindowArrangement.h"

#include <QHash>
#include <QMainWindow>
#include <QRectF>

#include <array>
#include <deque>
#include <functional>
#include <vector>

namespace sorvane {

class DriveFolderPair;
class Launcher;
class PictureSource;
class Prompts;

namespace test {
class Form1Fixture;
}

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

    // The window's outer size and position in twips, as the settings keep them.
    QRectF OuterTwips() const;

    // The menu.
    void mnuOpt1_Click();
    void mnuFOL_Click();

    const UndoHistory& History() const { return history_; }

    // What the other windows may change or read here, through the program's
    // composition root.
    void setStartEnabled(bool enabled);
    void setSlotCaption(int slot, const QString& caption);
    void setDestinationText(const QString& text);
    void ShowCopyModeIndicator();
    const FileList& fileList() const { return *File1; }
    QString listFolder() const;
    QString currentImagePath() const { return CurrentImagePath; }

signals:
    void optionsRequested();     // the options command, outside a run
    void folderSetupRequested(); // the folder setup command, outside a run
    void viewerRequested();      // a double-click asked for the viewer
    void closingOtherWindows();  // the main window closes: every other window goes

protected:
    void closeEvent(QCloseEvent* event) override; // the save at close
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction (Form1Controls.cpp).
    void BuildControls();
    void BuildMenu();
    void BuildBrowsing(QWidget* surface);
    void BuildSlots(QWidget* surface);
    void BuildPreview(QWidget* surface);
    void BuildLabels(QWidget* surface);
    void PlaceTwips(QWidget* control, const QRectF& twips);
    void ConnectHandlers();

    // Start-up and close (Form1Startup.cpp).
    bool ApplySavedGeometry();
    bool ShowRememberedSourceFolder();
    void CheckSlotFolders();
    void SaveGeometryFields();
    void SetOuterSizeTwips(float width, float height);

    // Browsing helpers (Form1Browse.cpp).
    void ShowCounts();
    QString SelectedFilePath() const;
    void DeleteSelectedFile();
    void ReportFileError(FileError error, const QString& name);
    void PreviewSelectedFile();

    // Preview helpers (Form1Preview.cpp).
    QString SourcePathOf(const QString& name) const;
    FileError LoadPreviewPicture(const QString& path);
    bool LoadUnderErrorFrame(const QString& path);
    void LoadErrorPicture();
    void ReportMissingFolderOnly(const QString& path);
    void FitPreview();
    void ShowFileName(const QString& name);
    void ReadAhead(std::function<std::vector<int>()> pick);
    std::vector<int> NextToSend() const;
    static constexpr int MostReadAhead = 8; // within the picture cache's room
    void SetPreviewBusy(bool busy);
    QSize PreviewBox() const;
    static void Yield();

    // Sending (Form1Send.cpp).
    void SendToSlot(int slot);
    void SendFile();
    bool ConfirmSameName(const QString& name);
    void RefreshCounts();
    void RunInOrder(std::function<void()> action);
    void EnableUndoButton();

    // Run and layout (Form1Run.cpp, Form1Layout.cpp).
    void StartRun();
    void StopRun();
    void SetBrowsingVisible(bool visible, bool pathLabelsToo);
    void Place(const Placement& placement);
    QWidget* ControlOf(Control control, int index) const;
    void DockStatusBar();
    void EnableKeyPreview() { keyPreview_ = true; }
    bool HandleKeyPress(QObject* watched, QEvent* event);
    bool HandleMousePress(QObject* watched, QEvent* event);

    Module1& module_;
    Prompts& prompts_;
    Launcher& launcher_;
    PictureSource& pictures_;
    Twips twips_;
    QHash<QWidget*, QRectF> twipsGeometry_; // each placed control, as last placed
    DriveFolderPair* drives_ = nullptr;
    bool settingsFileKept_ = false; // the file could not be read: leave it be
    bool keyPreview_ = false;
    UndoHistory history_;
    bool busy_ = false; // a send or undo is under way
    std::deque<std::function<void()>> pending_;

    // The send in progress.
    QString TargetFolder;
    QString SourcePath;
    QString DestinationPath;

    QString CurrentImagePath; // the file last put into the preview

    friend class test::Form1Fixture;
};

} // namespace sorvane
