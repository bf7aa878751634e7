// How the windows meet: each connection the program makes between the main
// window and the others, through the real windows over temporary folders.
#include "controls/DirList.h"
#include "support/Controls.h"
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
    // Opens the window of that name as the main window asks for it.
    void open(const QString& name) {
        const QHash<QString, void (Form1::*)()> requests{{"Dialog", &Form1::optionsRequested},
                                                         {"Form2", &Form1::folderSetupRequested},
                                                         {"frmAbout", &Form1::aboutRequested},
                                                         {"Form3", &Form1::usageRequested},
                                                         {"Form4", &Form1::viewerRequested}};
        Q_EMIT(main().*requests.value(name))();
    }
};

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // 「実行」 is off while another window is open and back on however it
    // closes, the main window closing taking every other window with it
    // before it saves; asking again brings the open one forward instead of
    // making a second.
    void startButtonFollowsTheOtherWindows_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("how");
        for (const char* window : {"Dialog", "Form2", "frmAbout", "Form3", "Form4"})
            for (const char* how : {"close", "close box", "main window closes"})
                QTest::addRow("%s, %s", window, how) << QString(window) << QString(how);
        QTest::newRow("Dialog, Escape") << QString("Dialog") << QString("Escape");
    }
    void startButtonFollowsTheOtherWindows() {
        QFETCH(QString, window);
        QFETCH(QString, how);
        Program program;
        QVERIFY(program.startEnabled());
        program.open(window);
        program.open(window);
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
    // window's slot button at once; the bulk-delete slot has no button.
    void assignedFolderShowsOnTheSlotButton() {
        Program program;
        program.open("Form2");
        QWidget* setup = OpenWindow("Form2");
        const auto* button3 = ControlNamed<QPushButton>(&program.main(), "Command4_3");
        const QString before10 = ControlNamed<QPushButton>(&program.main(), "Command4_10")->text();
        const QString folder = program.dir.filePath(QStringLiteral("猫の写真"));
        QVERIFY(QDir().mkpath(folder) && ControlNamed<DirList>(setup, "Dir1")->setPath(folder));
        QTest::mouseClick(ControlNamed<QWidget>(setup, "Command1_3"), Qt::LeftButton);
        QTest::mouseClick(ControlNamed<QWidget>(setup, "Command1_10"), Qt::LeftButton);
        QCOMPARE(program.module.FolderSlots[3], folder);
        QCOMPARE(button3->text(), QStringLiteral("猫の写真"));
        QCOMPARE(ControlNamed<QPushButton>(&program.main(), "Command4_10")->text(), before10);
    }

    // Removing a folder in the folder setup window leaves the main window's
    // destination line as it was: hidden, and naming no folder.
    void removingAFolderLeavesTheDestinationLine() {
        Program program;
        const QString empty = program.dir.filePath("empty");
        QVERIFY(QDir().mkpath(empty));
        const auto* label4 = ControlNamed<QLabel>(&program.main(), "Label4");
        const QString before = label4->text();
        program.open("Form2");
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
        program.open("Form4");
        QWidget* viewer = OpenWindow("Form4");
        QVERIFY(viewer);
        ControlNamed<QAction>(viewer, "Toolbar1_1")->trigger();
        QVERIFY(OpenWindow("Dialog"));
        viewer->close();
        QTRY_VERIFY(!OpenWindow("Dialog"));
        QTRY_VERIFY(program.startEnabled());
    }

    // Without a help page, help opens the usage window; with one (a folder
    // will do), its program, during a run too. The version command opens the
    // About box, whose link opens the same page the program ships, not a web
    // page.
    void helpAndVersionOpenTheirWindows() {
        Program program;
        program.module.RunTime.SortingActive = 1;
        const auto choose = [&](const char* item) {
            ControlNamed<QAction>(&program.main(), item)->trigger();
        };
        choose("mnuHelp");
        choose("mnuVer1");
        QVERIFY(OpenWindow("Form3") && OpenWindow("frmAbout"));
        const QString page = program.dir.filePath("help/help.htm");
        QVERIFY(QDir().mkpath(page));
        choose("mnuHelp");
        QTest::mouseClick(ControlNamed<QWidget>(OpenWindow("frmAbout"), "Label1"), Qt::LeftButton);
        QCOMPARE(program.launcher.started, QStringList(2, page));
        QVERIFY(program.launcher.opened.isEmpty());
    }
};

QTEST_MAIN(WindowsTest)
#include "tst_windows.moc"
