// The added options' dialog as the program opens it from the main window's
// menu, and their file read at the start.
#include "extras/ExtrasDialog.h"
#include "settings/ExtraOptions.h"
#include "settings/SettingsFile.h"
#include "sorting/Form1.h"
#include "support/StartedProgram.h"
#include "support/TestFiles.h"

#include <QCheckBox>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// The program started with the given text in its extras file (none when
// null), or a folder in its place.
struct Program : StartedProgram {
    explicit Program(const QByteArray& extras = {}, bool folderInstead = false)
        : StartedProgram([&](Module1& saved) {
              saved.SlideshowSeconds = 3;
              const QString path = saved.ProgramFolder + "/SorvaneExtras.ini";
              if (!extras.isNull())
                  WriteFile(path, extras);
              if (folderInstead)
                  QDir().mkpath(path);
          }) {}
    QString extrasPath() const { return dir.filePath("SorvaneExtras.ini"); }
    ExtrasDialog* open() {
        windows.main().findChild<QAction*>("mnuExtras")->trigger();
        return windows.main().findChild<ExtrasDialog*>();
    }
    static QCheckBox* box(QWidget* dialog, const char* name) {
        return dialog->findChild<QCheckBox*>(QLatin1String(name));
    }
};

} // namespace

class ExtrasDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The boxes show the file's options; clicks change them, and only OK
    // keeps them, in the record and in the file.
    void onlyOkKeepsTheChoice_data() {
        QTest::addColumn<QString>("leaving"); // "ok", "cancel" or "escape"
        QTest::addColumn<bool>("kept");
        QTest::newRow("ok") << "ok" << true;
        QTest::newRow("cancel") << "cancel" << false;
        QTest::newRow("escape") << "escape" << false;
    }
    void onlyOkKeepsTheChoice() {
        QFETCH(QString, leaving);
        QFETCH(bool, kept);
        const QByteArray before = "[Options]\nDeleteToTrash=true\n";
        Program p(before);
        QVERIFY(p.started);
        QPointer<ExtrasDialog> dialog = p.open();
        QVERIFY(dialog && dialog->isVisible());
        QCheckBox* trash = Program::box(dialog, "TrashCheck");
        QCheckBox* companions = Program::box(dialog, "CompanionsCheck");
        QVERIFY(trash->isChecked() && !companions->isChecked());
        QTest::mouseClick(trash, Qt::LeftButton, {}, QPoint(6, trash->height() / 2));
        QTest::mouseClick(companions, Qt::LeftButton, {}, QPoint(6, companions->height() / 2));
        QVERIFY(!trash->isChecked() && companions->isChecked());
        if (leaving == "escape")
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            QTest::mouseClick(
                dialog->findChild<QPushButton*>(leaving == "ok" ? "OKButton" : "CancelButton"),
                Qt::LeftButton);
        QVERIFY(!dialog || !dialog->isVisible());
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
        QVERIFY(dialog);
        QCheckBox* trash = Program::box(dialog, "TrashCheck");
        QTest::mouseClick(trash, Qt::LeftButton, {}, QPoint(6, trash->height() / 2));
        QTest::mouseClick(dialog->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
        QVERIFY(q.module.Extras.deleteToTrash);
        QCOMPARE(q.prompts.asked.size(), 1);
        QCOMPARE(
            q.prompts.asked[0].text,
            QStringLiteral("追加オプションを保存できませんでした。次回の起動では元に戻ります。"));
    }

    // The menu item sits in the options menu and opens nothing during a run.
    void theMenuItemWaitsOutARun() {
        Program p;
        QAction* item = p.windows.main().findChild<QAction*>("mnuExtras");
        QVERIFY(item);
        QVERIFY(p.windows.main().findChild<QMenu*>("mnuOpt")->actions().contains(item));
        p.module.RunTime.SortingActive = 1;
        item->trigger();
        QVERIFY(!p.windows.main().findChild<ExtrasDialog*>());
        p.module.RunTime.SortingActive = 0;
        item->trigger();
        QVERIFY(p.windows.main().findChild<ExtrasDialog*>());
    }
};

QTEST_MAIN(ExtrasDialogTest)
#include "tst_extrasdialog.moc"
