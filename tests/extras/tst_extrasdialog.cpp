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

// The program started with the given text in its extras file (none when
// null), or a folder in its place.
struct Program : StartedProgram {
    explicit Program(const QByteArray& extras = {}, bool folderInstead = false)
        : StartedProgram([&](Module1& saved) {
              const QString path = saved.ProgramFolder + "/SorvaneExtras.ini";
              if (!extras.isNull())
                  WriteFile(path, extras);
              if (folderInstead)
                  QDir().mkpath(path);
          }) {}
    QString extrasPath() const { return dir.filePath("SorvaneExtras.ini"); }
    ExtrasDialog* open() {
        ControlNamed<QAction>(&main(), "mnuExtras")->trigger();
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
        QTest::newRow("ok") << "OKButton";
        QTest::newRow("cancel") << "CancelButton";
        QTest::newRow("escape") << "Escape";
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
        if (leaving == "Escape")
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            ClickControl(dialog, leaving);
        QVERIFY(!dialog || !dialog->isVisible());
        const bool kept = leaving == "OKButton";
        const ExtraOptions expected = kept ? ExtraOptions{false, true} : ExtraOptions{true, false};
        QCOMPARE(p.module.Extras, expected);
        QCOMPARE(LoadExtraOptions(p.extrasPath()), expected);
        if (!kept)
            QCOMPARE(ReadFile(p.extrasPath()), before);
        QVERIFY(p.prompts.asked.isEmpty());
    }

    // A file that cannot be read as options, or a folder in its place, gives
    // the defaults and never stops the start; OK still sets the options for
    // this run and says the file could not be written.
    void aDamagedFileFallsBack() {
        Program p("\x00\x01garbage=[\n\xff", 11);
        QVERIFY(p.started);
        QCOMPARE(p.module.Extras, ExtraOptions{});
        Program q({}, true);
        QVERIFY(q.started && QFileInfo(q.extrasPath()).isDir());
        QCOMPARE(q.module.Extras, ExtraOptions{});
        ExtrasDialog* dialog = q.open();
        ClickControl(dialog, "TrashCheck");
        ClickControl(dialog, "OKButton");
        QVERIFY(q.module.Extras.deleteToTrash);
        QCOMPARE(q.prompts.asked.size(), 1);
        QCOMPARE(
            q.prompts.asked[0].text,
            QStringLiteral("追加オプションを保存できませんでした。次回の起動では元に戻ります。"));
    }

    // The menu item sits in the options menu and opens nothing during a run.
    void theMenuItemWaitsOutARun() {
        Program p;
        auto* item = ControlNamed<QAction>(&p.main(), "mnuExtras");
        QVERIFY(ControlNamed<QMenu>(&p.main(), "mnuOpt")->actions().contains(item));
        p.module.RunTime.SortingActive = 1;
        item->trigger();
        QVERIFY(!p.main().findChild<ExtrasDialog*>());
        p.module.RunTime.SortingActive = 0;
        item->trigger();
        QVERIFY(p.main().findChild<ExtrasDialog*>());
    }
};

QTEST_MAIN(ExtrasDialogTest)
#include "tst_extrasdialog.moc"
