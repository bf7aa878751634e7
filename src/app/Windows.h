#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class QWidget;

namespace sorvane {

class Dialog;
class ExtrasDialog;
class Form1;
class Form2;
class Form3;
class frmAbout;
class Form4;
class Launcher;
class PictureSource;
class Prompts;
class JournalWindow;
class SendJournal;
struct FileIdentity;
struct Module1;

// The program's windows and how they meet. The main window is made at once;
// every other window is made when it is asked for, once (asking again brings
// the open one to the front), and shown modeless. While any of them is open
// the main window's start button is disabled; whichever closes first enables
// it again (the button is switched, the open windows are not counted).
// Before the main window saves its settings at close, every other window is
// closed.
class Windows : public QObject {
    Q_OBJECT
public:
    // With a journal path, every send, undo and deletion is recorded in the
    // journal kept there, and the main window's menu opens its window.
    Windows(Module1& module, Prompts& prompts, Launcher& launcher, PictureSource& pictures,
            const QString& journalPath = {});
    ~Windows() override;

    // Runs the main window's start-up, opens the folder or file the program
    // was started with, if any, and shows the window; false when the program
    // must end at once.
    bool start(const QString& startPath = {});

    Form1& main() { return *main_; }

    // The options dialog, from the main window's menu.
    void openOptions();
    // The added options' dialog, from the main window's menu.
    void openExtras();
    // The About box and the usage window, from the main window's menu.
    void openAbout();
    void openUsage();

private:
    // Brings an open window to the front; false when it is not open.
    static bool raiseOpen(QWidget* window);
    // Opens a window made and connected by the caller as one of the
    // program's other windows.
    template <typename W> void openOther(W* window);
    void closeOthers();
    void openFolderSetup();
    void openViewer();
    void openJournal();
    void recordBulkDeletion(const QString& path, const FileIdentity& identity);

    Module1& module_;
    Prompts& prompts_;
    Launcher& launcher_;
    PictureSource& pictures_;
    std::unique_ptr<Form1> main_;
    QList<QPointer<QWidget>> others_;
    QPointer<Form2> folderSetup_;
    QPointer<Dialog> options_;
    QPointer<ExtrasDialog> extras_;
    QPointer<frmAbout> about_;
    QPointer<Form3> usage_;
    QPointer<Form4> viewer_;
    std::unique_ptr<SendJournal> journal_;
    QPointer<JournalWindow> journalWindow_;
};

} // namespace sorvane
