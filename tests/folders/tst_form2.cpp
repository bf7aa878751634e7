// The folder setup window through its real widgets, on folders in a
// temporary folder: slot assignment, making and removing folders, and the
// bulk delete.
#include "controls/DirList.h"
#include "folders/Form2.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <functional>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// Answers from the script, and first does what whileAsked says: what the user
// (or another program) does while the question is on screen.
class BusyPrompts : public ScriptedPrompts {
public:
    PromptAnswer ask(const Prompt& prompt) override {
        if (whileAsked)
            std::exchange(whileAsked, nullptr)();
        return ScriptedPrompts::ask(prompt);
    }
    std::function<void()> whileAsked;
};

} // namespace

class Form2Test : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    Module1 module;
    BusyPrompts prompts;
    std::unique_ptr<Form2> window;
    QStringList mounts;

    QString Path(const QString& relative) const { return dir->filePath(relative); }
    QString MakeFolder(const QString& relative) const {
        QDir(dir->path()).mkpath(relative);
        return Path(relative);
    }

    // A folder holding the given sub-folders, where nothing can be made or
    // removed: a read-only file system for root, whom permissions do not
    // stop, a folder without write permission for anyone else.
    QString ReadOnlyFolder(const QString& relative, const QStringList& subFolders = {}) {
        const QString folder = MakeFolder(relative);
        const bool root = ::geteuid() == 0;
        if (root && !MountTmpfs(folder))
            return {};
        for (const QString& sub : subFolders)
            QDir(folder).mkdir(sub);
        if (root)
            return ::mount(nullptr, qPrintable(folder), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) ==
                           0
                       ? folder
                       : QString();
        return QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner) ? folder
                                                                                 : QString();
    }
    bool MountTmpfs(const QString& folder) {
        if (::mount("sorvane-test", qPrintable(folder), "tmpfs", 0, "size=1m") != 0)
            return false;
        mounts.prepend(folder);
        return true;
    }

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
        prompts = BusyPrompts{};
        window = std::make_unique<Form2>(module, prompts);
        window->Form_Load();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    // Mounts made by a test go before their folders.
    void cleanup() {
        for (const QString& folder : std::exchange(mounts, {}))
            ::umount2(qPrintable(folder), MNT_DETACH);
    }

    // A folder whose name the settings file cannot hold is refused.
    void assignsTheListsFolder() {
        QSignalSpy captions(window.get(), &Form2::slotCaptionChanged);
        QVERIFY(window->Dir1->setPath(MakeFolder("写真/Cats")));
        QTest::mouseClick(window->Command1[3], Qt::LeftButton);
        QVERIFY(window->Dir1->setPath(MakeFolder("a \"best\" folder")));
        QTest::mouseClick(window->Command1[2], Qt::LeftButton);
        QCOMPARE(module.FolderSlots[3], Path("写真/Cats"));
        QCOMPARE(module.FolderSlots[2], Path("slot2"));
        QCOMPARE(captions, (QList<QVariantList>{{3, QStringLiteral("Cats")}}));
        QCOMPARE(prompts.asked.size(), 1);
    }

    // Return in a text box makes one folder in the folder the list shows and
    // never presses a slot button; two levels at once are refused.
    void makesAFolderOnReturn() {
        QVERIFY(window->Dir1->setPath(MakeFolder("here")));
        for (const char* typed : {"New", "two/levels"}) {
            prompts.Answer(PromptAnswer::Ok);
            window->Text1[0]->setText(typed);
            QTest::keyClick(window->Text1[0], Qt::Key_Return);
        }
        QCOMPARE(window->Dir1->path(), Path("here/New"));
        QCOMPARE(QDir(Path("here/New")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
        QCOMPARE(prompts.asked.size(), 3); // two questions, one refusal
        QCOMPARE(module.FolderSlots[0], Path("slot0"));
    }

    // Each refusal names its own cause; only a missing folder on the way is
    // "more than one level at once". Nothing is made in any case.
    void namesWhyAFolderIsNotMade_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("told");
        QTest::newRow("two levels")
            << "missing/New"
            << QStringLiteral("一度に複階層のフォルダを作成することは出来ません。");
        QTest::newRow("a file on the way")
            << "file/New" << QStringLiteral("一度に複階層のフォルダを作成することは出来ません。");
        QTest::newRow("256-byte name")
            << QString(256, u'x') << QStringLiteral("フォルダ名が長すぎるので作成できません。");
        QTest::newRow(".") << "." << QStringLiteral(". と .. はフォルダ名に使えません。");
        QTest::newRow("..") << "sub/.." << QStringLiteral(". と .. はフォルダ名に使えません。");
        QTest::newRow("nothing typed") << "  " << QStringLiteral("フォルダ名を入力してください。");
        QTest::newRow("existing folder")
            << "sub" << QStringLiteral("同じ名前のフォルダかファイルがあるので作成できません。");
        QTest::newRow("read-only parent")
            << "locked/New"
            << QStringLiteral("書き込みできない場所なので、フォルダを作成できません。");
    }
    void namesWhyAFolderIsNotMade() {
        QFETCH(QString, typed);
        QFETCH(QString, told);
        const QString here = MakeFolder("here");
        MakeFolder("here/sub");
        QVERIFY(WriteFile(here + "/file", "x"));
        QVERIFY(!ReadOnlyFolder("here/locked").isEmpty());
        QVERIFY(window->Dir1->setPath(here));
        const QStringList before = Files(here);
        prompts.Answer(PromptAnswer::Ok);
        window->Text1[4]->setText(typed);
        QTest::keyClick(window->Text1[4], Qt::Key_Return);
        QCOMPARE(prompts.asked.size(), 2);
        QCOMPARE(prompts.asked[1].text, told);
        QCOMPARE(Files(here), before);
        QCOMPARE(Files(here + "/locked"), QStringList());
        QCOMPARE(window->Dir1->path(), here);
    }

    // Only a folder holding a sub-folder is refused for holding one; every
    // other refusal names its cause, and nothing inside is touched.
    void namesWhyAFolderIsNotRemoved_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("told");
        QTest::newRow("sub-folder")
            << "withFolder" << QStringLiteral("下位下層にフォルダがあるので削除できません。");
        QTest::newRow("file") << "withFile"
                              << QStringLiteral("フォルダにファイルがあるので削除できません。");
        QTest::newRow("only hidden files")
            << "withHidden" << QStringLiteral("フォルダに隠しファイルがあるので削除できません。");
        QTest::newRow("read-only parent")
            << "locked/inner"
            << QStringLiteral("書き込みできない場所なので、フォルダを削除できません。");
        QTest::newRow("mount point")
            << "mounted"
            << QStringLiteral("ドライブがマウントされているフォルダなので削除できません。");
        QTest::newRow("root") << "/" << QStringLiteral("ルートフォルダは削除できません。");
    }
    void namesWhyAFolderIsNotRemoved() {
        QFETCH(QString, folder);
        QFETCH(QString, told);
        MakeFolder("withFolder/sub");
        MakeFolder("withFile");
        QVERIFY(WriteFile(Path("withFile/a.jpg"), "x"));
        MakeFolder("withHidden");
        QVERIFY(WriteFile(Path("withHidden/.thumbnails"), "x"));
        QVERIFY(!ReadOnlyFolder("locked", {"inner"}).isEmpty());
        if (folder == u"mounted" && !MountTmpfs(MakeFolder(folder)))
            QSKIP("mounting needs root");
        const QString path = folder.startsWith(u'/') ? folder : Path(folder);
        QVERIFY(window->Dir1->setPath(path));
        prompts.Answer(PromptAnswer::Ok);
        QTest::mousePress(window->Dir1->viewport(), Qt::RightButton);
        QCOMPARE(prompts.asked.size(), 2);
        QCOMPARE(prompts.asked[1].text, told);
        QVERIFY(QFileInfo(path).isDir());
        QCOMPARE(window->Dir1->path(), path);
        QCOMPARE(ReadFile(Path("withHidden/.thumbnails")), QByteArray("x"));
    }

    // A right press asks about the open folder wherever it lands (here on the
    // root's row); only an empty folder goes, and the list moves to its parent.
    void removesTheOpenFolderOnARightPress() {
        const QString empty = MakeFolder("Empty"), full = MakeFolder("Full");
        QVERIFY(WriteFile(full + "/a.jpg", "x"));
        const auto pressOn = [this](const QString& folder) {
            prompts.Answer(PromptAnswer::Ok);
            window->Dir1->setPath(folder);
            const QRect row = window->Dir1->visualItemRect(window->Dir1->item(0));
            QTest::mousePress(window->Dir1->viewport(), Qt::RightButton, {}, row.center());
        };
        pressOn(empty);
        QVERIFY(!QFileInfo::exists(empty));
        QCOMPARE(window->Dir1->path(), dir->path());
        pressOn(full);
        QCOMPARE(prompts.asked.value(1).text, full + QStringLiteral("フォルダを削除しますか?"));
        QCOMPARE(ReadFile(full + "/a.jpg"), QByteArray("x"));
    }

    // The folder of an installed program's settings file is one of its own;
    // which other folders are refused is the folder rules' table.
    void refusesABulkDeleteBeforeAsking() {
        module.SettingsPath = MakeFolder("config") + "/Sorvane.ini";
        for (const QString& folder : {QStringLiteral("/"), Path("config")}) {
            module.FolderSlots[BulkDeleteSlot] = folder;
            QTest::mouseClick(window->Command3, Qt::LeftButton); // unanswered questions cancel
        }
        QCOMPARE(prompts.asked.size(), 2);
        QCOMPARE(prompts.asked[1].text,
                 QStringLiteral("プログラムのフォルダのファイルは一括削除できません。"));
        QVERIFY2(!prompts.asked[0].text.contains(QStringLiteral("削除しますか")),
                 qPrintable(prompts.asked[0].text));
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
        const QString other = MakeFolder("home/trash");
        QVERIFY(WriteFile(asked + "/a.jpg", "a") && WriteFile(other + "/b.jpg", "b"));
        prompts.whileAsked = [&] {
            QVERIFY(QDir().rename(Path("card"), Path("card.old")));
            QVERIFY(link ? QFile::link(Path("home"), Path("card"))
                         : QDir().rename(Path("home"), Path("card")));
        };
        prompts.Answer(PromptAnswer::Ok);
        QTest::mouseClick(window->Command3, Qt::LeftButton);
        QCOMPARE(Files(Path("card.old/trash")), QStringList{"a.jpg"});
        QCOMPARE(Files(Path("card/trash")), QStringList{"b.jpg"});
        QCOMPARE(prompts.asked.size(), 2);
        QCOMPARE(prompts.asked[1].text,
                 asked + QStringLiteral("フォルダが別のフォルダに変わったので、ファイルを削除しま"
                                        "せんでした。"));
    }

    // A link in the folder's place is refused as what it is, not as missing,
    // and what it points to keeps its files.
    void bulkDeleteTellsALinkIsALink() {
        const QString real = MakeFolder("real");
        QVERIFY(WriteFile(real + "/a.jpg", "a"));
        const QString link = module.FolderSlots[BulkDeleteSlot] = Path("link");
        QVERIFY(QFile::link(real, link));
        QTest::mouseClick(window->Command3, Qt::LeftButton);
        QCOMPARE(prompts.asked.size(), 1);
        QCOMPARE(prompts.asked[0].text,
                 link + QStringLiteral("フォルダはシンボリックリンクなので、一括削除できません。"));
        QCOMPARE(Files(real), QStringList{"a.jpg"});
    }

    void bulkDeleteEmptiesOnlyTheFoldersOwnFiles() {
        const QString trash = module.FolderSlots[BulkDeleteSlot] = MakeFolder("trash") + u'/';
        const QString target = Path("keep.jpg");
        QVERIFY(WriteFile(target, "keep") && ::chmod(qPrintable(target), 0444) == 0);
        MakeFolder("trash/sub");
        for (const char* name : {"a.jpg", ".hidden", "sub/inner.jpg"})
            WriteFile(trash + name, "x");
        QVERIFY(QFile::link(target, trash + "link.jpg") &&
                QFile::link(dir->path(), trash + "folderlink"));
        QVERIFY(::mkfifo(qPrintable(trash + "pipe"), 0600) == 0);
        prompts.Answer(PromptAnswer::Ok);
        QTest::mouseClick(window->Command3, Qt::LeftButton);
        QCOMPARE(prompts.asked.value(0).text,
                 trash + QStringLiteral("フォルダのファイルをすべてを削除しますか?"));
        QCOMPARE(QDir(trash).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                       QDir::NoDotAndDotDot),
                 (QStringList{".hidden", "pipe", "sub"}));
        QCOMPARE(ReadFile(trash + "sub/inner.jpg"), QByteArray("x"));
        QCOMPARE(ReadFile(target), QByteArray("keep"));
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
        const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
        const auto restore = qScopeGuard([&] { qputenv("XDG_DATA_HOME", dataHome); });
        qputenv("XDG_DATA_HOME", Path("data").toUtf8());
        module.Extras.deleteToTrash = option;
        QString folder = module.FolderSlots[BulkDeleteSlot] = MakeFolder("bulk");
        QString trash = Path("data/Trash");
        if (volume != "home") {
            if (::geteuid() != 0 || !MountTmpfs(folder))
                QSKIP("another volume needs root");
            trash = folder + "/.Trash-" + QString::number(::geteuid());
            if (volume == "blocked")
                QVERIFY(WriteFile(trash, "a file where the trash would be"));
            QVERIFY(QDir().mkpath(folder + "/card"));
            folder = module.FolderSlots[BulkDeleteSlot] = folder + "/card";
        }
        QVERIFY(QDir().mkpath(trash + "/files") || volume == "blocked");
        QVERIFY(WriteFile(trash + "/files/a.jpg", "trashed before") || volume == "blocked");
        QVERIFY(WriteFile(folder + "/a.jpg", "a") && WriteFile(folder + "/b 2.jpg", "b"));
        prompts.Answer(PromptAnswer::Ok);
        QTest::mouseClick(window->Command3, Qt::LeftButton);
        const bool kept = volume == "blocked";
        QCOMPARE(Files(folder), kept ? (QStringList{"a.jpg", "b 2.jpg"}) : QStringList{});
        QCOMPARE(prompts.asked.size(), kept ? 2 : 1);
        if (kept)
            QCOMPARE(prompts.asked[1].text,
                     QStringLiteral("2個のファイルはごみ箱に入れられなかったので、削除せずに残し"
                                    "ました。"));
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
