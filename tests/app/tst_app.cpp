// The program's outer layer: the real message boxes, and the program's start
// and end as the composition root runs them (how its windows meet is in
// tst_windows).
#include "app/InterfaceLanguage.h"
#include "app/QtPrompts.h"
#include "app/Windows.h"
#include "controls/FileList.h"
#include "imaging/PictureSource.h"
#include "settings/SettingsFile.h"
#include "sorting/Form1.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"
#include "support/UnreadableSettings.h"

#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// Notes, with each question, whether the main window was on screen then.
class WatchingPrompts : public ScriptedPrompts {
public:
    PromptAnswer ask(const Prompt& prompt) override {
        mainShown.append(main && main->isVisible());
        return ScriptedPrompts::ask(prompt);
    }
    const QWidget* main = nullptr;
    QList<bool> mainShown;
};

} // namespace

class AppTest : public QObject {
    Q_OBJECT

    // Asks with the real box and presses the key in it once it shows; seen
    // gets its title, text and icon, buttons the captions of Retry and Cancel.
    static PromptAnswer AskPressing(Qt::Key key, QStringList& seen,
                                    QStringList* buttons = nullptr) {
        QTimer answering;
        answering.callOnTimeout([&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            answering.stop();
            seen = {box->windowTitle(), box->text(), QString::number(box->icon())};
            if (buttons)
                *buttons = {box->button(QMessageBox::Retry)->text(),
                            box->button(QMessageBox::Cancel)->text()};
            QTest::keyClick(box, key);
        });
        answering.start(10);
        return QtPrompts().ask({"Sorvane", "ドライブ /mnt の準備ができていません。",
                                PromptButtons::RetryCancel, PromptIcon::Information});
    }

private Q_SLOTS:
    // Return takes the box's default button, Escape its cancelling one.
    void promptsShowTheBoxAndMapTheAnswer() {
        QStringList seen;
        QCOMPARE(AskPressing(Qt::Key_Return, seen), PromptAnswer::Retry);
        QCOMPARE(seen, (QStringList{"Sorvane", "ドライブ /mnt の準備ができていません。",
                                    QString::number(QMessageBox::Information)}));
        QCOMPARE(AskPressing(Qt::Key_Escape, seen), PromptAnswer::Cancel);
    }

    // Each caption of the main window and the folder setup window, a message
    // through the prompts and the standard buttons of the real message box.
    void windowsAndBoxesSpeakTheLanguage_data() {
        QTest::addColumn<InterfaceLanguage>("language");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("linkRefused");
        QTest::newRow("English") << InterfaceLanguage::English
                                 << QStringList{"Start",
                                                "Exit",
                                                "Options",
                                                "About",
                                                "Key 3 sends the file to the folder of the "
                                                "button below.",
                                                "Folder Setup",
                                                "Folder 3",
                                                "Deletion",
                                                "Retry",
                                                "Cancel"}
                                 << ": this is a symbolic link, not a folder, so nothing behind "
                                    "it is deleted.";
        QTest::newRow("Japanese")
            << InterfaceLanguage::Japanese
            << QStringList{"実行",
                           "終了",
                           "オプション",
                           "バージョン情報",
                           "３キーで下のボタンに対応したフォルダに移動します。",
                           "フォルダ選択",
                           "フォルダ３",
                           "ファイル削除",
                           "再試行",
                           "キャンセル"}
            << "フォルダはシンボリックリンクなので、一括削除できません。";
    }
    void windowsAndBoxesSpeakTheLanguage() {
        QFETCH(InterfaceLanguage, language);
        QFETCH(QStringList, captions);
        QFETCH(QString, linkRefused);
        const InterfaceTranslations translations(language);
        QVERIFY(translations.complete());
        QTemporaryDir folder;
        Module1 module;
        module.ProgramFolder = folder.path();
        ScriptedPrompts prompts;
        RecordingLauncher launcher;
        PictureSource pictures;
        const QString link = folder.filePath("bin");
        QVERIFY(QFile::exists(link) || QFile::link(folder.path(), link));
        module.FolderSlots[BulkDeleteSlot] = link;
        Windows windows(module, prompts, launcher, pictures);
        Form1& main = windows.main();
        main.findChild<QAction*>("mnuFOL")->trigger();
        QWidget* setup = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == u"Form2")
                setup = window;
        QVERIFY(setup);
        const auto text = [&](QWidget* window, const char* name) {
            return window->findChild<QPushButton*>(name)->text();
        };
        QTest::mouseClick(setup->findChild<QPushButton*>("Command3"), Qt::LeftButton);
        QStringList box, buttons;
        AskPressing(Qt::Key_Escape, box, &buttons);
        const QStringList seen = QStringList{text(&main, "Command1"),
                                             text(&main, "Command2"),
                                             main.findChild<QMenu*>("mnuOpt")->title(),
                                             main.findChild<QMenu*>("mnuVer")->title(),
                                             main.findChild<QWidget*>("Label1_3")->toolTip(),
                                             setup->windowTitle(),
                                             text(setup, "Command1_3"),
                                             text(setup, "Command1_10")} +
                                 buttons;
        QCOMPARE(seen, captions);
        QCOMPARE(prompts.asked.value(0).text, link + linkRefused);
    }

    // A settings file the start could not read is kept as it is at the end.
    void unreadableSettingsAreNeverReplaced() {
        QTemporaryDir folder;
        Module1 module;
        module.ProgramFolder = folder.path();
        const QByteArray kept = "\"/only the user knows\"\r\n";
        QVERIFY(WriteFile(SettingsFilePath(module), kept));
        ScriptedPrompts prompts;
        RecordingLauncher launcher;
        PictureSource pictures;
        {
            const UnreadableSettings unreadable;
            Windows windows(module, prompts, launcher, pictures);
            QVERIFY(windows.start());
            QVERIFY(windows.main().close());
        }
        QCOMPARE(ReadFile(SettingsFilePath(module)), kept);
        QCOMPARE(Files(folder.path()), QStringList{"Sorvane.ini"});
        QCOMPARE(prompts.asked.size(), 0);
    }

    // The picture or folder the program is started with opens in the lists,
    // a picture selected and previewed. Any other file is only selected: its
    // associated program could be this one again. A path that is not there
    // leaves the usual start, on the current folder.
    void startsOnTheFileOrFolderGiven_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QStringList>(
            "shown"); // list folder (empty: the current), selected, preview
        QTest::newRow("picture") << "photos/b.jpg"
                                 << QStringList{"photos", "b.jpg", "photos/b.jpg"};
        QTest::newRow("folder") << "photos/" << QStringList{"photos", "", ""};
        QTest::newRow("not a picture")
            << "photos/notes.txt" << QStringList{"photos", "notes.txt", ""};
        QTest::newRow("missing") << "photos/gone.jpg" << QStringList{"", "", ""};
    }
    void startsOnTheFileOrFolderGiven() {
        QFETCH(QString, argument);
        QFETCH(QStringList, shown);
        QTemporaryDir dir;
        const auto in = [&](const QString& path) {
            return path.isEmpty() ? path : dir.filePath(path);
        };
        QVERIFY(QDir(dir.path()).mkpath("photos"));
        for (const char* name : {"a.jpg", "b.jpg"})
            QVERIFY(WriteImage(dir.filePath("photos/") + name, QSize(8, 6), "JPEG", Qt::red));
        QVERIFY(WriteFile(dir.filePath("photos/notes.txt"), "text"));
        Module1 started;
        started.ProgramFolder = dir.path();
        started.LaunchByAssociation = 1;
        ScriptedPrompts quiet;
        RecordingLauncher launched;
        PictureSource pictures;
        Windows windows(started, quiet, launched, pictures);
        QVERIFY(windows.start(dir.filePath(argument)));
        const Form1& main = windows.main();
        QCOMPARE((QStringList{main.listFolder(), main.fileList().selectedName(),
                              main.currentImagePath()}),
                 (QStringList{shown[0].isEmpty() ? QDir::currentPath() : in(shown[0]), shown[1],
                              in(shown[2])}));
        QCOMPARE(launched.started.size() + quiet.asked.size(), 0);
    }

    // A picture given at the start that cannot be read is told over the main
    // window, which is on screen by then.
    void aBrokenStartPictureIsToldOverTheMainWindow() {
        QTemporaryDir dir;
        QVERIFY(WriteFile(dir.filePath("broken.jpg"), "not a picture"));
        Module1 started;
        started.ProgramFolder = dir.path();
        WatchingPrompts watching;
        RecordingLauncher launcher;
        PictureSource pictures;
        Windows windows(started, watching, launcher, pictures);
        watching.main = &windows.main();
        QVERIFY(windows.start(dir.filePath("broken.jpg")));
        QCOMPARE(watching.mainShown, QList<bool>{true});
    }
};

QTEST_MAIN(AppTest)
#include "tst_app.moc"
