// The added options' dialog as the program opens it from the main window's
// menu, and their file read at the start.
#include "extras/ExtrasDialog.h"
#include "settings/ExtraOptions.h"
#include "support/Controls.h"
#include "support/StartedProgram.h"
#include "support/TestFiles.h"

#include <QCheckBox>
#include <QMenu>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// The program started with the given text in its extras file, or a folder
// in its place when null.
struct Program : StartedProgram {
    explicit Program(const QByteArray& extras = "")
        : StartedProgram([&](Module1& saved) {
              const QString path = saved.ProgramFolder + "/SorvaneExtras.ini";
              extras.isNull() ? void(QDir().mkpath(path)) : void(WriteFile(path, extras));
          }) {}
    QString extrasPath() const { return dir.filePath("SorvaneExtras.ini"); }
    QAction* item() { return ControlNamed<QAction>(&main(), "mnuExtras"); }
    ExtrasDialog* open() {
        item()->trigger();
        return main().findChild<ExtrasDialog*>();
    }
};

} // namespace

class ExtrasDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The boxes show the file's options; clicks change them, and only OK
    // keeps them, in the record and in the file.
    void onlyOkKeepsTheChoice_data() {
        QTest::addColumn<QString>("leaving");
        for (const char* leaving : {"OKButton", "CancelButton", "Escape"})
            QTest::newRow(leaving) << QString(leaving);
    }
    void onlyOkKeepsTheChoice() {
        QFETCH(QString, leaving);
        const QByteArray before = "[Options]\nDeleteToTrash=true\n";
        Program p(before);
        QPointer<ExtrasDialog> dialog = p.open();
        QVERIFY(p.started && dialog && dialog->isVisible());
        const auto ticked = [&] {
            return QList<bool>{ControlNamed<QCheckBox>(dialog, "TrashCheck")->isChecked(),
                               ControlNamed<QCheckBox>(dialog, "CompanionsCheck")->isChecked()};
        };
        QCOMPARE(ticked(), (QList<bool>{true, false}));
        ClickControl(dialog, "TrashCheck");
        ClickControl(dialog, "CompanionsCheck");
        QCOMPARE(ticked(), (QList<bool>{false, true}));
        leaving == "Escape" ? QTest::keyClick(dialog, Qt::Key_Escape)
                            : ClickControl(dialog, leaving);
        QVERIFY(!dialog || !dialog->isVisible());
        const bool kept = leaving == "OKButton";
        const ExtraOptions expected = kept ? ExtraOptions{false, true} : ExtraOptions{true, false};
        QCOMPARE(p.module.Extras, expected);
        QCOMPARE(LoadExtraOptions(p.extrasPath()), expected);
        QVERIFY(kept || ReadFile(p.extrasPath()) == before);
        QVERIFY(p.prompts.asked.isEmpty());
    }

    // A folder in the file's place gives the defaults and never stops the
    // start (what a damaged file gives is the file's own tests); OK still
    // sets the options for this run and says the file could not be written.
    void anUnwritableFileFallsBack() {
        Program p{QByteArray()};
        QVERIFY(p.started && QFileInfo(p.extrasPath()).isDir());
        QCOMPARE(p.module.Extras, ExtraOptions{});
        ExtrasDialog* dialog = p.open();
        ClickControl(dialog, "TrashCheck");
        ClickControl(dialog, "OKButton");
        QVERIFY(p.module.Extras.deleteToTrash);
        QCOMPARE(p.prompts.asked.size(), 1);
        QVERIFY(p.prompts.asked[0].text.startsWith("追加オプションを保存できませんでした。"));
    }

    // The menu item sits in the options menu and opens nothing during a run.
    void theMenuItemWaitsOutARun() {
        Program p;
        QVERIFY(ControlNamed<QMenu>(&p.main(), "mnuOpt")->actions().contains(p.item()));
        p.module.RunTime.SortingActive = 1;
        QVERIFY(!p.open());
        p.module.RunTime.SortingActive = 0;
        QVERIFY(p.open());
    }
};

QTEST_MAIN(ExtrasDialogTest)
#include "tst_extrasdialog.moc"
