// The usage window on real Readme.txt files, the About box with a
// recording launcher and scripted message boxes, and the usage texts the
// program ships.
#include "help/Form3.h"
#include "help/frmAbout.h"
#include "support/Controls.h"
#include "support/ScopedEnvironment.h"
#include "support/StartedProgram.h"
#include "support/TestFiles.h"

#include <QPlainTextEdit>
#include <QStringEncoder>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// What the main window (also during a run) and the options dialog show:
// captions of buttons, boxes, labels and menus.
QStringList ProgramCaptions() {
    StartedProgram program; // on its own folder, so the run starts there
    Form1& main = program.main();
    QStringList captions;
    const auto collect = [&] {
        for (QWidget* widget : QApplication::allWidgets()) // buttons, labels, group boxes
            captions << widget->property("text").toString() + widget->property("title").toString();
        for (QAction* action : main.findChildren<QAction*>())
            captions << action->text();
    };
    main.mnuOpt1_Click();
    collect();
    OpenWindow("Dialog")->close();
    main.Command1_Click(); // the run's captions
    collect();
    return captions;
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Any line end counts; each shown line ends in one line end, the last too.
    void showsTheUsageText_data() {
        QTest::addColumn<QByteArray>("content"); // null: a folder named Readme.txt
        QTest::addColumn<QString>("shown");
        const QString twoLines = QStringLiteral("使い方\n二行目\n");
        QTest::newRow("UTF-8, CR LF, unended") << QByteArray("使い方\r\n二行目") << twoLines;
        QStringEncoder shiftJis("Shift_JIS");
        QTest::newRow("Shift-JIS, CR") << QByteArray(shiftJis(u"使い方\r二行目\r")) << twoLines;
        QTest::newRow("not a file") << QByteArray() << "Readme.txtが見つかりません。";
    }
    void showsTheUsageText() {
        QFETCH(QByteArray, content);
        QTemporaryDir program;
        QVERIFY(content.isNull() ? QDir(program.path()).mkdir("Readme.txt")
                                 : WriteFile(program.filePath("Readme.txt"), content));
        Form3 window(program.path());
        window.Form_Load();
        QTEST(ControlNamed<QPlainTextEdit>(&window, "Text1")->toPlainText(), "shown");
    }

    // The first known program on PATH is started; with none, or when it will
    // not start, the box says so.
    void startsTheSystemInformationProgram_data() {
        QTest::addColumn<QStringList>("onPath");
        QTest::addColumn<bool>("startSucceeds");
        QTest::addColumn<QString>("started");
        QTest::newRow("none on PATH") << QStringList() << true << "";
        QTest::newRow("first known one")
            << QStringList{"gnome-system-monitor", "kinfocenter"} << true << "kinfocenter";
        QTest::newRow("will not start") << QStringList{"hardinfo"} << false << "hardinfo";
    }
    void startsTheSystemInformationProgram() {
        QFETCH(QStringList, onPath);
        QFETCH(bool, startSucceeds);
        QFETCH(QString, started);
        QTemporaryDir bin;
        for (const QString& name : onPath)
            QVERIFY(WriteFile(bin.filePath(name), "#!/bin/sh\n") &&
                    QFile::setPermissions(bin.filePath(name), QFile::ReadOwner | QFile::ExeOwner));
        const ScopedEnvironment path("PATH", onPath.isEmpty() ? "" : QFile::encodeName(bin.path()));
        ScriptedPrompts prompts;
        RecordingLauncher launcher;
        launcher.startSucceeds = startSucceeds;
        frmAbout box(prompts, launcher, {});
        ClickControl(&box, "cmdSysInfo");
        QCOMPARE(launcher.programsStarted,
                 started.isEmpty() ? QStringList() : QStringList{bin.filePath(started)});
        QCOMPARE(prompts.asked.size(), startSucceeds && !started.isEmpty() ? 0 : 1);
    }

    // The usage texts the program ships name only what the user sees: each
    // name in 「」 is (part of) a caption of the main window, during a run
    // too, or of the options dialog; and they say where the settings are kept
    // once the program is installed.
    void shippedUsageTextsNameWhatTheProgramShows_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("Readme.txt") << "Readme.txt";
        QTest::newRow("help page") << "help/help.htm";
    }
    void shippedUsageTextsNameWhatTheProgramShows() {
        QFETCH(QString, file);
        const QString text = QString::fromUtf8(ReadFile(SORVANE_COMPANION_DIR "/" + file));
        const QStringList captions = ProgramCaptions();
        QStringList unknown;
        const QRegularExpression quoted(QStringLiteral("「([^」]+)」"));
        for (const QRegularExpressionMatch& name : quoted.globalMatch(text))
            if (std::none_of(captions.begin(), captions.end(),
                             [&](const QString& c) { return c.contains(name.captured(1)); }))
                unknown << name.captured(1);
        QVERIFY2(unknown.isEmpty(), qPrintable("not shown: " + unknown.join("; ")));
        QVERIFY(text.contains("~/.config/sorvane/Sorvane.ini"));
    }
};

QTEST_MAIN(HelpTest)
#include "tst_help.moc"
