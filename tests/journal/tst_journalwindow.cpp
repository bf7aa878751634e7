// The journal's window through real clicks, and the journal as the program
// composes it: the menu item, and deletions recorded or, when the journal
// cannot be written, told in the main window.
#include "app/Windows.h"
#include "controls/FileList.h"
#include "controls/MouseButtons.h"
#include "imaging/PictureSource.h"
#include "journal/JournalWindow.h"
#include "settings/Module1.h"
#include "sorting/FailureText.h"
#include "sorting/Form1.h"
#include "sorting/RunOnFiles.h"
#include "support/RecordingLauncher.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include <memory>

using namespace sorvane;
using namespace sorvane::test;

namespace {

int Rows(const JournalWindow& window) {
    return window.EntryTable->model()->rowCount();
}

QStringList Column(const JournalWindow& window, int column) {
    QStringList texts;
    const QAbstractItemModel* model = window.EntryTable->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, column).data().toString());
    return texts;
}

void ClickRow(JournalWindow& window, int row, Qt::KeyboardModifiers modifiers = {}) {
    QTableView* table = window.EntryTable;
    const QRect cell = table->visualRect(table->model()->index(row, 2));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, modifiers, cell.center());
}

} // namespace

class JournalWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> data; // the trash, never the real home's
    PictureSource pictures;
    RecordingLauncher launcher;

    // Four sends: a.jpg and b.jpg to slot 1, c.jpg and d.jpg to slot 2.
    struct Sent : Run {
        SendJournal journal{path("journal.sqlite")};
        Sent() : Run({"a.jpg", "b.jpg", "c.jpg", "d.jpg"}) {
            run.setRecorder(&journal);
            for (int slot : {1, 1, 2, 2})
                run.send(slot);
        }
    };

private Q_SLOTS:
    void init() {
        data = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", data->path().toUtf8());
    }

    // Newest first; the folder, day and name filters narrow the list and
    // combine.
    void filtersNarrowTheList() {
        Sent s;
        JournalWindow window(s.journal, s.module);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(Column(window, 2), (QStringList{"d.jpg", "c.jpg", "b.jpg", "a.jpg"}));
        QCOMPARE(Column(window, 1), QStringList(4, "移動"));
        QCOMPARE(Column(window, 4).first(), s.slot(2));
        QTest::keyClick(window.FolderFilter, Qt::Key_Down); // the first folder: slot 1's
        QCOMPARE(window.FolderFilter->currentText(), s.slot(1));
        QCOMPARE(Column(window, 2), (QStringList{"b.jpg", "a.jpg"}));
        QTest::keyClicks(window.NameFilter, "A.");
        QCOMPARE(Column(window, 2), QStringList{"a.jpg"});
        window.NameFilter->clear();
        QTest::mouseClick(window.DayFilterOn, Qt::LeftButton);
        QCOMPARE(Rows(window), 2); // today's
        window.DayFilter->setDate(QDate::currentDate().addDays(-1));
        QCOMPARE(Rows(window), 0);
        QTest::mouseClick(window.DayFilterOn, Qt::LeftButton);
        QTest::keyClick(window.FolderFilter, Qt::Key_Up);
        QCOMPARE(Rows(window), 4);
    }

    // Selected rows go back with one click; a refused one says why, and the
    // others go back all the same.
    void takeBackThroughClicks() {
        Sent s;
        QVERIFY(QFile::remove(s.slot(2) + "/c.jpg"));
        JournalWindow window(s.journal, s.module);
        QSignalSpy tookBack(&window, &JournalWindow::filesTakenBack);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.TakeBackButton->isEnabled()); // nothing selected
        ClickRow(window, 1);                          // c.jpg
        ClickRow(window, 3, Qt::ControlModifier);     // a.jpg
        QVERIFY(window.TakeBackButton->isEnabled());
        QTest::mouseClick(window.TakeBackButton, Qt::LeftButton);
        QCOMPARE(Files(s.path("src")), QStringList{"a.jpg"});
        QCOMPARE(Files(s.slot(1)), QStringList{"b.jpg"});
        QCOMPARE(window.ResultText->text(),
                 "1件を取り消しました。\nc.jpg: 送り先にファイルがありません。");
        QCOMPARE(tookBack.size(), 1);
        QCOMPARE(tookBack.first().first().toStringList(), QStringList{s.slot(1) + "/a.jpg"});
        QCOMPARE(Column(window, 1).first(), "取り消し");
        QCOMPARE(Column(window, 6).last(), "取り消し済み");
    }

    // During a run the window opens but takes nothing back.
    void noTakeBackDuringARun() {
        Sent s;
        s.module.RunTime.SortingActive = 1;
        JournalWindow window(s.journal, s.module);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ClickRow(window, 0);
        QVERIFY(!window.TakeBackButton->isEnabled());
        QCOMPARE(window.ResultText->text(), "実行中は取り消せません。");
        window.takeBackSelected();
        QCOMPARE(Files(s.slot(2)), (QStringList{"c.jpg", "d.jpg"}));
        s.module.RunTime.SortingActive = 0; // the run ends with the window open
        QTRY_VERIFY(window.TakeBackButton->isEnabled());
        QCOMPARE(window.ResultText->text(), QString());
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
        if (!writable)
            QVERIFY(QDir().mkpath(journalPath));
        Module1 module;
        module.ProgramFolder = dir.path();
        ScriptedPrompts prompts;
        Windows windows(module, prompts, launcher, pictures, journalPath);
        QVERIFY(windows.start(dir.filePath("photos/notes.txt")));
        Form1& main = windows.main();
        prompts.Answer(PromptAnswer::Ok);
        main.File1_MouseDown(MouseButton::Right);
        QCOMPARE(Files(dir.filePath("photos")), QStringList());
        QCOMPARE(main.findChild<QLabel*>("Label4")->text() == JournalFailedText(), !writable);

        module.FolderSlots[BulkDeleteSlot] = dir.filePath("bulk");
        main.findChild<QAction*>("mnuFOL")->trigger();
        QWidget* setup = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "Form2")
                setup = top;
        QVERIFY(setup);
        prompts.Answer(PromptAnswer::Ok);
        QTest::mouseClick(setup->findChild<QPushButton*>("Command3"), Qt::LeftButton);
        QCOMPARE(Files(dir.filePath("bulk")), QStringList());
        setup->close();
        QCOMPARE(main.findChild<QLabel*>("Label4")->text() == JournalFailedText(), !writable);

        module.RunTime.SortingActive = 1;
        const QList<QAction*> items = main.findChild<QMenu*>("mnuOpt")->actions();
        QCOMPARE(items.last()->objectName(), "mnuJournal");
        items.last()->trigger();
        auto* window = main.findChild<JournalWindow*>();
        QVERIFY(window && window->isVisible());
        QCOMPARE(Column(*window, 2),
                 writable ? (QStringList{"old.jpg", "notes.txt"}) : QStringList());
        QCOMPARE(Column(*window, 1), writable ? QStringList(2, "削除") : QStringList());
        QCOMPARE(Column(*window, 5), writable ? (QStringList{"一括削除", ""}) : QStringList());
        QCOMPARE(window->ResultText->text(),
                 writable ? "実行中は取り消せません。" : "送りの履歴を開けませんでした。");
    }
};

QTEST_MAIN(JournalWindowTest)
#include "tst_journalwindow.moc"
