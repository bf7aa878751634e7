// The built program in a real window on an X server, driven by clicks and key
// presses through the server as a user gives them, judged by what it leaves
// on disk: what only a real start shows (the keys as the server delivers
// them, the settings a restart finds, the argument and the language it is
// started with). Each rule has its own test in process.
#include "e2e/RealWindow.h"
#include "support/Settings.h"
#include "support/TestFiles.h"

#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

const QString Button = "push button";

// A first start's settings with six photographs in the source folder,
// remembered and named as an option Qt would take for its own, and eleven
// slot folders (none left at "/"), all inside the program's temporary
// folder; the same-name question on.
struct SortingDesk {
    explicit SortingDesk(const ProgramCopy& copy) : settings(FirstStartSettings()) {
        settings.SourceFolder = copy.makeFolder("-reverse");
        settings.RememberSourceFolder = settings.ConfirmSameName = 1;
        for (int i = 0; i < SlotCount; ++i)
            settings.FolderSlots[size_t(i)] = copy.makeFolder(QString("slot%1").arg(i));
        written = copy.writeSettings(settings);
        for (int i = 1; i <= 6; ++i)
            written =
                written && WriteImage(settings.SourceFolder + QString("/p%1.jpg").arg(i),
                                      QSize(64, 48), "JPEG", QColor::fromHsv(i * 55, 200, 220));
    }
    QString slot(int i) const { return settings.FolderSlots[size_t(i)]; }
    // "src: p1 p2 | slot3: p3" with empty folders left out,
    // so a failed comparison shows where every photograph is.
    QString whereabouts() const {
        QStringList parts{"src: " + Files(settings.SourceFolder).join(u' ')};
        for (int i = 0; i < SlotCount; ++i)
            if (const QStringList files = Files(slot(i)); !files.isEmpty())
                parts << QString("slot%1: ").arg(i) + files.join(u' ');
        return parts.join(" | ").remove(".jpg");
    }
    Module1 settings;
    bool written = false;
};

} // namespace

#define START(program, ...) QVERIFY2((program).start(__VA_ARGS__), qPrintable((program).errors()))
#define AWAIT(actual, expected) QTRY_COMPARE_WITH_TIMEOUT(actual, expected, 10000)

class RealWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        const QString unavailable = RealWindowsUnavailable();
        if (!unavailable.isEmpty() && qEnvironmentVariableIsSet("CI"))
            QFAIL(qPrintable(unavailable + " (CI must run every layer)"));
        if (!unavailable.isEmpty())
            QSKIP(qPrintable(unavailable + " (./dev test provides both)"));
    }

    // Digit keys send the file shown, shift+3 (typing "#") as the 3 key;
    // Return on the focus button undoes; a double-click on a slot button is
    // two sends; the key that brings the same-name question is one press,
    // and OK there puts the older file into the desktop's trash.
    void sortsWithKeysThroughTheServer() {
        ProgramCopy copy;
        const SortingDesk desk(copy);
        QVERIFY(copy.isValid() && desk.written && WriteFile(desk.slot(7) + "/p4.jpg", "old"));
        const QByteArray photo4 = ReadFile(desk.settings.SourceFolder + "/p4.jpg");
        RealWindow program;
        START(program, copy.executable(), desk.settings.SourceFolder);
        QVERIFY(program.click(Button, "実行") && program.key("3 shift+3 Return"));
        AWAIT(desk.whereabouts(), "src: p2 p3 p4 p5 p6 | slot3: p1 | slot7: p4");
        QVERIFY(program.click(Button, "slot3", 2));
        AWAIT(desk.whereabouts(), "src: p4 p5 p6 | slot3: p1 p2 p3 | slot7: p4");
        QVERIFY(program.key("7"));
        const QString question = program.awaitOtherWindow();
        QVERIFY2(!question.isEmpty(), "no same-name question");
        QVERIFY(program.keyInto(question, "Return"));
        AWAIT(desk.whereabouts(), "src: p5 p6 | slot3: p1 p2 p3 | slot7: p4");
        QVERIFY(ReadFile(desk.slot(7) + "/p4.jpg") == photo4);
        QCOMPARE(ReadFile(program.trash() + "/files/p4.jpg"), "old");
    }

    // A slot assigned in the folder setup window by keyboard is saved at the
    // end and, after a restart in English on the folder given as the
    // argument, sends there; a double-click on a file opens the viewer and,
    // once it is closed, 「実行」 takes a click again.
    void keepsItsSettingsAcrossARestart() {
        ProgramCopy copy;
        const SortingDesk desk(copy);
        const QString cats = copy.makeFolder("Cats");
        Module1 settings = desk.settings;
        settings.SourceFolder = cats; // the argument must open the photographs
        QVERIFY(copy.isValid() && desk.written && copy.writeSettings(settings));
        {
            RealWindow program;
            START(program, copy.executable(), cats); // the setup window opens on it
            QVERIFY(program.openFirstMenu() && program.keyIntoMenu("Down Down Return"));
            const QString setup = program.awaitWindowNamed("フォルダ選択");
            QVERIFY2(!setup.isEmpty(), "the folder setup window did not open");
            // Drive1, Dir1, then Command1(0): five Tabs reach slot 3.
            QVERIFY(program.keyInto(setup, "Tab Tab Tab Tab Tab space"));
            QVERIFY2(program.click(Button, "終了") && program.awaitExit(),
                     qPrintable(program.errors()));
        }
        QCOMPARE(copy.savedSettings().FolderSlots[3], cats);
        QProcessEnvironment english; // what would override LANG is cleared
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            english.insert(name, "");
        english.insert("LANG", "en_US.UTF-8");
        RealWindow program;
        START(program, copy.executable(), copy.path(""), english, {"-reverse"});
        QVERIFY(program.click("list item", "p1.jpg", 2));
        const QString viewer = "SorvaneViewer  p1\\.jpg   \\(1/6\\)";
        QVERIFY2(!program.awaitWindowNamed(viewer).isEmpty(), "no viewer on p1.jpg (1/6)");
        QVERIFY(program.click(Button, "Close the viewer", 1, "SorvaneViewer"));
        AWAIT(program.awaitWindowNamed(viewer, 0), QString());
        QVERIFY(program.click(Button, "Start") && program.key("3"));
        AWAIT(Files(cats), QStringList{"p1.jpg"});
    }
};

QTEST_GUILESS_MAIN(RealWindowTest)
#include "tst_realwindow.moc"
