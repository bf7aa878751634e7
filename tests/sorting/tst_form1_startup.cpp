// Start-up from the settings file and the save at close, through the real window.
#include "sorting/Form1Fixture.h"

#include "controls/DirList.h"
#include "controls/FileList.h"
#include "controls/StatusPanels.h"
#include "platform/Paths.h"
#include "support/TestFiles.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

QList<QByteArray> FieldsOf(const QByteArray& line) {
    return line.chopped(2).split(','); // test paths hold no commas
}

} // namespace

class Form1StartupTest : public QObject {
    Q_OBJECT
private slots:
    void noSettingsFileStartsWithDefaultsAndWritesAllFields() {
        Form1Fixture f;
        QVERIFY(f.Load());
        for (int i = 0; i < 10; ++i)
            QCOMPARE(f.ui().Command4[size_t(i)]->text(), QStringLiteral("/"));
        QCOMPARE(f.module.SlideshowSeconds, 1);
        QCOMPARE(f.window->OuterTwips().size(), QSizeF(8775, 8040));
        f.Show();
        f.window->close();
        const QByteArray line = ReadFile(f.Path("program/Sorvane.ini"));
        QVERIFY(line.endsWith("\r\n"));
        const QList<QByteArray> fields = FieldsOf(line);
        QCOMPARE(fields.size(), 25);
        for (int i = 0; i < 12; ++i)
            QCOMPARE(fields[i], QByteArray("\"/\""));
        QCOMPARE(fields[12], QByteArray("\"8775\""));
        QCOMPARE(fields[13], QByteArray("\"8040\""));
        QCOMPARE(fields.mid(14, 9),
                 (QList<QByteArray>{"0", "0", "0", "1", "0", "0", "0", "0", "0"}));
        QVERIFY(f.prompts.asked.isEmpty());
    }

    void shortSettingsFileIsDeletedAndTheProgramEnds() {
        Form1Fixture f;
        QByteArray line = f.SettingsLine("src", {});
        line.truncate(line.lastIndexOf(','));
        f.WriteSettings(line + "\r\n");
        QVERIFY(!f.Load());
        QVERIFY(!QFile::exists(f.Path("program/Sorvane.ini")));
        QVERIFY(!f.window->isVisible());
    }

    void longerFileIsCutToTwentyFiveAtTheNextClose() {
        Form1Fixture f;
        QByteArray line = f.SettingsLine("src", {});
        f.WriteSettings(line.chopped(2) + ",\"extra\",7\r\n");
        QVERIFY(f.Load());
        f.window->close();
        QCOMPARE(FieldsOf(ReadFile(f.Path("program/Sorvane.ini"))).size(), 25);
    }

    void savedGeometry_data() {
        QTest::addColumn<QByteArray>("width");
        QTest::addColumn<QSizeF>("size");
        QTest::newRow("narrower than 8300") << QByteArray("8000") << QSizeF(8385, 6495);
        QTest::newRow("wide enough") << QByteArray("9600") << QSizeF(9600, 8700);
    }
    void savedGeometry() {
        QFETCH(QByteArray, width);
        QFETCH(QSizeF, size);
        Form1Fixture f;
        QByteArray line = f.SettingsLine("src", {}, "1,0,0,1,0,0,0,0,0,1500,3000");
        line.replace("\"9000\",\"8500\"", "\"" + width + "\",\"8700\"");
        f.WriteSettings(line);
        QVERIFY(f.Load());
        QCOMPARE(f.window->pos(), QPoint(200, 100));
        // The inner area cannot shrink below the window's minimum.
        const QSizeF expected(qMax(size.width(), 8775.0), qMax(size.height(), 8040.0));
        f.Show();
        QCOMPARE(f.window->OuterTwips().size(), expected);
    }

    void slotFoldersAreCheckedAndCaptioned() {
        Form1Fixture f;
        f.WriteSettings(f.SettingsLine("src", {"Sorted/Cats", "写真/猫", "gone"}));
        QDir(f.Path("gone")).removeRecursively();
        QVERIFY(f.Load());
        QCOMPARE(f.ui().Command4[0]->text(), QStringLiteral("Cats"));
        QCOMPARE(f.ui().Command4[1]->text(), QStringLiteral("猫"));
        QCOMPARE(f.ui().Command4[2]->text(), QStringLiteral("/"));
        QCOMPARE(f.module.FolderSlots[2], QStringLiteral("/"));
        QCOMPARE(f.ui().Command4[3]->text(), QStringLiteral("slot3"));
    }

    void rememberedSourceFolderIsShown() {
        Form1Fixture f;
        f.WriteSettings(f.SettingsLine("src", {}));
        for (int i = 0; i < 3; ++i)
            WriteFile(f.Path(QStringLiteral("src/%1.txt").arg(i)), "x");
        QVERIFY(f.Load());
        const QString source = f.Path("src");
        QCOMPARE(f.ui().Dir1->path(), source);
        QCOMPARE(f.ui().File1->count(), 3);
        QCOMPARE(f.ui().Label3->text(), source);
        QCOMPARE(f.ui().StatusBar1->text(1), u' ' + source + u' ');
        QCOMPARE(f.ui().Label6->text(), QStringLiteral("3 File"));
        QCOMPARE(f.ui().StatusBar1->text(3), QStringLiteral(" 3 File "));
    }

    void missingRememberedFolderSkipsTheRestQuietly() {
        Form1Fixture f;
        f.WriteSettings(f.SettingsLine("src", {}, "0,1,0,1,0,0,0,1,0,0,0"));
        QDir(f.Path("src")).removeRecursively();
        QVERIFY(f.Load());
        QCOMPARE(f.ui().Command4[0]->text(), QString()); // slot captions were never set
        QVERIFY(f.ui().Label8->isHidden());              // nor the copy-mode indicator
        QVERIFY(f.prompts.asked.isEmpty());
    }

    void badNumberEndsStartUpButKeepsTheFieldsRead() {
        Form1Fixture f;
        f.WriteSettings(f.SettingsLine("src", {}, "0,1,0,99999,0,0,0,0,0,0,0"));
        QVERIFY(f.Load());
        QCOMPARE(f.module.FolderSlots[4], f.Path("slot4"));
        QCOMPARE(f.module.RememberSourceFolder, 1);
        QCOMPARE(f.ui().Command4[4]->text(), QString());
    }

    void copyModeIndicatorBlinks() {
        Form1Fixture f;
        f.WriteSettings(f.SettingsLine("src", {}, "0,1,0,1,0,0,0,1,0,0,0"));
        QVERIFY(f.Load());
        f.Show();
        QVERIFY(f.ui().Label8->isVisible());
        QCOMPARE(f.ui().Timer1->interval(), 500);
        QTRY_VERIFY_WITH_TIMEOUT(f.ui().Label8->isHidden(), 2000);
        QTRY_VERIFY_WITH_TIMEOUT(f.ui().Label8->isVisible(), 2000);
    }

    void closingDuringARunWritesNothing() {
        Form1Fixture f;
        const QByteArray line = f.SettingsLine("src", {});
        f.WriteSettings(line);
        QVERIFY(f.Load());
        f.Show();
        f.window->Command1_Click();
        QCOMPARE(f.module.SortingActive, 1);
        f.window->close();
        QCOMPARE(ReadFile(f.Path("program/Sorvane.ini")), line);
    }

    void failedSaveIsReportedAndLosesNothing() {
        Form1Fixture f;
        QVERIFY(f.Load());
        QDir(f.Path("program")).removeRecursively(); // nowhere to write the file
        f.window->close();
        QCOMPARE(f.prompts.asked.size(), 1);
        QVERIFY(f.prompts.asked[0].text.startsWith(
            QStringLiteral("設定ファイルを保存できませんでした。")));
    }
};

QTEST_MAIN(Form1StartupTest)
#include "tst_form1_startup.moc"
