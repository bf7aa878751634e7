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
#include "support/TestPictures.h"
#include "support/Views.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
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
    Module1 Settings() const {
        Module1 s = FirstStartSettings();
        s.ProgramFolder = module.ProgramFolder;
        s.SourceFolder = Folder("src");
        for (int i = 0; i < SlotCount; ++i)
            s.FolderSlots[size_t(i)] = Folder(QFileInfo(Slot(i)).fileName());
        s.RememberSourceFolder = 1;
        return s;
    }
    // The settings of a run in that arrangement: 0 ordinary, 1 the extend
    // mode's button row, 2 its column.
    Module1 Arranged(int extend) const {
        Module1 s = Settings();
        s.ExtendMode = extend > 0;
        s.VerticalButtons = extend == 2;
        return s;
    }
    bool Load() {
        window = std::make_unique<Form1>(module, prompts, launcher, pictures);
        return window->Form_Load();
    }
    // The settings written, the files in "src" (".jpg" ones real pictures),
    // the window shown.
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
    bool StartWith(const QStringList& files) { return StartWith(files, Settings()); }
    Form1Controls& ui() { return *window; }
    const UndoHistory& history() const { return window->run_.history(); }
    QRectF OuterTwips() const { return window->geometry_.outerTwips(); }

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

// Lets queued events run until nothing is left, so deferred work settles.
void Settle() {
    for (int i = 0; i < 5; ++i) // work done by events may post more
        QCoreApplication::processEvents();
}

void PressRow(Form1Fixture& f, int row, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(f.ui().File1->viewport(), button, {}, RowCentre(f.ui().File1, row));
}

// Every paint of the preview: which file's picture it paints (told by its
// colour) against the file the first candidate label names.
struct PaintLog : QObject {
    PaintLog(Form1Controls& ui, const QStringList& files) : ui(ui), files(files) {
        ui.Image1->installEventFilter(this);
    }
    QString FileOfColour(QColor colour) const {
        for (int i = 0; i < files.size(); ++i)
            if (std::abs(colour.hsvHue() - i * 30) < 10)
                return files[i];
        return QStringLiteral("?");
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide)
            ++hides;
        if (event->type() != QEvent::Paint)
            return false;
        ++count;
        const QImage& picture = ui.Image1->picture();
        const QString shown = FileOfColour(picture.pixelColor(picture.rect().center()));
        if (shown != ui.Label2[0]->text())
            disagreements << shown + " under " + ui.Label2[0]->text();
        return false;
    }
    Form1Controls& ui;
    QStringList files;
    QStringList disagreements;
    int count = 0;
    int hides = 0;
};

// Takes every press and remembers the control it reached first: the one on
// top at that point, as the window delivers it. Nothing pressed reacts.
struct PressCatcher : QObject {
    QObject* pressed = nullptr;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType())
            return false; // the window itself, before it finds the control
        if (event->type() == QEvent::MouseButtonPress && !pressed)
            pressed = watched;
        return event->type() == QEvent::MouseButtonPress ||
               event->type() == QEvent::MouseButtonRelease;
    }
};

// The controls of the window that take presses, as far as they show and are
// enabled now, other than the focus button (which lies under Text1 on purpose).
QList<QWidget*> PressableControls(Form1Fixture& f) {
    QList<QWidget*> controls{f.ui().Drive1, f.ui().Dir1, f.ui().File1, f.ui().Picture1};
    for (QAbstractButton* button : f.ui().Surface->findChildren<QAbstractButton*>())
        if (button != f.ui().FocusSink)
            controls.append(button);
    controls.removeIf([](QWidget* w) { return !w->isVisible() || !w->isEnabled(); });
    return controls;
}

// Clicks the middle of each such control at the window's coordinates, where
// the window finds what lies on top; the controls that did not get it.
QStringList MissedPresses(Form1Fixture& f, const QString& stage) {
    QStringList missed;
    for (QWidget* control : PressableControls(f)) {
        PressCatcher catcher;
        qApp->installEventFilter(&catcher);
        const QPoint middle = control->mapTo(f.window.get(), control->rect().center());
        QTest::mouseClick(f.window->windowHandle(), Qt::LeftButton, {}, middle);
        qApp->removeEventFilter(&catcher);
        auto* hit = qobject_cast<QWidget*>(catcher.pressed);
        if (hit != control && !control->isAncestorOf(hit))
            missed << stage + ": " + control->objectName() + " under " +
                          (hit ? hit->objectName() : QStringLiteral("nothing"));
    }
    return missed;
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A settings file cut short ends the program (and is deleted); then the
    // program starts on defaults, and a save that fails at close is reported.
    void startsWithoutSettingsAndReportsAFailedSave() {
        Form1Fixture f;
        WriteFile(f.Path("program/Sorvane.ini"), "\"/\",\"/\"\r\n");
        QVERIFY(!f.Load());
        QVERIFY(f.Load());
        QDir(f.Path("program")).removeRecursively(); // nowhere to write the file
        f.window->close();
        QVERIFY(f.prompts.asked.value(0).text.startsWith(
            QStringLiteral("設定ファイルを保存できませんでした。")));
    }

    // The folder last sorted was emptied and deleted: the lists open on what
    // is left of its path, and start-up completes.
    void startUpAppliesTheSettings() {
        Form1Fixture f;
        Module1 s = f.Settings();
        s.RememberWindowSize = 1;
        s.WindowLeft = 3000;
        s.WindowHeight = QStringLiteral("8700");
        s.SourceFolder = f.Path("src/done/2026");
        QVERIFY(f.StartWith({"1.txt", "2.txt", ".hidden"}, s));
        QCOMPARE(f.OuterTwips().topLeft().x(), 3000);
        QCOMPARE(f.OuterTwips().height(), 8700);
        QCOMPARE(f.ui().Dir1->path(), f.Path("src"));
        QCOMPARE(f.ui().StatusBar1->text(3), QStringLiteral(" 2 File "));
        QTRY_COMPARE(QApplication::focusWidget(), f.ui().FocusSink);
    }

    void folderChangesByDoubleClickAndDrive() {
        Form1Fixture f;
        QVERIFY(f.StartWith({}));
        WriteFile(f.Folder("src/inner") + "/a.txt", "x");
        f.ui().Dir1->refresh();
        const auto items = f.ui().Dir1->findItems(QStringLiteral("inner"), Qt::MatchEndsWith);
        const QPoint at = f.ui().Dir1->visualItemRect(items.value(0)).center();
        QTest::mouseClick(f.ui().Dir1->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(f.ui().Dir1->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(f.module.SourceFolder, f.Path("src/inner"));
        QComboBox* drives = f.ui().Drive1; // a drive that cannot be listed is put back
        const QString before = drives->currentText();
        drives->addItem(f.Path("unplugged"));
        drives->setCurrentIndex(drives->count() - 1);
        QCOMPARE(f.prompts.asked.value(0).buttons, PromptButtons::RetryCancel);
        QCOMPARE(drives->currentText(), before);
    }

    void leftPressShowsThePictureOrOpensTheFile() {
        Form1Fixture f;
        Module1 s = f.Settings();
        s.LaunchByAssociation = 1;
        QVERIFY(f.StartWith({"a b.txt", "x.jpg"}, s));
        WriteImage(f.Path("src/x.jpg"), QSize(1600, 1200), "JPEG");
        PressRow(f, 1);
        QCOMPARE(f.ui().Image1->geometry(), QRect(104, 0, 369, 277));
        QCOMPARE(f.ui().Label7->text(), QStringLiteral(" 1600X1200 Pixel "));
        WriteFile(f.Path("src/x.jpg"), "not a picture");
        PressRow(f, 1);
        QCOMPARE(f.prompts.asked.last().text,
                 QStringLiteral("x.jpgはファイルが壊れています\r\n処理を中止します。"));
        PressRow(f, 0);
        QCOMPARE(f.launcher.started, QStringList{f.Path("src/a b.txt")});
    }

    // A photograph taken with the camera turned is previewed upright, its
    // size text giving the upright size (every orientation is read upright
    // below the window).
    void previewsPhotographsUpright() {
        const int orientation = 6; // stored turned a quarter: the size swaps too
        Form1Fixture f;
        QVERIFY(!f.Folder("src").isEmpty());
        QVERIFY(WriteFile(f.Path("src/photo.jpg"),
                          OrientedJpeg(CornerPicture({120, 80}), orientation)));
        QVERIFY(f.StartWith({}));
        PressRow(f, 0);
        QCOMPARE(f.ui().Label7->text(), QStringLiteral(" 120X80 Pixel "));
        QCOMPARE(Corners(f.ui().Image1->picture()), QList<int>({0, 1, 2, 3}));
    }

    // The run's arrangement for each extend option, back to the ordinary one
    // after it; the first file read ahead for the run's box.
    void runArrangesTheWindowAndPutsItBack_data() {
        QTest::addColumn<int>("extend"); // 0 off, 1 row, 2 column
        QTest::addColumn<QRectF>("box");
        QTest::newRow("ordinary") << 0 << QRectF(0, 2900, 8655, 4150);
        QTest::newRow("extend row") << 1 << QRectF(0, 1200, 8655, 5850);
        QTest::newRow("extend column") << 2 << QRectF(0, 0, 7155, 7050);
    }
    void runArrangesTheWindowAndPutsItBack() {
        QFETCH(int, extend);
        QFETCH(QRectF, box);
        // One reader, so nothing is still being read once the first files are.
        Form1Fixture f(PictureSource::Options{12, 1});
        QVERIFY(f.StartWith({"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg"},
                            f.Arranged(extend)));
        const QRect ordinary = f.ui().Picture1->geometry();
        // Before the run the first files are read ahead for the box the run
        // shows them in, so the start decodes nothing.
        const QSize runBox = Twips(96).toPixels(box).size();
        for (const char* first : {"src/a.jpg", "src/b.jpg", "src/c.jpg", "src/d.jpg"})
            QTRY_VERIFY(f.pictures.ready(f.Path(first), runBox).has_value());
        QVERIFY(!f.pictures.ready(f.Path("src/f.jpg"), runBox)); // only what the run shows first
        const int cached = f.pictures.cachedCount();
        f.window->Command1_Click();
        QCOMPARE(f.pictures.cachedCount(), cached);
        QCOMPARE(f.window->currentImagePath(), f.Path("src/a.jpg"));
        QCOMPARE(f.ui().Picture1->geometry(), Twips(96).toPixels(box));
        QVERIFY(f.ui().File1->isHidden() && f.ui().Command4[3]->isEnabled());
        f.window->Command1_Click();
        QCOMPARE(f.ui().Picture1->geometry(), ordinary);
        QVERIFY(f.ui().File1->isVisible() && !f.ui().Command4[3]->isEnabled());
    }

    // Whatever the arrangement and the size of the window, and whether a send
    // has shown the destination line yet, a press at the middle of a control
    // reaches that control, not a label lying over it.
    void everyControlTakesAPressAtItsMiddle_data() {
        QTest::addColumn<int>("extend"); // 0 off, 1 row, 2 column
        QTest::addColumn<double>("scale");
        const char* const arrangements[] = {"ordinary", "row", "column"};
        for (int extend : {0, 1, 2})
            for (double scale : {1.0, 1.3})
                QTest::addRow("%s, %s", arrangements[extend], scale == 1.0 ? "smallest" : "larger")
                    << extend << scale;
    }
    void everyControlTakesAPressAtItsMiddle() {
        QFETCH(int, extend);
        QFETCH(double, scale);
        Form1Fixture f;
        QVERIFY(f.StartWith({"a.jpg", "b.jpg"}, f.Arranged(extend)));
        const QSize size = f.window->size() * scale;
        f.window->resize(size);
        QTRY_COMPARE(f.window->size(), size);
        Settle();
        QStringList missed = MissedPresses(f, "browsing");
        f.window->Command1_Click();
        missed += MissedPresses(f, "run");
        f.ui().FocusSink->setFocus(); // where a click on a control may have left it
        QTest::keyClick(f.ui().FocusSink, Qt::Key_1);
        QVERIFY(QFile::exists(f.Slot(1) + "/a.jpg"));
        missed += MissedPresses(f, "after a send");
        QVERIFY2(missed.isEmpty(), qPrintable(missed.join("; ")));
    }

    // A right press deletes the selected file, not the one under the pointer.
    void rightPressDeletesTheSelectedFile() {
        Form1Fixture f;
        QVERIFY(f.StartWith({"a.txt", "b.txt"}));
        PressRow(f, 0);
        f.prompts.Answer(PromptAnswer::Ok);
        PressRow(f, 1, Qt::RightButton);
        QCOMPARE(Files(f.Path("src")), QStringList{"b.txt"});
        QCOMPARE(f.ui().File1->count(), 1);
    }

    // A held key sends file after file, the presses arriving through the
    // event loop as a keyboard repeats them. At every paint the preview's
    // picture is the picture of the file its labels name (each file has its
    // own colour), it never goes blank, every file reaches the slot, and at
    // the release the preview shows the last file: with pictures read ahead,
    // and with none ready in time.
    void heldKeyKeepsPictureAndLabelsTogether_data() {
        QTest::addColumn<int>("workers");
        QTest::newRow("read ahead") << 2;
        QTest::newRow("nothing read ahead") << 0;
    }
    void heldKeyKeepsPictureAndLabelsTogether() {
        QFETCH(int, workers);
        Form1Fixture f(PictureSource::Options{12, workers});
        QStringList files;
        QVERIFY(!f.Folder("src").isEmpty());
        for (int i = 0; i < 12; ++i) {
            files << QStringLiteral("p%1.jpg").arg(i, 2, 10, QChar(u'0'));
            QVERIFY(WriteImage(f.Path("src/" + files.last()), {64, 48}, "JPEG",
                               QColor::fromHsv(i * 30, 255, 230)));
        }
        QVERIFY(f.StartWith({}));
        f.window->Command1_Click();
        PaintLog paints(f.ui(), files);
        auto post = [&](QEvent::Type type, bool repeat) {
            QCoreApplication::postEvent(f.ui().FocusSink,
                                        new QKeyEvent(type, Qt::Key_4, {}, "4", repeat));
        };
        post(QEvent::KeyPress, false);
        for (int i = 1; i < 11; ++i) {
            QTest::qWait(33);
            post(QEvent::KeyRelease, true);
            post(QEvent::KeyPress, true);
        }
        QTest::qWait(33);
        post(QEvent::KeyRelease, false);
        Settle();
        QVERIFY2(paints.disagreements.isEmpty(), qPrintable(paints.disagreements.join(", ")));
        QCOMPARE(paints.hides, 0);
        QVERIFY(paints.count > 1);
        QCOMPARE(Files(f.Slot(4)).size(), 11);
        QCOMPARE(f.window->currentImagePath(), f.Path("src/p11.jpg"));
        QCOMPARE(f.ui().Label2[0]->text(), QStringLiteral("p11.jpg"));
        QVERIFY(f.ui().Image1->isVisible());
    }

    void spaceStepsAndSwallowsTheNextEnter() {
        Form1Fixture f;
        QVERIFY(f.StartWith({"a.jpg", "b.jpg"}));
        QWidget* focus = f.ui().FocusSink;
        for (int i = 0; i < 3; ++i) // from no selection to the first, and it stays on the last
            QTest::keyClick(focus, Qt::Key_Space);
        QCOMPARE(f.window->currentImagePath(), f.Path("src/b.jpg"));
        f.window->Command1_Click();
        QTest::keyClick(focus, Qt::Key_1);
        f.window->Command1_Click();
        f.ui().File1->setFocus(); // outside a run, a Space on the list...
        QTest::keyClick(f.ui().File1, Qt::Key_Space);
        QTest::keyClick(focus, Qt::Key_Return); // ...swallows the next Enter
        QVERIFY(QFile::exists(f.Slot(1) + "/a.jpg"));
        QTest::keyClick(focus, Qt::Key_Return); // the Enter after undoes, outside a run too
        QVERIFY(QFile::exists(f.Path("src/a.jpg")) && f.history().isEmpty());
    }

    // During a run the file list deletes nothing, the folder stays, a failed
    // send says why in Label4, and the window closes without saving; outside
    // a run, closing saves.
    void duringARunBrowsingAndClosingWait() {
        Form1Fixture f;
        QVERIFY(f.StartWith({"a.jpg"}));
        QFile::remove(f.Path("program/Sorvane.ini"));
        f.window->Command1_Click();
        f.prompts.Answer(PromptAnswer::Ok);
        f.window->File1_MouseDown(MouseButton::Right);
        QVERIFY(f.ui().Dir1->setPath(f.Slot(0)));
        QDir(f.Slot(1)).removeRecursively(); // a failed send tells why, without a box
        QTest::mouseClick(f.ui().Command4[1], Qt::LeftButton);
        QCOMPARE(f.ui().Label4->text(),
                 f.Slot(1) + QStringLiteral("に移動できませんでした。フォルダが見つかりません。"));
        f.window->close();
        QVERIFY(f.prompts.asked.isEmpty() && QFile::exists(f.Path("src/a.jpg")));
        QCOMPARE(f.module.SourceFolder, f.Path("src"));
        QVERIFY(!QFile::exists(f.Path("program/Sorvane.ini")));
        f.window->Command1_Click();
        f.window->show();
        QTest::mouseClick(f.ui().Command2, Qt::LeftButton);
        QVERIFY(!f.window->isVisible() && QFile::exists(f.Path("program/Sorvane.ini")));
    }
};

QTEST_MAIN(Form1Test)
#include "tst_form1.moc"
