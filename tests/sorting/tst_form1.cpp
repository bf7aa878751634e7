// The main window's handlers wired to its controls, on real files. The rules
// behind them are tested below the window; one check each here.
#include "controls/DirList.h"
#include "controls/FileList.h"
#include "controls/ImageBox.h"
#include "controls/MouseButtons.h"
#include "controls/StatusPanels.h"
#include "controls/Twips.h"
#include "imaging/PictureSource.h"
#include "settings/SettingsFile.h"
#include "sorting/Form1.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedPrompts.h"
#include "support/Settings.h"
#include "support/TestFiles.h"
#include "support/Views.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

namespace sorvane::test {

// One program instance in a temporary folder: its program folder with the
// substitute picture, the source "src" and the slot folders beside it.
class Form1Fixture {
public:
    explicit Form1Fixture(PictureSource::Options options = {}) : pictures(options) {
        module.ProgramFolder = Folder("program");
        QFile::copy(SORVANE_COMPANION_DIR "/Error.jpg", Path("program/Error.jpg"));
    }
    QString Path(const QString& relative) const { return dir.filePath(relative); }
    QString Folder(const QString& relative) const {
        return QDir(dir.path()).mkpath(relative) ? Path(relative) : QString();
    }
    QString Slot(int i) const {
        return Path(i == BulkDeleteSlot ? "bulk" : "slot" + QString::number(i));
    }
    // extend: 0 the ordinary arrangement, 1 the extend mode's button row, 2 its column.
    Module1 Settings(int extend = 0) const {
        Module1 s = FirstStartSettings();
        s.ProgramFolder = module.ProgramFolder;
        s.SourceFolder = Folder("src");
        for (int i = 0; i < SlotCount; ++i)
            s.FolderSlots[size_t(i)] = Folder(QFileInfo(Slot(i)).fileName());
        s.RememberSourceFolder = 1;
        s.ExtendMode = extend > 0;
        s.VerticalButtons = extend == 2;
        return s;
    }
    bool Load() {
        window = std::make_unique<Form1>(module, prompts, launcher, pictures);
        return window->Form_Load();
    }
    // The settings saved, the files in "src" (".jpg" ones real pictures), the window shown.
    bool StartWith(const QStringList& files, const Module1& settings) {
        SaveSettingsFile(settings);
        for (const QString& file : files)
            file.endsWith(".jpg") ? WriteImage(Path("src/" + file), QSize(64, 48), "JPEG")
                                  : WriteFile(Path("src/" + file), file.toUtf8());
        if (!Load())
            return false;
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }
    Form1Controls& ui() { return *window; }
    QRectF OuterTwips() const { return window->geometry_.outerTwips(); }
    void PressRow(int row, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(ui().File1->viewport(), button, {}, RowCentre(ui().File1, row));
    }

    QTemporaryDir dir;
    Module1 module;
    ScriptedPrompts prompts;
    RecordingLauncher launcher;
    PictureSource pictures;
    std::unique_ptr<Form1> window;
};

} // namespace sorvane::test

using namespace sorvane;
using namespace sorvane::test;

namespace {

// At every paint of the preview, which file's picture it paints (told by its
// hue, 30 degrees a file) against the file the first candidate label names.
struct PaintLog : QObject {
    PaintLog(Form1Controls& ui, const QStringList& files) : ui(ui), files(files) {
        ui.Image1->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        hides += event->type() == QEvent::Hide;
        if (event->type() != QEvent::Paint)
            return false;
        ++count;
        const QImage& picture = ui.Image1->picture();
        const int hue = picture.pixelColor(picture.rect().center()).hsvHue();
        // A grey or blank paint has no hue (-1): it is no file's picture.
        const bool near = hue >= 0 && (hue % 30 < 10 || hue % 30 > 20);
        const QString shown = near ? files.value((hue + 10) / 30 % 12) : "?";
        if (shown != ui.Label2[0]->text())
            disagreements << shown + " under " + ui.Label2[0]->text();
        return false;
    }
    Form1Controls& ui;
    QStringList files, disagreements;
    int count = 0, hides = 0;
};

// The controls that show and take presses (but the focus button, under Text1
// on purpose) whose middle is not theirs: the window gives a press there to
// the widget on top, a label lying over the control say.
QStringList MissedPresses(Form1Fixture& f, const QString& stage) {
    QList<QWidget*> controls{f.ui().Drive1, f.ui().Dir1, f.ui().File1, f.ui().Picture1};
    for (QAbstractButton* button : f.ui().Surface->findChildren<QAbstractButton*>())
        controls << button;
    QStringList missed;
    for (QWidget* control : controls) {
        QWidget* hit = f.window->childAt(control->mapTo(f.window.get(), control->rect().center()));
        if (control->isVisible() && control->isEnabled() && control != f.ui().FocusSink &&
            hit != control && !control->isAncestorOf(hit))
            missed << stage + ": " + control->objectName() + " under " +
                          (hit ? hit->objectName() : "nothing");
    }
    return missed;
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A settings file cut short ends the program; then it starts on
    // defaults, and a save that fails at close is reported.
    void startsWithoutSettingsAndReportsAFailedSave() {
        Form1Fixture f;
        WriteFile(f.Path("program/Sorvane.ini"), "\"/\",\"/\"\r\n");
        QVERIFY(!f.Load());
        QVERIFY(f.Load());
        QDir(f.Path("program")).removeRecursively(); // nowhere to write the file
        f.window->close();
        QVERIFY(f.prompts.asked.value(0).text.startsWith("設定ファイルを保存できませんでした。"));
    }

    // The window takes its place and size from the settings, brought back
    // onto the screen from a place off every screen; the folder last sorted
    // was deleted, so the lists open on what is left of its path. A double
    // click opens a folder; a drive that cannot be listed asks and is put
    // back.
    void startsAndChangesFolders() {
        Form1Fixture f;
        Module1 s = f.Settings();
        s.RememberWindowSize = 1;
        s.WindowLeft = 32000; // beyond any screen of this test's
        s.WindowTop = 300;
        s.WindowHeight = QStringLiteral("8700");
        s.SourceFolder = f.Path("src/done/2026");
        QVERIFY(WriteFile(f.Folder("src/inner") + "/a.txt", "x"));
        QVERIFY(f.StartWith({"1.txt", "2.txt", ".hidden"}, s));
        QCOMPARE(f.OuterTwips(), QRectF(f.OuterTwips().left(), 300, 8775, 8700));
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(area.intersected(QRect(f.window->pos(), QSize(f.window->width(), 1))).width() >=
                100);
        QCOMPARE(f.ui().Dir1->path(), f.Path("src"));
        QCOMPARE(f.ui().StatusBar1->text(3), QStringLiteral(" 2 File "));
        QTRY_COMPARE(QApplication::focusWidget(), f.ui().FocusSink);
        const auto items = f.ui().Dir1->findItems(QStringLiteral("inner"), Qt::MatchEndsWith);
        const QPoint at = f.ui().Dir1->visualItemRect(items.value(0)).center();
        QTest::mouseClick(f.ui().Dir1->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(f.ui().Dir1->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(f.module.SourceFolder, f.Path("src/inner"));
        QComboBox* drives = f.ui().Drive1;
        const QString before = drives->currentText();
        drives->addItem(f.Path("unplugged"));
        drives->setCurrentIndex(drives->count() - 1);
        QCOMPARE(f.prompts.asked.value(0).buttons, PromptButtons::RetryCancel);
        QCOMPARE(drives->currentText(), before);
    }

    // A left press previews a picture, says when one is broken, and opens
    // any other file with its program. A right press deletes the selected
    // file, not the one under the pointer.
    void pressesOnTheFileList() {
        Form1Fixture f;
        Module1 s = f.Settings();
        s.LaunchByAssociation = 1;
        QVERIFY(f.StartWith({"a b.txt", "x.jpg"}, s));
        f.PressRow(1);
        QCOMPARE(f.ui().Label7->text(), QStringLiteral(" 64X48 Pixel "));
        WriteFile(f.Path("src/x.jpg"), "not a picture");
        f.PressRow(1);
        QVERIFY(f.prompts.asked.last().text.startsWith("x.jpgはファイルが壊れています"));
        f.PressRow(0);
        QCOMPARE(f.launcher.started, QStringList{f.Path("src/a b.txt")});
        f.prompts.Answer(PromptAnswer::Ok);
        f.PressRow(1, Qt::RightButton);
        QCOMPARE(Files(f.Path("src")), QStringList{"x.jpg"});
        QCOMPARE(f.ui().File1->count(), 1);
    }

    // Whatever the arrangement, and whether a send has shown the destination
    // line yet, a press at the middle of a control reaches that control, not
    // a label lying over it. The run hides the browsing controls and enables
    // the slots, a failed send says why in Label4, and the run's end puts the
    // window back.
    void runArrangesTheWindowAndEveryControlTakesItsPresses_data() {
        QTest::addColumn<int>("extend");
        for (int extend : {0, 1, 2})
            QTest::addRow("extend %d", extend) << extend;
    }
    void runArrangesTheWindowAndEveryControlTakesItsPresses() {
        QFETCH(int, extend);
        Form1Fixture f;
        QVERIFY(f.StartWith({"a.jpg", "b.jpg"}, f.Settings(extend)));
        QStringList missed = MissedPresses(f, "browsing");
        f.window->Command1_Click();
        QVERIFY(f.ui().File1->isHidden() && f.ui().Command4[3]->isEnabled());
        missed += MissedPresses(f, "run");
        f.ui().FocusSink->setFocus(); // where a click on a control may have left it
        QTest::keyClick(f.ui().FocusSink, Qt::Key_1);
        QVERIFY(QFile::exists(f.Slot(1) + "/a.jpg"));
        missed += MissedPresses(f, "after a send");
        QVERIFY2(missed.isEmpty(), qPrintable(missed.join("; ")));
        QDir(f.Slot(2)).removeRecursively();
        QTest::mouseClick(f.ui().Command4[2], Qt::LeftButton);
        QVERIFY(f.ui().Label4->text().startsWith(f.Slot(2) + "に移動できませんでした。"));
        f.window->Command1_Click();
        QVERIFY(f.ui().File1->isVisible() && !f.ui().Command4[3]->isEnabled());
    }

    // Before a run the first files are read ahead for the box the run shows
    // them in, and only those, so its start decodes nothing. During the run
    // a right press on the file list deletes nothing.
    void runStartsOnFilesReadAheadAndDeletesNothing() {
        Form1Fixture f(PictureSource::Options{12, 1}); // one reader: done once the first are
        QVERIFY(f.StartWith({"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg"}, f.Settings()));
        const QSize runBox = Twips(96).toPixels(QRectF(0, 2900, 8655, 4150)).size();
        for (const char* first : {"src/a.jpg", "src/b.jpg", "src/c.jpg", "src/d.jpg"})
            QTRY_VERIFY(f.pictures.ready(f.Path(first), runBox).has_value());
        QVERIFY(!f.pictures.ready(f.Path("src/f.jpg"), runBox));
        const int cached = f.pictures.cachedCount();
        f.window->Command1_Click();
        QCOMPARE(f.pictures.cachedCount(), cached);
        QCOMPARE(f.window->currentImagePath(), f.Path("src/a.jpg"));
        QCOMPARE(f.ui().Picture1->size(), runBox);
        f.prompts.Answer(PromptAnswer::Ok);
        f.window->File1_MouseDown(MouseButton::Right);
        QVERIFY(f.prompts.asked.isEmpty());
        QCOMPARE(Files(f.Path("src")).size(), 6);
    }

    // A held key sends file after file, the presses arriving through the
    // event loop as a keyboard repeats them, pictures read ahead as it goes.
    // At every paint the preview's picture is the picture of the file its
    // labels name, it never goes blank, every file reaches the slot, and at
    // the release the preview shows the last file.
    void heldKeyKeepsPictureAndLabelsTogether() {
        Form1Fixture f(PictureSource::Options{12, 2});
        QStringList files;
        for (int i = 0; i < 12; ++i) {
            files << QString("p%1.jpg").arg(i + 10);
            QVERIFY(WriteImage(f.Folder("src") + "/" + files.last(), {64, 48}, "JPEG",
                               QColor::fromHsv(i * 30, 255, 230)));
        }
        QVERIFY(f.StartWith({}, f.Settings()));
        f.window->Command1_Click();
        PaintLog paints(f.ui(), files);
        const auto post = [&](QEvent::Type type, bool repeat) {
            QCoreApplication::postEvent(f.ui().FocusSink,
                                        new QKeyEvent(type, Qt::Key_4, {}, "4", repeat));
        };
        for (int i = 0; i < 11; ++i) {
            if (i > 0)
                post(QEvent::KeyRelease, true);
            post(QEvent::KeyPress, i > 0);
            QTest::qWait(33);
        }
        post(QEvent::KeyRelease, false);
        QTRY_COMPARE(f.window->currentImagePath(), f.Path("src/p21.jpg"));
        QVERIFY2(paints.disagreements.isEmpty(), qPrintable(paints.disagreements.join(", ")));
        QVERIFY(paints.hides == 0 && paints.count > 1);
        QCOMPARE(Files(f.Slot(4)).size(), 11);
        QCOMPARE(f.ui().Label2[0]->text(), QStringLiteral("p21.jpg"));
        QVERIFY(f.ui().Image1->isVisible());
    }
};

QTEST_MAIN(Form1Test)
#include "tst_form1.moc"
