// The main window outside a sorting run: start-up and close, the source
// folder, the file list and the preview, and the layout.
#include "sorting/Form1Fixture.h"

#include "controls/DirList.h"
#include "controls/FileList.h"
#include "controls/ImageBox.h"
#include "controls/StatusPanels.h"
#include "controls/Twips.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsLine.h"
#include "support/TestFiles.h"
#include "support/Views.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

void PressRow(Form1Fixture& f, int row, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(f.ui().File1->viewport(), button, {}, RowCentre(f.ui().File1, row));
}

QRect Px(float left, float top, float width, float height) {
    return Twips(96).toPixels(QRectF(left, top, width, height));
}

} // namespace

class Form1BrowsingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsWithoutSettingsAndSavesThemAtClose() {
        Form1Fixture f;
        QVERIFY(f.Load());
        QCOMPARE(f.ui().Command4[9]->text(), QStringLiteral("/"));
        QVERIFY(f.Show());
        f.window->close();
        Module1 saved;
        saved.ProgramFolder = f.module.ProgramFolder;
        QCOMPARE(LoadSettingsFile(saved), LoadOutcome::Loaded);
        QCOMPARE(saved.FolderSlots[10], QStringLiteral("/"));
        QCOMPARE(saved.WindowWidth + saved.WindowHeight, QStringLiteral("87758040"));
    }

    void shortSettingsFileEndsTheProgramUnseen() {
        Form1Fixture f;
        WriteFile(SettingsFilePath(f.module), "\"/\",\"/\"\r\n");
        QVERIFY(!f.Load());
        QVERIFY(!f.window->isVisible());
    }

    void startUpAppliesTheSettings() {
        Form1Fixture f;
        Module1 s = f.Settings();
        s.RememberWindowSize = 1;
        s.WindowLeft = 3000;
        s.WindowTop = 1500;
        s.WindowWidth = QStringLiteral("9600");
        s.WindowHeight = QStringLiteral("8700");
        s.FolderSlots[0] = f.MakeFolder("Sorted/Cats");
        s.FolderSlots[1] = f.MakeFolder("写真/猫");
        s.FolderSlots[2] = f.Path("gone");
        QVERIFY(f.StartWith({"1.txt", "2.txt", ".hidden"}, s));
        QCOMPARE(f.window->pos(), QPoint(200, 100));
        QCOMPARE(f.window->OuterTwips().size(), QSizeF(9600, 8700));
        QCOMPARE(f.ui().Command4[0]->text(), QStringLiteral("Cats"));
        QCOMPARE(f.ui().Command4[1]->text(), QStringLiteral("猫"));
        QCOMPARE(f.ui().Command4[2]->text(), QStringLiteral("/"));
        QCOMPARE(f.ui().Dir1->path(), f.Path("src"));
        QCOMPARE(f.ui().Label3->text(), f.Path("src"));
        QCOMPARE(f.ui().StatusBar1->text(1), u' ' + f.Path("src") + u' ');
        QCOMPARE(f.ui().StatusBar1->text(3), QStringLiteral(" 2 File "));
    }

    void startUpStopsEarlyOnABadNumber() {
        Form1Fixture f;
        Module1 s = f.Settings();
        s.CopyMode = 1;
        s.WindowLeft = 12345; // the last field
        WriteFile(SettingsFilePath(s), FormatSettingsLine(s).replace("12345", "x"));
        QVERIFY(f.Load());
        QCOMPARE(f.ui().Command4[4]->text(), QString()); // the slots were never captioned
        QVERIFY(f.ui().Label8->isHidden());              // nor copy mode shown
        QVERIFY(f.prompts.asked.isEmpty());
    }

    // The folder last sorted was emptied and deleted: the lists open on what
    // is left of its path, and start-up completes.
    void goneSourceFolderOpensItsNearestAncestor() {
        Form1Fixture f;
        Module1 s = f.Settings();
        s.SourceFolder = f.Path("src/done/2026");
        s.CopyMode = 1;
        QVERIFY(f.StartWith({"a.jpg"}, s));
        QCOMPARE(f.ui().Dir1->path(), f.Path("src"));
        QCOMPARE(f.module.SourceFolder, f.Path("src"));
        QCOMPARE(f.ui().Command4[4]->text(), QStringLiteral("slot4"));
        QVERIFY(f.ui().Label8->isVisible());
        f.window->Command1_Click();
        QTest::keyClick(f.ui().FocusSink, Qt::Key_4); // key preview is on
        QCOMPARE(Files(f.Slot(4)), QStringList{"a.jpg"});
        QVERIFY(f.prompts.asked.isEmpty());
    }

    // Space browses from the first press; slot digits show whole in a short
    // label; the lock panels follow the keyboard.
    void startsReadyToBrowse() {
        Form1Fixture f;
        QVERIFY(f.StartWith({"a.jpg", "b.jpg"}));
        QTRY_COMPARE(QApplication::focusWidget(), f.ui().FocusSink);
        QCOMPARE(f.ui().Label1[0]->alignment(), Qt::AlignHCenter | Qt::AlignTop);
        KeyboardLocks locks{true, false};
        f.ui().StatusBar1->setLockReader([&locks] { return locks; });
        QVERIFY(f.ui().StatusBar1->panel(5)->isEnabled() &&
                !f.ui().StatusBar1->panel(6)->isEnabled());
        locks = {false, true};
        QTest::keyClick(f.ui().FocusSink, Qt::Key_NumLock);
        QVERIFY(!f.ui().StatusBar1->panel(5)->isEnabled() &&
                f.ui().StatusBar1->panel(6)->isEnabled());
    }

    void copyModeIndicatorBlinks() {
        Form1Fixture f;
        Module1 s = f.Settings();
        s.CopyMode = 1;
        QVERIFY(f.StartWith({}, s));
        QCOMPARE(f.ui().Timer1->interval(), 500);
        QTRY_VERIFY_WITH_TIMEOUT(f.ui().Label8->isHidden(), 2000);
        QTRY_VERIFY_WITH_TIMEOUT(f.ui().Label8->isVisible(), 2000);
    }

    void failedSaveIsReported() {
        Form1Fixture f;
        QVERIFY(f.Load());
        QDir(f.Path("program")).removeRecursively(); // nowhere to write the file
        f.window->close();
        QCOMPARE(f.prompts.asked.size(), 1);
        QVERIFY(f.prompts.asked[0].text.startsWith(
            QStringLiteral("設定ファイルを保存できませんでした。")));
    }

    void folderChangesByDoubleClickAndDrive() {
        Form1Fixture f;
        QVERIFY(f.StartWith({}));
        WriteFile(f.MakeFolder("src/inner") + "/a.txt", "x");
        f.ui().Dir1->refresh();
        const auto items = f.ui().Dir1->findItems(QStringLiteral("inner"), Qt::MatchEndsWith);
        QCOMPARE(items.size(), 1);
        const QPoint at = f.ui().Dir1->visualItemRect(items[0]).center();
        QTest::mouseClick(f.ui().Dir1->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(f.module.SourceFolder, f.Path("src")); // one click only selects
        QTest::mouseDClick(f.ui().Dir1->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(f.module.SourceFolder, f.Path("src/inner"));
        QCOMPARE(f.ui().Label3->text(), f.Path("src/inner"));
        QCOMPARE(f.ui().Label6->text(), QStringLiteral("1 File"));
        // A drive that cannot be listed: asked again after Retry, then put back.
        QComboBox* drives = f.ui().Drive1;
        const QString before = drives->currentText();
        drives->addItem(f.Path("unplugged"));
        f.prompts.Answer(PromptAnswer::Retry);
        drives->setCurrentIndex(drives->count() - 1);
        QCOMPARE(f.prompts.asked.size(), 2);
        QCOMPARE(f.prompts.asked[0].buttons, PromptButtons::RetryCancel);
        QCOMPARE(f.prompts.asked[0].icon, PromptIcon::Information);
        QCOMPARE(drives->currentText(), before);
        QCOMPARE(f.ui().Dir1->path(), f.Path("src/inner"));
    }

    void rightPressDeletesTheSelectedFileAfterOk() {
        Form1Fixture f;
        QVERIFY(f.StartWith({"a.txt", "b.txt"}));
        PressRow(f, 1);
        PressRow(f, 0, Qt::RightButton); // Cancel
        QCOMPARE(f.prompts.asked.last().title, QStringLiteral("アテンション"));
        QCOMPARE(f.prompts.asked.last().text,
                 QStringLiteral("b.txtを削除しようとしています。\r\n削除しますか？"));
        QCOMPARE(f.prompts.asked.last().buttons, PromptButtons::OkCancel);
        f.prompts.Answer(PromptAnswer::Ok); // the selection, not the row under the pointer
        PressRow(f, 0, Qt::RightButton);
        QCOMPARE(Files(f.Path("src")), QStringList{"a.txt"});
        QCOMPARE(f.ui().Label6->text(), QStringLiteral("2 File")); // counts wait for a refresh
        QDir(f.Path("src")).removeRecursively();
        f.prompts.Answer(PromptAnswer::Ok);
        PressRow(f, 0, Qt::RightButton);
        QCOMPARE(f.prompts.asked.last().text, QStringLiteral("ファイルが見つかりません。"));
    }

    void doubleClickAsksForTheViewer() {
        Form1Fixture f;
        QVERIFY(f.StartWith({"a.jpg", "b.jpg", "c.jpg"}));
        QSignalSpy viewer(f.window.get(), &Form1::viewerRequested);
        PressRow(f, 2);
        QTest::mouseDClick(f.ui().File1->viewport(), Qt::LeftButton, {},
                           RowCentre(f.ui().File1, 2));
        QCOMPARE(f.module.ViewerFileName, QStringLiteral("c.jpg"));
        QCOMPARE(f.module.ViewerFileIndex, 2);
        QCOMPARE(viewer.count(), 1);
    }

    void leftPressShowsThePictureFitted() {
        Form1Fixture f;
        QVERIFY(f.StartWith({}));
        WriteImage(f.Path("src/a.jpg"), QSize(1600, 1200), "JPEG");
        f.ui().File1->refresh();
        PressRow(f, 0);
        QCOMPARE(f.ui().Image1->geometry(), QRect(104, 0, 369, 277));
        QCOMPARE(f.ui().Label7->text(), QStringLiteral(" 1600X1200 Pixel "));
        QCOMPARE(f.ui().StatusBar1->text(2), QStringLiteral(" a.jpg "));
        const QImage onScreen = f.ui().Image1->grab().toImage();
        const QColor middle =
            onScreen.pixelColor(onScreen.width() * 3 / 4, onScreen.height() * 3 / 4);
        QVERIFY2(qAbs(middle.blue() - 200) < 20 && middle.red() < 70, qPrintable(middle.name()));
    }

    void leftPressReportsABrokenFileAndOpensOthersWhenAsked() {
        Form1Fixture f;
        Module1 s = f.Settings();
        s.LaunchByAssociation = 1;
        QVERIFY(f.StartWith({"a b.txt", "x.jpg"}, s));
        WriteFile(f.Path("src/x.jpg"), "not a picture");
        PressRow(f, 1);
        QCOMPARE(f.prompts.asked.last().text,
                 QStringLiteral("x.jpgはファイルが壊れています\r\n処理を中止します。"));
        QVERIFY(f.ui().Image1->isHidden());
        PressRow(f, 0);
        QCOMPARE(f.launcher.started, QStringList{f.Path("src/a b.txt")});
        QCOMPARE(f.ui().Label4->text(), QStringLiteral("/usr/bin/editor"));
        f.launcher.startSucceeds = false;
        PressRow(f, 0);
        QCOMPARE(f.ui().Label4->text(),
                 QStringLiteral("関連付けられた実行ファイルを、起動出来ませんでした。"));
        f.ui().File1->setListIndex(-1); // nothing selected, and a press below the rows
        QWidget* listArea = f.ui().File1->viewport();
        QTest::mouseClick(listArea, Qt::LeftButton, {}, QPoint(5, listArea->height() - 5));
        QCOMPARE(f.launcher.started.size(), 2);
    }

    void previewShowsTheSubstituteOrReportsAMissingFolder() {
        Form1Fixture f;
        QVERIFY(f.StartWith({"x.jpg"}));
        WriteFile(f.Path("src/x.jpg"), "not a picture");
        f.window->RefreshPreview();
        QCOMPARE(f.ui().Label7->text(), QStringLiteral(" 320X240 Pixel ")); // Error.jpg
        QVERIFY(f.prompts.asked.isEmpty());
        QDir(f.Path("src")).removeRecursively();
        f.ui().File1->setListIndex(0);
        f.window->ShowSelectedFile();
        QCOMPARE(f.prompts.asked.last().text, QStringLiteral("ファイルが見つかりません。"));
        QCOMPARE(f.ui().Picture1->cursor().shape(), Qt::ArrowCursor); // busy pointer undone
    }

    void previewClicksStepThroughTheList() {
        Form1Fixture f;
        QVERIFY(f.StartWith({"a.jpg", "b.jpg", "c.jpg"}));
        for (int i = 0; i < 4; ++i) // from no selection to the first, and it stays on the last
            QTest::mouseClick(f.ui().Picture1, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(f.window->currentImagePath(), f.Path("src/c.jpg"));
        QTest::mouseClick(f.ui().Image1, Qt::RightButton, {}, QPoint(2, 2));
        QCOMPARE(f.ui().File1->listIndex(), 1);
        QCOMPARE(f.ui().StatusBar1->text(2), QStringLiteral(" b.jpg "));
        f.window->Command1_Click(); // during a run clicks change nothing
        QTest::mouseClick(f.ui().Image1, Qt::RightButton, {}, QPoint(2, 2));
        QCOMPARE(f.ui().File1->listIndex(), 1);
    }

    void arrangementsOfARun_data() {
        QTest::addColumn<int>("extend"); // 0 off, 1 row, 2 column
        QTest::addColumn<QRect>("box");
        QTest::addColumn<QRect>("slot3");
        QTest::newRow("ordinary") << 0 << Px(0, 2900, 8655, 4150) << Px(2636.5f, 1920, 845.5f, 375);
        QTest::newRow("extend row")
            << 1 << Px(0, 1200, 8655, 5850) << Px(2636.5f, 240, 845.5f, 375);
        QTest::newRow("extend column")
            << 2 << Px(0, 0, 7155, 7050) << Px(7255, 2504.5454f, 1300, 375);
    }
    void arrangementsOfARun() {
        QFETCH(int, extend);
        QFETCH(QRect, box);
        QFETCH(QRect, slot3);
        Form1Fixture f;
        Module1 s = f.Settings();
        s.ExtendMode = extend > 0;
        s.VerticalButtons = extend == 2;
        QVERIFY(f.StartWith({"a.jpg"}, s));
        f.window->Command1_Click();
        QCOMPARE(f.module.RunLayout, extend);
        QCOMPARE(f.ui().Picture1->geometry(), box);
        QCOMPARE(f.ui().Command4[3]->geometry(), slot3);
        QCOMPARE(f.ui().Label3->isVisible(), extend != 2);
        QCOMPARE(f.ui().Label7->text(), QStringLiteral(" 64X48 Pixel ")); // refitted
        f.window->Command1_Click();
        QCOMPARE(f.ui().Picture1->geometry(), Px(0, 2900, 8655, 4150));
        QCOMPARE(f.ui().Command4[3]->y(), Px(0, 1920, 1, 1).y());
        QVERIFY(f.ui().File1->isVisible() && f.ui().Label3->isVisible());
    }

    void resizingRefitsTheCurrentFile() {
        Form1Fixture f;
        QVERIFY(f.StartWith({}));
        Form1& w = *f.window;
        w.resize(w.width() + 150, w.height() + 60); // nothing shown yet: the view size
        QCOMPARE(f.ui().Label5->text(), QStringLiteral(" 727X337 Pixel "));
        WriteImage(f.Path("src/big.jpg"), QSize(1600, 1200), "JPEG");
        f.ui().File1->refresh();
        PressRow(f, 0);
        const int before = f.ui().Image1->height();
        w.resize(w.width() + 300, w.height() + 300);
        QVERIFY(f.ui().Image1->height() > before);
        QVERIFY(f.ui().Label7->isVisible() && f.ui().Label5->isHidden());
    }
};

QTEST_MAIN(Form1BrowsingTest)
#include "tst_form1_browsing.moc"
