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

#include <QComboBox>
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

// Four sends (a.jpg and b.jpg to slot 1, c.jpg and d.jpg to slot 2) and the
// window over their journal, open.
struct Sent : Run {
    SendJournal journal{path("journal.sqlite")};
    JournalWindow window{journal, module};
    explicit Sent(const std::function<void(Sent&)>& beforeOpening = [](Sent&) {})
        : Run({"a.jpg", "b.jpg", "c.jpg", "d.jpg"}) {
        run.setRecorder(&journal);
        for (int slot : {1, 1, 2, 2})
            run.send(slot);
        beforeOpening(*this);
        window.Form_Load();
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
    }
    template <typename W = QWidget> W* control(const char* name) {
        return ControlNamed<W>(&window, name);
    }
    QString result() { return control<QLabel>("ResultText")->text(); }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
        auto* table = control<QTableView>("EntryTable");
        const QRect cell = table->visualRect(table->model()->index(row, 2));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, modifiers, cell.center());
    }
};

} // namespace

class JournalWindowTest : public QObject {
    Q_OBJECT
    std::optional<TemporaryTrash> trash; // never the real home's

private Q_SLOTS:
    void init() { trash.emplace(); }

    // Newest first, and the filters reach the journal (their rules are the
    // journal's own tests).
    void listsNewestFirstAndFilters() {
        Sent s;
        QCOMPARE(Column(&s.window, 2), (QStringList{"d.jpg", "c.jpg", "b.jpg", "a.jpg"}));
        QCOMPARE(Column(&s.window, 1), QStringList(4, "移動"));
        auto* folders = s.control<QComboBox>("FolderFilter");
        QTest::keyClick(folders, Qt::Key_Down); // the first folder: slot 1's
        QTest::keyClicks(s.control("NameFilter"), "A.");
        QCOMPARE(folders->currentText() + ": " + Column(&s.window, 2).join(' '),
                 s.slot(1) + ": a.jpg");
    }

    // Selected rows go back with one click; a refused one says why, and the
    // others go back all the same.
    void takeBackThroughClicks() {
        Sent s([](Sent& s) { QFile::remove(s.slot(2) + "/c.jpg"); });
        QSignalSpy tookBack(&s.window, &JournalWindow::filesTakenBack);
        auto* button = s.control("TakeBackButton");
        QVERIFY(!button->isEnabled());      // nothing selected
        s.clickRow(1);                      // c.jpg
        s.clickRow(3, Qt::ControlModifier); // a.jpg
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(Files(s.path("src")) + Files(s.slot(1)), (QStringList{"a.jpg", "b.jpg"}));
        QCOMPARE(s.result(), "1件を取り消しました。\nc.jpg: 送り先にファイルがありません。");
        QCOMPARE(tookBack, QList<QVariantList>{{QStringList{s.slot(1) + "/a.jpg"}}});
        QCOMPARE(Column(&s.window, 1).first(), "取り消し");
        QCOMPARE(Column(&s.window, 6).last(), "取り消し済み");
    }

    // During a run the window opens but takes nothing back.
    void noTakeBackDuringARun() {
        Sent s([](Sent& s) { s.module.RunTime.SortingActive = 1; });
        s.clickRow(0);
        QVERIFY(!s.control("TakeBackButton")->isEnabled());
        QCOMPARE(s.result(), "実行中は取り消せません。");
        s.window.takeBackSelected();
        QCOMPARE(Files(s.slot(2)), (QStringList{"c.jpg", "d.jpg"}));
        s.module.RunTime.SortingActive = 0; // the run ends with the window open
        QTRY_VERIFY(s.control("TakeBackButton")->isEnabled());
        QCOMPARE(s.result(), QString());
    }

    // The program keeps the journal at the path it is given: the last item
    // of the options menu opens its window, during a run too, and a right
    // click's deletion and the bulk delete are recorded. A journal that
    // cannot be written leaves the deletion done and says so in Label4.
    void composedWithTheMainWindow_data() {
        QTest::addColumn<bool>("writable");
        QTest::newRow("journal written") << true;
        QTest::newRow("a folder in the journal's place") << false;
    }
    void composedWithTheMainWindow() {
        QFETCH(bool, writable);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("photos") && QDir(dir.path()).mkpath("bulk"));
        QVERIFY(WriteFile(dir.filePath("photos/notes.txt"), "text"));
        QVERIFY(WriteFile(dir.filePath("bulk/old.jpg"), "old"));
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
        module.FolderSlots[BulkDeleteSlot] = dir.filePath("bulk");
        ControlNamed<QAction>(&main, "mnuFOL")->trigger();
        prompts.Answer(PromptAnswer::Ok);
        ClickControl(OpenWindow("Form2"), "Command3");
        OpenWindow("Form2")->close();
        QVERIFY(Files(dir.filePath("bulk")).isEmpty() && journalFailed() != writable);

        module.RunTime.SortingActive = 1;
        const QList<QAction*> items = ControlNamed<QMenu>(&main, "mnuOpt")->actions();
        QCOMPARE(items.last()->objectName(), "mnuJournal");
        items.last()->trigger();
        auto* window = main.findChild<JournalWindow*>();
        QVERIFY(window && window->isVisible());
        const QStringList rows = Column(window, 2) + Column(window, 1) + Column(window, 5);
        QCOMPARE(rows.join('/'), writable ? "old.jpg/notes.txt/削除/削除/一括削除/" : "");
        QCOMPARE(ControlNamed<QLabel>(window, "ResultText")->text(),
                 writable ? "実行中は取り消せません。" : "送りの履歴を開けませんでした。");
    }
};

QTEST_MAIN(JournalWindowTest)
#include "tst_journalwindow.moc"
