// Sorting runs, sends and undo through the real window, on real files.
#include "sorting/Form1Fixture.h"

#include "controls/FileList.h"
#include "support/TestFiles.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// Numbers of the settings line: copy mode and same-name question as given.
QByteArray Options(bool copyMode, bool confirmSameName) {
    return QByteArray("0,1,0,1,0,0,0,") + (copyMode ? "1," : "0,") + (confirmSameName ? "1" : "0") +
           ",0,0";
}

void PressSlot(Form1Fixture& f, int index) {
    QTest::mousePress(f.ui().Command4[size_t(index)], Qt::LeftButton);
    QTest::mouseRelease(f.ui().Command4[size_t(index)], Qt::LeftButton);
}

QStringList Files(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class Form1SendingTest : public QObject {
    Q_OBJECT
private slots:
    void runStartsAndStops() {
        Form1Fixture f;
        f.StartWith({"a.jpg", "b.jpg"});
        Form1& w = *f.window;
        QVERIFY(!f.ui().Command4[3]->isEnabled());
        w.Command1_Click();
        QCOMPARE(f.module.SortingActive, 1);
        QCOMPARE(f.ui().Command1->text(), QStringLiteral("キャンセル"));
        QVERIFY(f.ui().File1->isHidden());
        QVERIFY(!f.ui().Command2->isEnabled());
        QVERIFY(f.ui().Command4[3]->isEnabled());
        QVERIFY(!f.ui().Command4[10]->isEnabled()); // nothing to undo yet
        QVERIFY(f.ui().FocusSink->hasFocus());
        QCOMPARE(f.ui().Label2[0]->text(), QStringLiteral("a.jpg"));
        QCOMPARE(w.currentImagePath(), f.Path("src/a.jpg"));
        w.Command1_Click();
        QCOMPARE(f.module.SortingActive, 0);
        QCOMPARE(f.ui().Command1->text(), QStringLiteral("実行"));
        QVERIFY(f.ui().File1->isVisible());
        QVERIFY(!f.ui().Command4[3]->isEnabled());
    }

    void elevenSendsThenTenUndos() {
        Form1Fixture f;
        QStringList names;
        for (int i = 0; i < 11; ++i)
            names << QStringLiteral("f%1.jpg").arg(i, 2, 10, QChar(u'0'));
        f.StartWith(names);
        f.window->Command1_Click();
        for (int i = 0; i < 11; ++i)
            PressSlot(f, i % 10);
        QVERIFY(Files(f.Path("src")).isEmpty());
        QCOMPARE(Files(f.Slot(0)), (QStringList{"f00.jpg", "f10.jpg"}));
        QCOMPARE(f.ui().Label4->text(), f.Slot(0) + QStringLiteral("に移動します。"));
        QCOMPARE(f.ui().Label6->text(), QStringLiteral("0 File"));
        QCOMPARE(f.window->History().Size(), 10);
        for (int i = 0; i < 10; ++i)
            PressSlot(f, 10);
        QCOMPARE(Files(f.Path("src")), names.mid(1));
        QCOMPARE(Files(f.Slot(0)), QStringList{"f00.jpg"});
        QVERIFY(!f.ui().Command4[10]->isEnabled());
        QCOMPARE(f.ui().Label2[0]->text(), QStringLiteral("f01.jpg"));
        QCOMPARE(f.ui().Label6->text(), QStringLiteral("10 File"));
    }

    void copyModeKeepsTheSourceAndUndoRemovesTheCopy() {
        Form1Fixture f;
        f.StartWith({"a.jpg", "b.jpg"}, Options(true, false));
        const QByteArray original = ReadFile(f.Path("src/a.jpg"));
        f.window->Command1_Click();
        QVERIFY(f.ui().File1->isHidden()); // copy mode never uses the extend layouts
        PressSlot(f, 2);
        QCOMPARE(ReadFile(f.Slot(2) + "/a.jpg"), original);
        QCOMPARE(f.ui().Label2[0]->text(), QStringLiteral("a.jpg")); // still first
        PressSlot(f, 10);
        QVERIFY(!QFile::exists(f.Slot(2) + "/a.jpg"));
        QCOMPARE(ReadFile(f.Path("src/a.jpg")), original);
    }

    void copyModeIntoTheBulkDeleteFolderMoves() {
        Form1Fixture f;
        f.StartWith({"a.jpg"}, Options(true, false));
        f.module.FolderSlots[4] = f.module.FolderSlots[10];
        f.window->Command1_Click();
        PressSlot(f, 4);
        QVERIFY(!QFile::exists(f.Path("src/a.jpg")));
        QVERIFY(QFile::exists(f.Slot(10) + "/a.jpg"));
    }

    void sameNameIsAskedAndAnswered() {
        Form1Fixture f;
        f.StartWith({"a.jpg", "b.jpg", "c.jpg"}, Options(false, true));
        WriteFile(f.Slot(1) + "/a.jpg", "older a");
        WriteFile(f.Slot(1) + "/B.jpg", "a different name on this file system");
        f.window->Command1_Click();
        f.prompts.Answer(PromptAnswer::Cancel);
        PressSlot(f, 1);
        QCOMPARE(f.prompts.asked.size(), 1);
        QCOMPARE(f.prompts.asked[0].text, QStringLiteral("同名のファイルがあります移動しますか？"));
        QCOMPARE(f.prompts.asked[0].buttons, PromptButtons::OkCancel);
        QCOMPARE(f.prompts.asked[0].title, QStringLiteral("Sorvane"));
        QCOMPARE(ReadFile(f.Slot(1) + "/a.jpg"), QByteArray("older a"));
        QVERIFY(QFile::exists(f.Path("src/a.jpg")));
        QVERIFY(f.window->History().IsEmpty());
        QVERIFY(f.ui().Command4[1]->isEnabled()); // the slot is live again after a cancel
        f.prompts.Answer(PromptAnswer::Ok);
        PressSlot(f, 1);
        QVERIFY(!QFile::exists(f.Path("src/a.jpg")));
        QVERIFY(ReadFile(f.Slot(1) + "/a.jpg").startsWith("\xff\xd8"));
        PressSlot(f, 1); // b.jpg: only B.jpg there, no question
        QCOMPARE(f.prompts.asked.size(), 2);
        QCOMPARE(Files(f.Slot(1)), (QStringList{"B.jpg", "a.jpg", "b.jpg"}));
    }

    void readOnlySourceIsSent() {
        Form1Fixture f;
        f.StartWith({"a.jpg"});
        QFile::setPermissions(f.Path("src/a.jpg"), QFile::ReadOwner);
        f.window->Command1_Click();
        PressSlot(f, 0);
        QVERIFY(QFile::exists(f.Slot(0) + "/a.jpg"));
        QVERIFY(QFile::permissions(f.Slot(0) + "/a.jpg") & QFile::WriteOwner);
    }

    void failedSendsLeaveEveryFileAndRecordNothing_data() {
        QTest::addColumn<QString>("failure");
        QTest::newRow("destination folder gone") << "folder";
        QTest::newRow("source gone") << "source";
        QTest::newRow("destination refuses the name") << "refused";
    }
    void failedSendsLeaveEveryFileAndRecordNothing() {
        QFETCH(QString, failure);
        Form1Fixture f;
        f.StartWith({"a.jpg", "b.jpg"});
        f.window->Command1_Click();
        if (failure == "folder")
            QDir(f.Slot(5)).removeRecursively();
        else if (failure == "source")
            QFile::remove(f.Path("src/a.jpg"));
        else
            QDir().mkpath(f.Slot(5) + "/a.jpg"); // a folder of that name
        PressSlot(f, 5);
        QVERIFY(f.prompts.asked.isEmpty());
        QVERIFY(f.window->History().IsEmpty());
        QVERIFY(!f.ui().Command4[10]->isEnabled());
        QVERIFY(f.ui().Command4[5]->isEnabled());
        QCOMPARE(f.ui().Label1[5]->palette().color(QPalette::Window),
                 f.ui().Label1[4]->palette().color(QPalette::Window));
        QVERIFY(QFile::exists(f.Path("src/b.jpg")));
        QCOMPARE(QFile::exists(f.Path("src/a.jpg")), failure != "source");
        if (failure == "source") // a file that vanished leaves the list
            QCOMPARE(f.ui().Label2[0]->text(), QStringLiteral("b.jpg"));
    }

    void failedCopyOverASameNamedFileCannotBeUndoneIntoLoss() {
        // A disk that fills up: the copy fails while the destination holds
        // another file of that name. Nothing is recorded, so no undo can
        // overwrite the source with that other file.
        Form1Fixture f;
        f.StartWith({}, Options(true, false));
        WriteFile(f.Path("src/a.jpg"), QByteArray(4096, 's'));
        WriteFile(f.Slot(6) + "/a.jpg", "other");
        f.ui().File1->refresh();
        f.window->Command1_Click();
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit saved;
        ::getrlimit(RLIMIT_FSIZE, &saved);
        rlimit tiny = saved;
        tiny.rlim_cur = 1024;
        ::setrlimit(RLIMIT_FSIZE, &tiny);
        PressSlot(f, 6);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(f.window->History().IsEmpty());
        QTest::keyClick(f.ui().FocusSink, Qt::Key_Return);
        QCOMPARE(ReadFile(f.Path("src/a.jpg")), QByteArray(4096, 's'));
        QCOMPARE(ReadFile(f.Slot(6) + "/a.jpg"), QByteArray("other"));
        QCOMPARE(Files(f.Slot(6)), QStringList{"a.jpg"}); // no temporary left behind
    }

    void enterOnTheFocusButtonUndoesAlsoOutsideARun() {
        Form1Fixture f;
        f.StartWith({"a.jpg", "b.jpg"});
        f.window->Command1_Click();
        PressSlot(f, 7);
        PressSlot(f, 8);
        QTest::keyClick(f.ui().FocusSink, Qt::Key_Return);
        QVERIFY(QFile::exists(f.Path("src/b.jpg")));
        f.window->Command1_Click(); // stop
        QVERIFY(!f.ui().Command4[10]->isEnabled());
        f.ui().FocusSink->setFocus();
        QTest::keyClick(f.ui().FocusSink, Qt::Key_Return);
        QVERIFY(QFile::exists(f.Path("src/a.jpg")));
        QVERIFY(f.window->History().IsEmpty());
        QTest::keyClick(f.ui().FocusSink, Qt::Key_Return); // empty history: nothing
        QCOMPARE(Files(f.Path("src")), (QStringList{"a.jpg", "b.jpg"}));
    }

    void restartingWithHistoryEnablesUndo() {
        Form1Fixture f;
        f.StartWith({"a.jpg"});
        f.window->Command1_Click();
        PressSlot(f, 0);
        f.window->Command1_Click();
        f.window->Command1_Click();
        QVERIFY(f.ui().Command4[10]->isEnabled());
    }

    void closeButtonSavesAndCloses() {
        Form1Fixture f;
        f.StartWith({});
        QFile::remove(f.Path("program/Sorvane.ini"));
        QTest::mouseClick(f.ui().Command2, Qt::LeftButton);
        QVERIFY(!f.window->isVisible());
        QVERIFY(QFile::exists(f.Path("program/Sorvane.ini")));
    }
};

QTEST_MAIN(Form1SendingTest)
#include "tst_form1_sending.moc"
