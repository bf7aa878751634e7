// Choosing the source folder and acting on the file list, through the real window.
#include "sorting/Form1Fixture.h"

#include "controls/DirList.h"
#include "controls/FileList.h"
#include "controls/StatusPanels.h"
#include "support/TestFiles.h"

#include <QComboBox>
#include <QLabel>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

QPoint RowCentre(FileList* list, int row) {
    return list->visualRect(list->model()->index(row, 0)).center();
}

} // namespace

class Form1BrowsingTest : public QObject {
    Q_OBJECT
private slots:
    void folderChangeUpdatesPathAndCountsTogether() {
        Form1Fixture f;
        f.StartWith({"a.txt"});
        const QString other = f.MakeFolder("other");
        for (int i = 0; i < 25; ++i)
            WriteFile(f.Path(QStringLiteral("other/f%1.txt").arg(i)), "x");
        WriteFile(f.Path("other/.hidden"), "x");
        QVERIFY(f.ui().Dir1->setPath(other));
        QCOMPARE(f.module.SourceFolder, other);
        QCOMPARE(f.ui().Label3->text(), other);
        QCOMPARE(f.ui().StatusBar1->text(1), u' ' + other + u' ');
        QCOMPARE(f.ui().Label6->text(), QStringLiteral("25 File"));
        QCOMPARE(f.ui().StatusBar1->text(3), QStringLiteral(" 25 File "));
    }

    void driveThatCannotBeListedAsksToRetry() {
        Form1Fixture f;
        f.StartWith({});
        QComboBox* drives = f.ui().Drive1;
        const QString before = drives->currentText();
        drives->addItem(f.Path("unplugged")); // a mount point that is not there
        f.prompts.Answer(PromptAnswer::Retry);
        f.prompts.Answer(PromptAnswer::Cancel);
        drives->setCurrentIndex(drives->count() - 1);
        QCOMPARE(f.prompts.asked.size(), 2); // asked again after Retry
        QCOMPARE(f.prompts.asked[0].buttons, PromptButtons::RetryCancel);
        QCOMPARE(f.prompts.asked[0].icon, PromptIcon::Information);
        QCOMPARE(f.prompts.asked[0].title, QStringLiteral("Sorvane"));
        QVERIFY(!f.prompts.asked[0].text.isEmpty()); // the system's description
        QCOMPARE(drives->currentText(), before);
        QCOMPARE(f.ui().Dir1->path(), f.Path("src"));
    }

    void doubleClickOnAFolderOpensIt() {
        Form1Fixture f;
        f.StartWith({});
        f.MakeFolder("src/inner");
        f.ui().Dir1->refresh();
        const auto items = f.ui().Dir1->findItems(QStringLiteral("inner"), Qt::MatchEndsWith);
        QCOMPARE(items.size(), 1);
        f.ui().Dir1->scrollToItem(items[0]);
        QWidget* viewport = f.ui().Dir1->viewport();
        const QPoint at = f.ui().Dir1->visualItemRect(items[0]).center();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
        QCOMPARE(f.module.SourceFolder, f.Path("src")); // one click only selects
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
        QCOMPARE(f.module.SourceFolder, f.Path("src/inner"));
    }

    void rightPressDeletesOnlyAfterOk() {
        Form1Fixture f;
        f.StartWith({"a.txt", "b.txt"});
        FileList* list = f.ui().File1;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowCentre(list, 1));
        f.prompts.Answer(PromptAnswer::Cancel);
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, RowCentre(list, 0));
        QCOMPARE(f.prompts.asked.last().title, QStringLiteral("アテンション"));
        QCOMPARE(f.prompts.asked.last().text,
                 QStringLiteral("b.txtを削除しようとしています。\r\n削除しますか？"));
        QCOMPARE(f.prompts.asked.last().buttons, PromptButtons::OkCancel);
        QVERIFY(QFile::exists(f.Path("src/b.txt")));
        f.prompts.Answer(PromptAnswer::Ok); // the selection, not the row under the pointer
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, RowCentre(list, 0));
        QVERIFY(!QFile::exists(f.Path("src/b.txt")));
        QVERIFY(QFile::exists(f.Path("src/a.txt")));
        QCOMPARE(list->count(), 1);
        QCOMPARE(f.ui().Label6->text(),
                 QStringLiteral("2 File")); // counts wait for the next refresh
    }

    void rightPressWithoutSelectionDeletesNothing() {
        Form1Fixture f;
        f.StartWith({"a.txt"});
        f.prompts.Answer(PromptAnswer::Ok);
        f.window->File1_MouseDown(2);
        QCOMPARE(f.prompts.asked.size(), 1);
        QCOMPARE(f.prompts.asked[0].text,
                 QStringLiteral("を削除しようとしています。\r\n削除しますか？"));
        QVERIFY(QFile::exists(f.Path("src/a.txt")));
        QCOMPARE(f.prompts.asked.size(), 1);
    }

    void deletingAFileAlreadyGone() {
        Form1Fixture f;
        f.StartWith({"a.txt"});
        f.ui().File1->setListIndex(0);
        QFile::remove(f.Path("src/a.txt"));
        f.prompts.Answer(PromptAnswer::Ok);
        f.window->File1_MouseDown(2);
        QCOMPARE(f.prompts.asked.size(), 1); // a missing file in an existing folder: silent
        QDir(f.Path("src")).removeRecursively();
        f.prompts.Answer(PromptAnswer::Ok);
        f.window->File1_MouseDown(2);
        QCOMPARE(f.prompts.asked.last().text, QStringLiteral("ファイルが見つかりません。"));
    }

    void doubleClickRemembersTheViewerFile() {
        Form1Fixture f;
        f.StartWith({"a.jpg", "b.jpg", "c.jpg"});
        QSignalSpy viewer(f.window.get(), &Form1::viewerRequested);
        FileList* list = f.ui().File1;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowCentre(list, 2));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, RowCentre(list, 2));
        QCOMPARE(f.module.ViewerFileName, QStringLiteral("c.jpg"));
        QCOMPARE(f.module.ViewerFileIndex, 2);
        QCOMPARE(viewer.count(), 1);
    }

    void browsingIsIgnoredDuringARun() {
        Form1Fixture f;
        f.StartWith({"a.jpg", "b.jpg"});
        f.window->Command1_Click();
        f.prompts.Answer(PromptAnswer::Ok);
        f.ui().File1->setListIndex(1);
        f.window->File1_MouseDown(2);
        f.window->File1_DblClick();
        QVERIFY(f.ui().Dir1->setPath(f.Slot(0)));
        QVERIFY(f.prompts.asked.isEmpty());
        QVERIFY(QFile::exists(f.Path("src/b.jpg")));
        QCOMPARE(f.module.ViewerFileName, QString());
        QCOMPARE(f.module.SourceFolder, f.Path("src"));
    }
};

QTEST_MAIN(Form1BrowsingTest)
#include "tst_form1_browsing.moc"
