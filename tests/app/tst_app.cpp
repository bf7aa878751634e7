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
#include "support/Controls.h"
#include "support/RecordingLauncher.h"
#include "support/Rows.h"
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

// The program's parts over a program folder, its windows made, not started.
struct Program {
    explicit Program(const QString& folder) : module(In(folder)) {}
    static Module1 In(const QString& folder) {
        Module1 module;
        module.ProgramFolder = folder;
        return module;
    }
    Module1 module;
    ScriptedPrompts prompts;
    RecordingLauncher launcher;
    PictureSource pictures;
    Windows windows{module, prompts, launcher, pictures};
};

// Asks with the real box and presses the key in it once it shows; seen gets
// its title, text and icon, buttons the captions of Retry and Cancel.
PromptAnswer AskPressing(Qt::Key key, QStringList& seen, QStringList* buttons = nullptr) {
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

} // namespace

class AppTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Return takes the box's default button, Escape its cancelling one.
    void promptsShowTheBoxAndMapTheAnswer() {
        QStringList seen;
        QCOMPARE(AskPressing(Qt::Key_Return, seen), PromptAnswer::Retry);
        QCOMPARE(seen, (QStringList{"Sorvane", "ドライブ /mnt の準備ができていません。",
                                    QString::number(QMessageBox::Information)}));
        QCOMPARE(AskPressing(Qt::Key_Escape, seen), PromptAnswer::Cancel);
    }

    // Captions of the main window and the folder setup window, a message
    // through the prompts and the standard buttons of the real message box.
    void windowsAndBoxesSpeakTheLanguage_data() {
        QTest::addColumn<InterfaceLanguage>("language");
        QTest::addColumn<QString>("captions"); // separated by "|"
        QTest::addColumn<QString>("linkRefused");
        QTest::newRow("English") << InterfaceLanguage::English
                                 << "Start|Exit|Options|About|Key 3 sends the file to the folder "
                                    "of the button below.|Folder Setup|Folder 3|Deletion|Retry|"
                                    "Cancel"
                                 << ": this is a symbolic link, not a folder, so nothing behind "
                                    "it is deleted.";
        QTest::newRow("Japanese") << InterfaceLanguage::Japanese
                                  << "実行|終了|オプション|バージョン情報|３キーで下のボタンに対応"
                                     "したフォルダに移動します。|フォルダ選択|フォルダ３|ファイル"
                                     "削除|再試行|キャンセル"
                                  << "フォルダはシンボリックリンクなので、一括削除できません。";
    }
    void windowsAndBoxesSpeakTheLanguage() {
        QFETCH(InterfaceLanguage, language);
        QFETCH(QString, linkRefused);
        const InterfaceTranslations translations(language);
        QVERIFY(translations.complete());
        QTemporaryDir folder;
        const QString link = folder.filePath("bin");
        QVERIFY(QFile::link(folder.path(), link));
        Program program(folder.path());
        program.module.FolderSlots[BulkDeleteSlot] = link;
        Form1& main = program.windows.main();
        ControlNamed<QAction>(&main, "mnuFOL")->trigger();
        QWidget* setup = OpenWindow("Form2");
        QVERIFY(setup);
        const auto text = [](QWidget* window, const char* name) {
            return ControlNamed<QPushButton>(window, name)->text();
        };
        QTest::mouseClick(ControlNamed<QWidget>(setup, "Command3"), Qt::LeftButton);
        QStringList box, buttons;
        AskPressing(Qt::Key_Escape, box, &buttons);
        const QStringList seen{text(&main, "Command1"),
                               text(&main, "Command2"),
                               ControlNamed<QMenu>(&main, "mnuOpt")->title(),
                               ControlNamed<QMenu>(&main, "mnuVer")->title(),
                               ControlNamed<QWidget>(&main, "Label1_3")->toolTip(),
                               setup->windowTitle(),
                               text(setup, "Command1_3"),
                               text(setup, "Command1_10")};
        QTEST((seen + buttons).join(u'|'), "captions");
        QCOMPARE(program.prompts.asked.value(0).text, link + linkRefused);
    }

    // A settings file the start could not read is kept as it is at the end.
    void unreadableSettingsAreNeverReplaced() {
        QTemporaryDir folder;
        const QByteArray kept = "\"/only the user knows\"\r\n";
        QVERIFY(WriteFile(folder.filePath("Sorvane.ini"), kept));
        {
            const UnreadableSettings unreadable;
            Program program(folder.path());
            QVERIFY(program.windows.start());
            QVERIFY(program.windows.main().close());
            QCOMPARE(program.prompts.asked.size(), 0);
        }
        QCOMPARE(Files(folder.path()), QStringList{"Sorvane.ini"});
        QCOMPARE(ReadFile(folder.filePath("Sorvane.ini")), kept);
    }

    // The picture or folder the program is started with opens in the lists,
    // a picture selected and previewed. Any other file is only selected: its
    // associated program could be this one again. A path that is not there
    // leaves the usual start, on the current folder. A picture that cannot be
    // read is told over the main window, which is on screen by then.
    void startsOnTheFileOrFolderGiven_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("listed"); // empty: the current folder
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("previewed");
        QTest::addColumn<QString>("told"); // a message, over the main window
        AddRows({{"picture", "photos/b.jpg", "photos", "b.jpg", "photos/b.jpg", ""},
                 {"folder", "photos/", "photos", "", "", ""},
                 {"not a picture", "photos/notes.txt", "photos", "notes.txt", "", ""},
                 {"missing", "photos/gone.jpg", "", "", "", ""},
                 {"unreadable picture", "photos/broken.jpg", "photos", "broken.jpg",
                  "photos/broken.jpg", "told"}});
    }
    void startsOnTheFileOrFolderGiven() {
        QFETCH(QString, argument);
        QFETCH(QString, listed);
        QTemporaryDir dir;
        const auto in = [&](const QString& path) {
            return path.isEmpty() ? path : dir.filePath(path);
        };
        QVERIFY(QDir(dir.path()).mkpath("photos"));
        for (const char* name : {"a.jpg", "b.jpg"})
            QVERIFY(WriteImage(dir.filePath("photos/") + name, QSize(8, 6), "JPEG", Qt::red));
        QVERIFY(WriteFile(dir.filePath("photos/notes.txt"), "text"));
        QVERIFY(WriteFile(dir.filePath("photos/broken.jpg"), "not a picture"));
        Program program(dir.path());
        program.module.LaunchByAssociation = 1;
        bool toldOverTheWindow = false;
        program.prompts.whileAsked = [&] {
            toldOverTheWindow = program.windows.main().isVisible();
        };
        QVERIFY(program.windows.start(dir.filePath(argument)));
        const Form1& main = program.windows.main();
        QCOMPARE(main.listFolder(), listed.isEmpty() ? QDir::currentPath() : in(listed));
        QTEST(main.fileList().selectedName(), "selected");
        QFETCH(QString, previewed);
        QCOMPARE(main.currentImagePath(), in(previewed));
        QFETCH(QString, told);
        QCOMPARE(program.prompts.asked.size(), told.isEmpty() ? 0 : 1);
        QCOMPARE(toldOverTheWindow, !told.isEmpty());
        QCOMPARE(program.launcher.started, QStringList());
    }
};

QTEST_MAIN(AppTest)
#include "tst_app.moc"
