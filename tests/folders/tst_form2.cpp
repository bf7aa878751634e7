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
#include <sys/stat.h>

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

    QString Path(const QString& relative) const { return dir->filePath(relative); }
    QString MakeFolder(const QString& relative) const {
        QDir(dir->path()).mkpath(relative);
        return Path(relative);
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
};

QTEST_MAIN(Form2Test)
#include "tst_form2.moc"
