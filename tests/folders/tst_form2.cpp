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

    // A folder whose name the settings file cannot hold is refused (a slot
    // button's assignment and how the main window follows it are the
    // composition's own test).
    void refusesAFolderTheSettingsCannotHold() {
        QVERIFY(List()->setPath(MakeFolder("a \"best\" folder")));
        Click("Command1_2");
        QCOMPARE(module.FolderSlots[2], Path("slot2"));
        QCOMPARE(prompts.asked.size(), 1);
    }

    // Return in a slot's text box makes one folder in the folder the list
    // shows, which the list opens, and never presses a slot button. Each
    // refusal names its own cause (told: a part of it); only a missing folder
    // on the way is "more than one level at once". Nothing is made then.
    void makesAFolderOnReturn_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("told"); // empty: made
        AddRows({{"made", "New", ""},
                 {"two levels", "missing/New", "複階層"},
                 {".", ".", ". と .. は"},
                 {"nothing typed", "  ", "入力して"},
                 {"existing folder", "sub", "同じ名前"}});
        QTest::newRow("256-byte name") << QString(256, u'x') << "長すぎる";
    }
    void makesAFolderOnReturn() {
        QFETCH(QString, typed);
        QFETCH(QString, told);
        const QString here = MakeFolder("here/sub").chopped(4);
        QVERIFY(WriteFile(here + "/file", "x") && List()->setPath(here));
        prompts.Answer(PromptAnswer::Ok);
        auto* text = ControlNamed<QLineEdit>(window.get(), "Text1_4");
        text->setText(typed);
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(module.FolderSlots[4], Path("slot4"));
        QCOMPARE(Files(here) + Files(here + "/New"), QStringList{"file"});
        QCOMPARE(QDir(here).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 QString(told.isEmpty() ? "New sub" : "sub").split(' '));
        QCOMPARE(List()->path(), told.isEmpty() ? here + "/New" : here);
        QCOMPARE(prompts.asked.size(), told.isEmpty() ? 1 : 2);
        QVERIFY2(Asked(1).contains(told), qPrintable(Asked(1)));
    }

    // A right press asks about the open folder wherever it lands (here on
    // the first row): only an empty folder goes, and the list moves to its
    // parent. Only a folder holding a sub-folder is refused for holding one;
    // every other refusal names its cause (told: a part of it), and nothing
    // inside is touched.
    void removesTheOpenFolderOnARightPress_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("told"); // empty: removed
        AddRows({{"empty", "empty", ""},
                 {"sub-folder", "withFolder", "下位下層にフォルダ"},
                 {"file", "withFile", "フォルダにファイル"},
                 {"only hidden files", "withHidden", "隠しファイル"},
                 {"read-only parent", "locked/inner", "書き込みできない"},
                 {"mount point", "mounted", "マウント"},
                 {"root", "/", "ルートフォルダ"}});
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
        QVERIFY2(Asked(1).contains(told) && Asked(1).isEmpty() == told.isEmpty(),
                 qPrintable(Asked(1)));
        QCOMPARE(ReadFile(Path("withHidden/.thumbnails")) + ReadFile(Path("withFile/a.jpg")), "xx");
    }

    // The window hands the folder rules (their own tests) the folder of the
    // settings file as the program's own, and says what a refusal is.
    void refusesABulkDeleteBeforeAsking() {
        module.SettingsPath = MakeFolder("config") + "/Sorvane.ini";
        QVERIFY(WriteFile(Path("config/a.jpg"), "a"));
        module.FolderSlots[BulkDeleteSlot] = Path("config");
        Click("Command3");
        QCOMPARE(Asked(0), "プログラムのフォルダのファイルは一括削除できません。");
        QVERIFY(prompts.asked.size() == 1 && QFile::exists(Path("config/a.jpg")));
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
        QVERIFY2(Asked(1).startsWith(asked + "フォルダが別のフォルダに変わった"),
                 qPrintable(Asked(1)));
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

    // With the trash option each file goes into the trash, a name the trash
    // holds already getting another; where no trash can be made the files
    // stay, and one message counts them. (Without the option they are
    // removed: the test above.)
    void bulkDeleteIntoTheTrash_data() {
        QTest::addColumn<bool>("blocked"); // a file where the data folder would be
        QTest::newRow("into the trash") << false;
        QTest::newRow("no trash can be made") << true;
    }
    void bulkDeleteIntoTheTrash() {
        QFETCH(bool, blocked);
        const ScopedEnvironment dataHome("XDG_DATA_HOME", Path("data").toUtf8());
        const QString folder = module.FolderSlots[BulkDeleteSlot] = MakeFolder("bulk"),
                      trash = Path("data/Trash");
        module.Extras.deleteToTrash = true;
        QVERIFY(blocked ? WriteFile(Path("data"), "not a folder")
                        : QDir().mkpath(trash + "/files") && WriteFile(trash + "/files/a.jpg", ""));
        QVERIFY(WriteFile(folder + "/a.jpg", "a") && WriteFile(folder + "/b 2.jpg", "b"));
        prompts.Answer(PromptAnswer::Ok);
        Click("Command3");
        QCOMPARE(Files(folder), blocked ? (QStringList{"a.jpg", "b 2.jpg"}) : QStringList{});
        QCOMPARE(Asked(1).startsWith("2個のファイルはごみ箱に入れられなかった"), blocked);
        if (blocked)
            return;
        QCOMPARE(Files(trash + "/files"), (QStringList{"a.2.jpg", "a.jpg", "b 2.jpg"}));
        QCOMPARE(ReadFile(trash + "/files/a.2.jpg"), "a");
        QCOMPARE(Files(trash + "/info"), (QStringList{"a.2.jpg.trashinfo", "b 2.jpg.trashinfo"}));
    }
};

QTEST_MAIN(Form2Test)
#include "tst_form2.moc"
