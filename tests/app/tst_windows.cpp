// How the windows meet: each connection the program makes between the main
// window and the others, through the real windows over temporary folders.
#include "controls/DirList.h"
#include "support/Controls.h"
#include "support/Rows.h"
#include "support/StartedProgram.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QWindow>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// The program started on a folder holding one picture, as the user has it.
struct Program : StartedProgram {
    Program()
        : StartedProgram([](Module1& saved) {
              WriteImage(saved.SourceFolder + "/a.jpg", QSize(8, 6), "JPEG", Qt::red);
          }) {}
    bool startEnabled() { return ControlNamed<QWidget>(&main(), "Command1")->isEnabled(); }
};

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each window opens as the main window asks for it (its menu item; help
    // without a help page opens the usage window). 「実行」 is off while
    // another window is open and back on however it closes, the main window
    // closing taking every other window with it before it saves; asking
    // again brings the open one forward instead of making a second.
    void startButtonFollowsTheOtherWindows_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("request"); // a menu item or the main window's signal
        QTest::addColumn<QString>("how");
        AddRows({{"options, Escape", "Dialog", "mnuOpt1", "Escape"},
                 {"folder setup, close box", "Form2", "mnuFOL", "close box"},
                 {"About box, close", "frmAbout", "mnuVer1", "close"},
                 {"usage window, main window closes", "Form3", "mnuHelp", "main"},
                 {"viewer, close box", "Form4", "viewerRequested", "close box"}});
    }
    void startButtonFollowsTheOtherWindows() {
        QFETCH(QString, window);
        QFETCH(QString, request);
        QFETCH(QString, how);
        Program program;
        QVERIFY(program.startEnabled());
        for (int i = 0; i < 2; ++i)
            if (auto* item = program.main().findChild<QAction*>(request))
                item->trigger();
            else
                QVERIFY(QMetaObject::invokeMethod(&program.main(), qPrintable(request)));
        QWidget* opened = OpenWindow(window);
        QVERIFY(opened && !program.startEnabled());
        const QWidgetList all = QApplication::topLevelWidgets(); // brought forward, not made again
        QCOMPARE(std::count_if(all.begin(), all.end(),
                               [&](auto* w) { return w->objectName() == window; }),
                 1);
        if (how == "Escape")
            QTest::keyClick(opened, Qt::Key_Escape);
        else if (how == "close box")
            opened->windowHandle()->close();
        else if (how == "close")
            opened->close();
        else
            QVERIFY(program.main().close());
        QTRY_VERIFY(!OpenWindow(window));
        QTRY_VERIFY(program.startEnabled());
    }

    // A folder assigned in the folder setup window shows on the main
    // window's slot button at once.
    void assignedFolderShowsOnTheSlotButton() {
        Program program;
        Q_EMIT program.main().folderSetupRequested();
        QWidget* setup = OpenWindow("Form2");
        const auto* button3 = ControlNamed<QPushButton>(&program.main(), "Command4_3");
        const QString folder = program.dir.filePath(QStringLiteral("猫の写真"));
        QVERIFY(QDir().mkpath(folder) && ControlNamed<DirList>(setup, "Dir1")->setPath(folder));
        QTest::mouseClick(ControlNamed<QWidget>(setup, "Command1_3"), Qt::LeftButton);
        QCOMPARE(program.module.FolderSlots[3], folder);
        QCOMPARE(button3->text(), QStringLiteral("猫の写真"));
    }

    // Removing a folder in the folder setup window leaves the main window's
    // destination line as it was: hidden, and naming no folder.
    void removingAFolderLeavesTheDestinationLine() {
        Program program;
        const QString empty = program.dir.filePath("empty");
        QVERIFY(QDir().mkpath(empty));
        const auto* label4 = ControlNamed<QLabel>(&program.main(), "Label4");
        const QString before = label4->text();
        Q_EMIT program.main().folderSetupRequested();
        auto* list = ControlNamed<DirList>(OpenWindow("Form2"), "Dir1");
        QVERIFY(list->setPath(empty));
        program.prompts.Answer(PromptAnswer::Ok);
        QTest::mousePress(list->viewport(), Qt::RightButton);
        QVERIFY(!QFileInfo::exists(empty));
        QVERIFY(label4->isHidden());
        QCOMPARE(label4->text(), before);
    }

    // The viewer's options button opens the options; closing the viewer
    // closes them with it, and 「実行」 comes back once both are gone.
    void viewerTakesItsOptionsAlong() {
        Program program;
        Q_EMIT program.main().viewerRequested();
        QWidget* viewer = OpenWindow("Form4");
        QVERIFY(viewer);
        ControlNamed<QAction>(viewer, "Toolbar1_1")->trigger();
        QVERIFY(OpenWindow("Dialog"));
        viewer->close();
        QTRY_VERIFY(!OpenWindow("Dialog"));
        QTRY_VERIFY(program.startEnabled());
    }
};

QTEST_MAIN(WindowsTest)
#include "tst_windows.moc"
