#pragma once

#include "platform/FileError.h"
#include "settings/Module1.h"
#include "sorting/Twips.h"
#include "sorting/UndoHistory.h"
#include "sorting/WindowArrangement.h"

#include <QHash>
#include <QMainWindow>
#include <QRectF>

#include <array>
#include <deque>
#include <functional>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace sorvane {

class DirList;
class FileList;
class ImageBox;
class Launcher;
class PictureSource;
class Prompts;
class StatusPanels;

// The main window: choosing the source folder and browsing its files, the
// preview, and the sorting run with its sends and undo. Handlers keep the
// names of the events they answer (control, underscore, event) and read as
// the steps they perform; file-system work and arithmetic live below them.
class Form1 : public QMainWindow {
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

    const UndoHistory& History() const { return history_; }

signals:
    void viewerRequested();     // a double-click asked for the viewer
    void closingOtherWindows(); // the main window closes: every other window goes

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
    void ShowCopyModeIndicator();
    void SaveGeometryFields();
    void SetOuterSizeTwips(float width, float height);

    // Browsing helpers (Form1Browse.cpp).
    void ShowCounts();
    void SetDriveBoxTo(const QString& drive);
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
    QStringList drives_;
    bool settingsFileKept_ = false; // the file could not be read: leave it be
    bool keyPreview_ = false;
    UndoHistory history_;
    bool busy_ = false; // a send or undo is under way
    std::deque<std::function<void()>> pending_;

    // The send in progress.
    QString TargetFolder;
    QString SourcePath;
    QString DestinationPath;

public:
    // Controls, under the names the program's handlers use for them.
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

    QString CurrentImagePath;
};

} // namespace sorvane
