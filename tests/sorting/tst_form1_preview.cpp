// The preview through the real window, on real files of every kind.
#include "sorting/Form1Fixture.h"

#include "controls/FileList.h"
#include "controls/ImageBox.h"
#include "controls/StatusPanels.h"
#include "imaging/Fit.h"
#include "support/TestFiles.h"

#include <QLabel>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

QPoint RowCentre(FileList* list, int row) {
    return list->visualRect(list->model()->index(row, 0)).center();
}

void PressRow(Form1Fixture& f, int row) {
    QTest::mouseClick(f.ui().File1->viewport(), Qt::LeftButton, {}, RowCentre(f.ui().File1, row));
}

// Writes the file a row of the data table names.
void MakeFile(Form1Fixture& f, const QString& name, const QString& kind) {
    const QString path = f.Path("src/" + name);
    if (kind == "text")
        WriteFile(path, "not a picture");
    else if (kind == "truncated png") {
        WriteImage(path, QSize(300, 200), "PNG");
        QFile file(path);
        file.resize(file.size() / 2);
    } else if (kind == "progressive")
        WriteImage(path, QSize(1600, 1200), "JPEG", QColor(40, 120, 200), true);
    else
        WriteImage(path, QSize(1600, 1200), kind.toLatin1().constData());
}

} // namespace

class Form1PreviewTest : public QObject {
    Q_OBJECT
private slots:
    void leftPressShowsEachKind_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::newRow("jpeg") << "a.jpg"
                              << "JPEG";
        QTest::newRow("progressive jpeg") << "a.JPEG"
                                          << "progressive";
        QTest::newRow("bmp") << "a.bmp"
                             << "BMP";
        QTest::newRow("gif") << "a.gif"
                             << "GIF";
        QTest::newRow("png") << "a.PNG"
                             << "PNG";
    }
    void leftPressShowsEachKind() {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        Form1Fixture f;
        f.StartWith({});
        MakeFile(f, name, kind);
        f.ui().File1->refresh();
        PressRow(f, 0);
        Form1& w = *f.window;
        QCOMPARE(w.currentImagePath(), f.Path("src/" + name));
        QCOMPARE(f.ui().Label7->text(), QStringLiteral(" 1600X1200 Pixel "));
        QVERIFY(f.ui().Label7->isVisible());
        QVERIFY(f.ui().Label5->isHidden());
        QVERIFY(f.ui().Image1->isVisible());
        QVERIFY(f.ui().Image1->stretch());
        QCOMPARE(f.ui().StatusBar1->text(2), u' ' + name + u' ');
        const QSize box = f.ui().Picture1->size();
        const FitResult fit = FitPicture(1600, 1200, float(box.width()), float(box.height()));
        QCOMPARE(f.ui().Image1->geometry(),
                 QRect(qRound(fit.left), qRound(fit.top), qRound(fit.width), qRound(fit.height)));
        QCOMPARE(f.ui().Label7->y(), box.height() - 20);
        QVERIFY(qAbs(f.ui().Label7->geometry().center().x() - box.width() / 2) <= 1);
        // The picture really is on screen: the middle of the shown picture has its colour.
        const QImage shown = f.ui().Image1->grab().toImage();
        const QColor middle = shown.pixelColor(shown.width() * 3 / 4, shown.height() * 3 / 4);
        QVERIFY2(qAbs(middle.blue() - 200) < 20 && middle.red() < 70, qPrintable(middle.name()));
        QVERIFY(f.prompts.asked.isEmpty());
    }

    void smallPictureIsCentredUnscaled() {
        Form1Fixture f;
        f.StartWith({});
        WriteImage(f.Path("src/small.jpg"), QSize(200, 100), "JPEG");
        f.ui().File1->refresh();
        PressRow(f, 0);
        const QSize box = f.ui().Picture1->size();
        QVERIFY(!f.ui().Image1->stretch());
        QCOMPARE(f.ui().Image1->geometry(), QRect(qRound((box.width() - 200) / 2.0),
                                                  qRound((box.height() - 100) / 2.0), 200, 100));
    }

    void leftPressReportsBrokenAndMissingFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("text named jpg") << "x.jpg"
                                        << "x.jpgはファイルが壊れています\r\n処理を中止します。";
        QTest::newRow("text file") << "notes.txt"
                                   << "notes.txtはファイルが壊れています\r\n処理を中止します。";
        QTest::newRow("missing file") << "gone.jpg"
                                      << "";
    }
    void leftPressReportsBrokenAndMissingFiles() {
        QFETCH(QString, name);
        QFETCH(QString, message);
        Form1Fixture f;
        f.StartWith({name});
        if (name == "gone.jpg")
            QFile::remove(f.Path("src/gone.jpg"));
        else
            WriteFile(f.Path("src/" + name), "not a picture");
        PressRow(f, 0);
        QCOMPARE(f.prompts.asked.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(f.prompts.asked[0].text, message);
            QCOMPARE(f.prompts.asked[0].title, QStringLiteral("Sorvane"));
            QCOMPARE(f.prompts.asked[0].buttons, PromptButtons::Ok);
        }
        QVERIFY(f.ui().Image1->isHidden());
    }

    void displayProceduresFallBackOrStayQuiet_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("sizeText");
        QTest::newRow("text named jpg shows Error.jpg") << "x.jpg"
                                                        << "text"
                                                        << " 320X240 Pixel ";
        QTest::newRow("truncated png shows nothing") << "t.png"
                                                     << "truncated png"
                                                     << " 0X0 Pixel ";
        QTest::newRow("jpeg named png shows nothing") << "j.png"
                                                      << "JPEG"
                                                      << " 0X0 Pixel ";
    }
    void displayProceduresFallBackOrStayQuiet() {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, sizeText);
        Form1Fixture f;
        f.StartWith({});
        MakeFile(f, name, kind);
        f.ui().File1->refresh();
        f.window->RefreshPreview();
        QCOMPARE(f.ui().Label7->text(), sizeText);
        QCOMPARE(f.ui().StatusBar1->text(2), u' ' + name + u' ');
        QCOMPARE(f.ui().Image1->hasPicture(), kind == "text");
        QVERIFY(f.prompts.asked.isEmpty());
    }

    void missingSubstitutePictureLeavesThePreviewEmpty() {
        Form1Fixture f;
        f.StartWith({"x.jpg"});
        WriteFile(f.Path("src/x.jpg"), "text");
        QFile::remove(f.Path("program/Error.jpg"));
        f.window->RefreshPreview();
        QVERIFY(!f.ui().Image1->hasPicture());
        QVERIFY(f.prompts.asked.isEmpty());
    }

    void missingFolderIsReported() {
        Form1Fixture f;
        f.StartWith({"a.jpg"});
        QDir(f.Path("src")).removeRecursively();
        f.window->RefreshPreview();
        QCOMPARE(f.prompts.asked.size(), 1);
        QCOMPARE(f.prompts.asked[0].text, QStringLiteral("ファイルが見つかりません。"));
        QVERIFY(f.ui().Image1->isHidden());
        f.ui().File1->setListIndex(0);
        f.window->ShowSelectedFile();
        QCOMPARE(f.prompts.asked.size(), 2);
        QCOMPARE(f.ui().Picture1->cursor().shape(), Qt::ArrowCursor); // busy pointer undone
    }

    void candidatesNameTheNextFiles() {
        Form1Fixture f;
        f.StartWith({"a.jpg", "b.jpg"});
        f.window->RefreshPreview();
        QCOMPARE(f.ui().Label2[0]->text(), QStringLiteral("a.jpg"));
        QCOMPARE(f.ui().Label2[1]->text(), QStringLiteral("b.jpg"));
        QCOMPARE(f.ui().Label2[2]->text(), QString());
        QCOMPARE(f.ui().Label2[3]->text(), QString());
    }

    void previewClicksStepThroughTheList() {
        Form1Fixture f;
        f.StartWith({"a.jpg", "b.jpg", "c.jpg"});
        QWidget* box = f.ui().Picture1;
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(2, 2)); // no selection: the first
        QCOMPARE(f.ui().File1->listIndex(), 0);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(2, 2)); // stays on the last
        QCOMPARE(f.ui().File1->listIndex(), 2);
        QCOMPARE(f.window->currentImagePath(), f.Path("src/c.jpg"));
        QTest::mouseClick(f.ui().Image1, Qt::RightButton, {}, QPoint(2, 2));
        QCOMPARE(f.ui().File1->listIndex(), 1);
        QCOMPARE(f.ui().StatusBar1->text(2), QStringLiteral(" b.jpg "));
        f.window->Command1_Click(); // during a run clicks change nothing
        QTest::mouseClick(f.ui().Image1, Qt::RightButton, {}, QPoint(2, 2));
        QCOMPARE(f.ui().File1->listIndex(), 1);
    }

    void steppingShortLists() {
        Form1Fixture f;
        f.StartWith({});
        f.window->StepSelection(true); // empty: nothing to select, nothing fails
        QCOMPARE(f.ui().File1->listIndex(), -1);
        WriteImage(f.Path("src/only.jpg"), QSize(10, 10), "JPEG");
        f.ui().File1->refresh();
        f.window->StepSelection(false);
        QCOMPARE(f.ui().File1->listIndex(), 0);
        f.window->StepSelection(true);
        QCOMPARE(f.ui().File1->listIndex(), 0);
    }

    void nonPicturesOpenWithTheirProgramWhenAsked_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("launched");
        QTest::newRow("text") << "a b.txt" << true;
        QTest::newRow("mixed-case ending") << "photo.Jpg" << true;
        QTest::newRow("picture") << "photo.jpeg" << false;
    }
    void nonPicturesOpenWithTheirProgramWhenAsked() {
        QFETCH(QString, name);
        QFETCH(bool, launched);
        Form1Fixture f;
        f.StartWith({}, "0,1,0,1,1,0,0,0,0,0,0");
        WriteImage(f.Path("src/" + name), QSize(20, 20), "JPEG");
        f.ui().File1->refresh();
        PressRow(f, 0);
        if (!launched) {
            QVERIFY(f.launcher.started.isEmpty());
            QVERIFY(f.ui().Image1->isVisible());
            return;
        }
        QCOMPARE(f.launcher.started, QStringList{"/usr/bin/editor " + f.Path("src/" + name)});
        QVERIFY(f.ui().Label4->isVisible());
        QCOMPARE(f.ui().Label4->text(), QStringLiteral("/usr/bin/editor"));
        f.launcher.startSucceeds = false;
        PressRow(f, 0);
        QCOMPARE(f.ui().Label4->text(),
                 QStringLiteral("関連付けられた実行ファイルを、起動出来ませんでした。"));
    }
};

QTEST_MAIN(Form1PreviewTest)
#include "tst_form1_preview.moc"
