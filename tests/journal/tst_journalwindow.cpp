// The journal's window through real clicks, and the journal as the program
// composes it: the menu item, and deletions recorded or, when the journal
// cannot be written, told in the main window.
#include "app/Windows.h"
#include "controls/MouseButtons.h"
#include "imaging/PictureSource.h"
#include "journal/JournalWindow.h"
#include "sorting/FailureText.h"
#include "sorting/Form1.h"
#include "sorting/RunOnFiles.h"
#include "support/Controls.h"
#include "support/RecordingLauncher.h"
#include "support/TemporaryTrash.h"

#include <QLabel>
#include <QMenu>
#include <QTableView>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// One column of the window's table, top to bottom.
QStringList Column(const QWidget* window, int column) {
    const QAbstractItemModel* model = ControlNamed<QTableView>(window, "EntryTable")->model();
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, column).data().toString());
    return texts;
}

} // namespace

class JournalWindowTest : public QObject {
    Q_OBJECT
    std::optional<TemporaryTrash> trash; // never the real home's

private Q_SLOTS:
    void init() { trash.emplace(); }

    // Selected rows go back with one click; a refused one says why, and the
    // others go back all the same.
    void takeBackThroughClicks() {
        Run r({"a.jpg", "b.jpg", "c.jpg", "d.jpg"});
        SendJournal journal(r.path("journal.sqlite"));
        r.run.setRecorder(&journal);
        for (int slot : {1, 1, 2, 2})
            r.run.send(slot);
        QFile::remove(r.slot(2) + "/c.jpg");
        JournalWindow window(journal, r.module);
        window.Form_Load();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy tookBack(&window, &JournalWindow::filesTakenBack);
        auto* button = ControlNamed<QWidget>(&window, "TakeBackButton");
        QVERIFY(!button->isEnabled()); // nothing selected
        auto* table = ControlNamed<QTableView>(&window, "EntryTable");
        for (int row : {1, 3}) // c.jpg, then a.jpg beside it
            QTest::mouseClick(table->viewport(), Qt::LeftButton,
                              row == 3 ? Qt::ControlModifier : Qt::NoModifier,
                              table->visualRect(table->model()->index(row, 2)).center());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(Files(r.path("src")) + Files(r.slot(1)), (QStringList{"a.jpg", "b.jpg"}));
        QCOMPARE(ControlNamed<QLabel>(&window, "ResultText")->text(),
                 "1件を取り消しました。\nc.jpg: 送り先にファイルがありません。");
        QCOMPARE(tookBack, QList<QVariantList>{{QStringList{r.slot(1) + "/a.jpg"}}});
        QCOMPARE(Column(&window, 1).first(), "取り消し");
        QCOMPARE(Column(&window, 6).last(), "取り消し済み");
    }

    // The program keeps the journal at the path it is given: the last item
    // of the options menu opens its window, during a run too, and a right
    // click's deletion is recorded. A journal that cannot be written leaves
    // the deletion done and says so in Label4.
    void composedWithTheMainWindow_data() {
        QTest::addColumn<bool>("writable");
        QTest::newRow("journal written") << true;
        QTest::newRow("a folder in the journal's place") << false;
    }
    void composedWithTheMainWindow() {
        QFETCH(bool, writable);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("photos"));
        QVERIFY(WriteFile(dir.filePath("photos/notes.txt"), "text"));
        const QString journalPath = dir.filePath("state/journal.sqlite");
        QVERIFY(writable || QDir().mkpath(journalPath));
        Module1 module;
        module.ProgramFolder = dir.path();
        ScriptedPrompts prompts;
        RecordingLauncher launcher;
        PictureSource pictures;
        Windows windows(module, prompts, launcher, pictures, journalPath);
        QVERIFY(windows.start(dir.filePath("photos/notes.txt")));
        Form1& main = windows.main();
        const auto journalFailed = [&] {
            return ControlNamed<QLabel>(&main, "Label4")->text() == JournalFailedText();
        };
        prompts.Answer(PromptAnswer::Ok);
        main.File1_MouseDown(MouseButton::Right);
        QVERIFY(Files(dir.filePath("photos")).isEmpty() && journalFailed() != writable);

        module.RunTime.SortingActive = 1;
        const QList<QAction*> items = ControlNamed<QMenu>(&main, "mnuOpt")->actions();
        QCOMPARE(items.last()->objectName(), "mnuJournal");
        items.last()->trigger();
        auto* window = main.findChild<JournalWindow*>();
        QVERIFY(window && window->isVisible());
        const QStringList rows = Column(window, 2) + Column(window, 1) + Column(window, 5);
        QCOMPARE(rows.join('/'), writable ? "notes.txt/削除/" : "");
        QCOMPARE(ControlNamed<QLabel>(window, "ResultText")->text(),
                 writable ? "実行中は取り消せません。" : "送りの履歴を開けませんでした。");
    }
};

QTEST_MAIN(JournalWindowTest)
#include "tst_journalwindow.moc"
