// The added options' dialog as the program opens it from the main window's
// menu, and their file read at the start.
#include "extras/ExtrasDialog.h"
#include "settings/ExtraOptions.h"
#include "support/Controls.h"
#include "support/StartedProgram.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// The program started with the given text in its extras file, or a folder
// in its place when null.
struct Program : StartedProgram {
    explicit Program(const QByteArray& extras)
        : StartedProgram([&](Module1& saved) {
              const QString path = saved.ProgramFolder + "/SorvaneExtras.ini";
              extras.isNull() ? void(QDir().mkpath(path)) : void(WriteFile(path, extras));
          }) {}
    QString extrasPath() const { return dir.filePath("SorvaneExtras.ini"); }
    // Opens the dialog from the menu and ticks both boxes over.
    ExtrasDialog* openAndTick() {
        ControlNamed<QAction>(&main(), "mnuExtras")->trigger();
        auto* dialog = main().findChild<ExtrasDialog*>();
        if (dialog)
            for (const char* box : {"TrashCheck", "CompanionsCheck"})
                ClickControl(dialog, box);
        return dialog;
    }
};

} // namespace

class ExtrasDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The boxes start from the file's options; only OK keeps the clicks, in
    // the record and in the file. A folder in the file's place gives the
    // defaults and never stops the start; OK then still sets the options for
    // this run and says the file could not be written. The menu item opens
    // nothing during a run.
    void onlyOkKeepsTheChoice_data() {
        QTest::addColumn<QByteArray>("file"); // null: a folder in its place
        QTest::addColumn<QString>("leaving");
        QTest::addColumn<bool>("trash"); // the options after
        QTest::addColumn<bool>("companions");
        const QByteArray trash = "[Options]\nDeleteToTrash=true\n";
        QTest::newRow("OK") << trash << "OKButton" << false << true;
        QTest::newRow("Escape") << trash << "Escape" << true << false;
        QTest::newRow("OK, a folder in the file's place")
            << QByteArray() << "OKButton" << true << true;
    }
    void onlyOkKeepsTheChoice() {
        QFETCH(QByteArray, file);
        QFETCH(QString, leaving);
        QFETCH(bool, trash);
        QFETCH(bool, companions);
        Program p(file);
        p.module.RunTime.SortingActive = 1; // the menu item opens nothing during a run
        QVERIFY(p.started && !p.openAndTick());
        p.module.RunTime.SortingActive = 0;
        QPointer<ExtrasDialog> dialog = p.openAndTick();
        QVERIFY(dialog);
        leaving == "Escape" ? QTest::keyClick(dialog, Qt::Key_Escape)
                            : ClickControl(dialog, leaving);
        QVERIFY(!dialog || !dialog->isVisible());
        const ExtraOptions expected{trash, companions};
        QCOMPARE(p.module.Extras, expected);
        QCOMPARE(LoadExtraOptions(p.extrasPath()), file.isNull() ? ExtraOptions{} : expected);
        QVERIFY(leaving == "OKButton" || ReadFile(p.extrasPath()) == file);
        QCOMPARE(p.prompts.asked.size(), int(file.isNull()));
        QVERIFY(!file.isNull() ||
                p.prompts.asked[0].text.startsWith("追加オプションを保存できませんでした。"));
    }
};

QTEST_MAIN(ExtrasDialogTest)
#include "tst_extrasdialog.moc"
