// The folder setup window through its real widgets, on folders in a
// temporary folder: slot assignment, making and removing folders, and the
// bulk delete.
#include "controls/DirList.h"
#include "folders/Form2.h"
#include "support/Controls.h"
#include "support/Rows.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedPrompts.h"
#include "support/TemporaryMount.h"
#include "support/TestFiles.h"

#include <QLineEdit>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace sorvane;
using namespace sorvane::test;

class Form2Test : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    Module1 module;
    ScriptedPrompts prompts;
    std::unique_ptr<Form2> window;
    std::vector<std::unique_ptr<TemporaryMount>> mounts; // the newest last

    QString Path(const QString& relative) const { return dir->filePath(relative); }
    QString MakeFolder(const QString& relative) const {
        QDir(dir->path()).mkpath(relative);
        return Path(relative);
    }
    DirList* List() const { return ControlNamed<DirList>(window.get(), "Dir1"); }
    void Click(const QString& button) { ClickControl(window.get(), button); }
    // A tmpfs (or, read-only, the folder bound onto itself, where nothing can
    // be made or removed, even by root) that goes before its folder.
    QString Mount(const QString& relative, bool readOnly = false) {
        mounts.push_back(std::make_unique<TemporaryMount>(MakeFolder(relative), readOnly));
        return mounts.back()->refusal;
    }
    QString Asked(int i) const { return prompts.asked.value(i).text; }

private Q_SLOTS:
    // Each test gets a fresh temporary folder as the current folder, where
    // the window's folder list opens, and slots that name its folders.
    void init() {
        window.reset(); // before its folders
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir::setCurrent(dir->path()));
        module = Module1{};
        for (int i = 0; i < SlotCount; ++i)
            module.FolderSlots[size_t(i)] = MakeFolder(QStringLiteral("slot%1").arg(i));
        prompts = ScriptedPrompts{};
        window = std::make_unique<Form2>(module, prompts);
        window->Form_Load();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() { mounts.clear(); }

    // A folder whose name the settings file cannot hold is refused (how the
    // main window's slot button follows is the composition's own test).
    void assignsTheListsFolder() {
        QVERIFY(List()->setPath(MakeFolder("写真/Cats")));
        Click("Command1_3");
        QVERIFY(List()->setPath(MakeFolder("a \"best\" folder")));
        Click("Command1_2");
        QCOMPARE(module.FolderSlots[3] + module.FolderSlots[2], Path("写真/Cats") + Path("slot2"));
        QCOMPARE(prompts.asked.size(), 1);
    }

    // Return in a slot's text box makes one folder in the folder the list
    // shows, which the list opens, and never presses a slot button. Each
    // refusal names its own cause; only a missing folder on the way is "more
    // than one level at once". Nothing is made then.
    void makesAFolderOnReturn_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("told"); // empty: made
        const char* const levels = "一度に複階層のフォルダを作成することは出来ません。";
        const char* const dots = ". と .. はフォルダ名に使えません。";
        AddRows(
            {{"made", "New", ""},
             {"two levels", "missing/New", levels},
             {"a file on the way", "file/New", levels},
             {".", ".", dots},
             {"..", "sub/..", dots},
             {"nothing typed", "  ", "フォルダ名を入力してください。"},
             {"existing folder", "sub", "同じ名前のフォルダかファイルがあるので作成できません。"},
             {"read-only parent", "locked/New",
              "書き込みできない場所なので、フォルダを作成できません。"}});
        QTest::newRow("256-byte name")
            << QString(256, u'x') << "フォルダ名が長すぎるので作成できません。";
    }
    void makesAFolderOnReturn() {
        QFETCH(QString, typed);
        QFETCH(QString, told);
        const QString here = MakeFolder("here/sub").chopped(4);
        QVERIFY(WriteFile(here + "/file", "x"));
        REQUIRE_MOUNTED(Mount("here/locked", true));
        QVERIFY(List()->setPath(here));
        prompts.Answer(PromptAnswer::Ok);
        auto* text = ControlNamed<QLineEdit>(window.get(), "Text1_4");
        text->setText(typed);
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(module.FolderSlots[4], Path("slot4"));
        QCOMPARE(Files(here) + Files(here + "/locked") + Files(here + "/New"), QStringList{"file"});
        QCOMPARE(QDir(here).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 QString(told.isEmpty() ? "locked New sub" : "locked sub").split(' '));
        QCOMPARE(List()->path(), told.isEmpty() ? here + "/New" : here);
        QCOMPARE(prompts.asked.size(), told.isEmpty() ? 1 : 2);
        QCOMPARE(Asked(1), told);
    }

    // A right press asks about the open folder wherever it lands (here on
    // the first row): only an empty folder goes, and the list moves to its
    // parent. Only a folder holding a sub-folder is refused for holding one;
    // every other refusal names its cause, and nothing inside is touched.
    void removesTheOpenFolderOnARightPress_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("told"); // empty: removed
        AddRows({{"empty", "empty", ""},
                 {"sub-folder", "withFolder", "下位下層にフォルダがあるので削除できません。"},
                 {"file", "withFile", "フォルダにファイルがあるので削除できません。"},
                 {"only hidden files", "withHidden",
                  "フォルダに隠しファイルがあるので削除できません。"},
                 {"read-only parent", "locked/inner",
                  "書き込みできない場所なので、フォルダを削除できません。"},
                 {"mount point", "mounted",
                  "ドライブがマウントされているフォルダなので削除できません。"},
                 {"root", "/", "ルートフォルダは削除できません。"}});
    }
    void removesTheOpenFolderOnARightPress() {
        QFETCH(QString, folder);
        QFETCH(QString, told);
        MakeFolder("empty");
        MakeFolder("withFolder/sub");
        QVERIFY(WriteFile(MakeFolder("withFile") + "/a.jpg", "x"));
        QVERIFY(WriteFile(MakeFolder("withHidden") + "/.thumbnails", "x"));
        MakeFolder("locked/inner");
        REQUIRE_MOUNTED(Mount("locked", true) + Mount("mounted"));
        const QString path = folder.startsWith(u'/') ? folder : Path(folder);
        QVERIFY(List()->setPath(path));
        prompts.Answer(PromptAnswer::Ok);
        const QRect row = List()->visualItemRect(List()->item(0));
        QTest::mousePress(List()->viewport(), Qt::RightButton, {}, row.center());
        QCOMPARE(Asked(0), path + QStringLiteral("フォルダを削除しますか?"));
        QCOMPARE(QFileInfo(path).isDir(), !told.isEmpty());
        QCOMPARE(List()->path(), told.isEmpty() ? dir->path() : path);
        QCOMPARE(Asked(1), told);
        QCOMPARE(ReadFile(Path("withHidden/.thumbnails")) + ReadFile(Path("withFile/a.jpg")), "xx");
    }

    // The window hands the folder rules (their own tests) the folder of the
    // settings file as the program's own, and says what a refusal is.
    void refusesABulkDeleteBeforeAsking() {
        module.SettingsPath = MakeFolder("config") + "/Sorvane.ini";
        QVERIFY(WriteFile(MakeFolder("real") + "/a.jpg", "a"));
        QVERIFY(QFile::link(Path("real"), Path("link")));
        for (const char* folder : {"config", "link"}) {
            module.FolderSlots[BulkDeleteSlot] = Path(folder);
            Click("Command3"); // unanswered questions cancel
        }
        QCOMPARE(prompts.asked.size(), 2);
        QCOMPARE(Asked(0), "プログラムのフォルダのファイルは一括削除できません。");
        QCOMPARE(Asked(1),
                 Path("link") + "フォルダはシンボリックリンクなので、一括削除できません。");
        QCOMPARE(Files(Path("real")), QStringList{"a.jpg"});
    }

    // The folder asked about is the one emptied, or none: a folder on the way
    // renamed while the question is on screen, and another folder (or a link
    // to one) put under its name, leaves both folders' files where they were.
    void bulkDeleteFollowsNoSwapWhileAsking_data() {
        QTest::addColumn<bool>("link");
        QTest::newRow("another folder moved in") << false;
        QTest::newRow("a link to another folder") << true;
    }
    void bulkDeleteFollowsNoSwapWhileAsking() {
        QFETCH(bool, link);
        const QString asked = module.FolderSlots[BulkDeleteSlot] = MakeFolder("card/trash");
        QVERIFY(WriteFile(asked + "/a.jpg", "a") && WriteFile(MakeFolder("home/trash") + "/b", ""));
        prompts.whileAsked = [&] {
            QVERIFY(QDir().rename(Path("card"), Path("card.old")));
            QVERIFY(link ? QFile::link(Path("home"), Path("card"))
                         : QDir().rename(Path("home"), Path("card")));
        };
        prompts.Answer(PromptAnswer::Ok);
        Click("Command3");
        QCOMPARE(Files(Path("card.old/trash")) + Files(Path("card/trash")),
                 (QStringList{"a.jpg", "b"}));
        QCOMPARE(Asked(1), asked + "フォルダが別のフォルダに変わったので、ファイルを削除しま"
                                   "せんでした。");
    }

    // Only the folder's own files go: no sub-folder, no hidden file, no pipe,
    // and nothing a link points to.
    void bulkDeleteEmptiesOnlyTheFoldersOwnFiles() {
        const QString trash = module.FolderSlots[BulkDeleteSlot] = MakeFolder("trash") + u'/';
        MakeFolder("trash/sub");
        const QString target = Path("keep.jpg");
        QVERIFY(WriteFile(target, "keep") && ::chmod(qPrintable(target), 0444) == 0);
        for (const char* name : {"a.jpg", ".hidden", "sub/inner.jpg"})
            QVERIFY(WriteFile(trash + name, "x"));
        QVERIFY(QFile::link(target, trash + "link.jpg") &&
                QFile::link(dir->path(), trash + "folderlink"));
        QVERIFY(::mkfifo(qPrintable(trash + "pipe"), 0600) == 0);
        prompts.Answer(PromptAnswer::Ok);
        Click("Command3");
        QCOMPARE(Asked(0), trash + "フォルダのファイルをすべてを削除しますか?");
        QCOMPARE(QDir(trash).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                       QDir::NoDotAndDotDot),
                 (QStringList{".hidden", "pipe", "sub"}));
        QCOMPARE(ReadFile(trash + "sub/inner.jpg") + ReadFile(target), "xkeep");
        QVERIFY(!(QFile::permissions(target) & QFile::WriteOwner)); // no permission changed
    }

    // With the trash option each file goes into the trash of its volume with
    // an entry a file manager restores it from, a name the trash holds
    // already getting another; a volume whose trash cannot be made keeps its
    // files, and one message counts them. Without the option they are gone.
    void bulkDeleteIntoTheTrash_data() {
        QTest::addColumn<bool>("option");
        QTest::addColumn<QString>("volume"); // "home", "other" or "blocked"
        QTest::newRow("option off") << false << "home";
        QTest::newRow("home trash") << true << "home";
        QTest::newRow("the volume's own trash") << true << "other";
        QTest::newRow("no trash can be made") << true << "blocked";
    }
    void bulkDeleteIntoTheTrash() {
        QFETCH(bool, option);
        QFETCH(QString, volume);
        const ScopedEnvironment dataHome("XDG_DATA_HOME", Path("data").toUtf8());
        module.Extras.deleteToTrash = option;
        QString folder = MakeFolder("bulk"), trash = Path("data/Trash");
        const bool kept = volume == "blocked";
        if (volume != "home") {
            REQUIRE_MOUNTED(Mount("bulk"));
            trash = folder + "/.Trash-" + QString::number(::geteuid());
            QVERIFY(!kept || WriteFile(trash, "a file where the trash would be"));
            folder = MakeFolder("bulk/card");
        }
        module.FolderSlots[BulkDeleteSlot] = folder;
        QVERIFY(kept || (QDir().mkpath(trash + "/files") && WriteFile(trash + "/files/a.jpg", "")));
        QVERIFY(WriteFile(folder + "/a.jpg", "a") && WriteFile(folder + "/b 2.jpg", "b"));
        prompts.Answer(PromptAnswer::Ok);
        Click("Command3");
        QCOMPARE(Files(folder), kept ? (QStringList{"a.jpg", "b 2.jpg"}) : QStringList{});
        QCOMPARE(Asked(1), kept ? "2個のファイルはごみ箱に入れられなかったので、削除せずに残し"
                                  "ました。"
                                : "");
        if (!option || kept)
            return;
        QCOMPARE(Files(trash + "/files"), (QStringList{"a.2.jpg", "a.jpg", "b 2.jpg"}));
        QCOMPARE(ReadFile(trash + "/files/a.2.jpg"), "a");
        QCOMPARE(Files(trash + "/info"), (QStringList{"a.2.jpg.trashinfo", "b 2.jpg.trashinfo"}));
        QVERIFY(ReadFile(trash + "/info/b 2.jpg.trashinfo")
                    .startsWith("[Trash Info]\nPath=" + QFile::encodeName(folder) +
                                "/b%202.jpg\nDeletionDate="));
    }
};

QTEST_MAIN(Form2Test)
#include "tst_form2.moc"
