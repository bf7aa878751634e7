// The folder setup window through its real widgets, on folders in a
// temporary folder: slot assignment, making and removing folders, and the
// bulk delete.
#include "controls/DirList.h"
#include "folders/Form2.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <sys/stat.h>

using namespace sorvane;
using sorvane::test::ReadFile;
using sorvane::test::ScriptedPrompts;
using sorvane::test::WriteFile;

namespace {

const QString Cancelled = QStringLiteral("キャンセルされました。");

QStringList Texts(const QList<Prompt>& prompts) {
    QStringList texts;
    for (const Prompt& prompt : prompts)
        texts << prompt.text;
    return texts;
}

mode_t ModeOf(const QString& path) {
    struct stat st;
    return ::stat(qPrintable(path), &st) == 0 ? st.st_mode & 07777 : 0;
}

} // namespace

class Form2Test : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    Module1 module;
    ScriptedPrompts prompts;
    std::unique_ptr<Form2> window;

    QString Root() const { return dir->path(); }
    QString Path(const QString& relative) const { return dir->filePath(relative); }
    QString MakeFolder(const QString& relative) const {
        QDir(Root()).mkpath(relative);
        return Path(relative);
    }
    QPushButton* SlotButton(int i) const { return window->Command1[size_t(i)]; }
    QLineEdit* SlotText(int i) const { return window->Text1[size_t(i)]; }

private Q_SLOTS:
    // Each test gets a fresh temporary folder as the current folder, where
    // the window's folder list opens, and slots that name its folders.
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir::setCurrent(Root()));
        module = Module1{};
        module.ProgramFolder = MakeFolder("program");
        for (int i = 0; i < SlotCount; ++i)
            module.FolderSlots[size_t(i)] = MakeFolder(QStringLiteral("slot%1").arg(i));
        prompts = ScriptedPrompts{};
        window = std::make_unique<Form2>(module, prompts);
        window->Form_Load();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() {
        window.reset();
        dir.reset();
    }

    void opensOnTheCurrentFolderWithTheSlots() {
        QCOMPARE(window->Dir1->path(), Root());
        QCOMPARE(SlotText(10)->text(), Path("slot10"));
        QCOMPARE(window->focusWidget(), window->Drive1);
    }

    void assignsTheListsFolder_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("caption"); // empty: no main-window button changes
        QTest::newRow("slot 3") << 3 << "写真/Cats"
                                << "Cats";
        QTest::newRow("bulk-delete folder") << 10 << "Trash"
                                            << "";
    }
    void assignsTheListsFolder() {
        QFETCH(int, slot);
        QFETCH(QString, folder);
        QFETCH(QString, caption);
        QVERIFY(window->Dir1->setPath(MakeFolder(folder)));
        QSignalSpy captions(window.get(), &Form2::slotCaptionChanged);
        QTest::mouseClick(SlotButton(slot), Qt::LeftButton);
        QCOMPARE(module.FolderSlots[size_t(slot)], Path(folder));
        QCOMPARE(SlotText(slot)->text(), Path(folder));
        QCOMPARE(captions.size(), caption.isEmpty() ? 0 : 1);
        if (!caption.isEmpty())
            QCOMPARE(captions[0], (QVariantList{slot, caption}));
        QVERIFY(prompts.asked.isEmpty());
    }

    void refusesAFolderTheSettingsCannotHold() {
        QVERIFY(window->Dir1->setPath(MakeFolder("a \"best\" folder")));
        QSignalSpy captions(window.get(), &Form2::slotCaptionChanged);
        QTest::mouseClick(SlotButton(2), Qt::LeftButton);
        QCOMPARE(module.FolderSlots[2], Path("slot2"));
        QCOMPARE(SlotText(2)->text(), Path("slot2"));
        QCOMPARE(captions.size(), 0);
        QCOMPARE(prompts.asked.size(), 1);
    }

    // Return in a text box makes a folder, one level at a time, and never
    // presses a slot button.
    void makesAFolderOnReturn_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("answerOk");
        QTest::addColumn<QString>("made");    // relative; empty: nothing made
        QTest::addColumn<QString>("message"); // after the question; empty: none
        const QString refused =
            QStringLiteral("一度に複階層のフォルダを作成することは出来ません。");
        QTest::newRow("relative name") << "New" << true << "here/New"
                                       << "";
        QTest::newRow("full path") << "PATH/full" << true << "full"
                                   << "";
        QTest::newRow("two levels") << "a/b" << true << "" << refused;
        QTest::newRow("existing folder") << "PATH/slot4" << true << "" << refused;
        QTest::newRow("cancelled") << "New" << false << "" << Cancelled;
    }
    void makesAFolderOnReturn() {
        QFETCH(QString, typed);
        QFETCH(bool, answerOk);
        QFETCH(QString, made);
        QFETCH(QString, message);
        if (answerOk)
            prompts.Answer(PromptAnswer::Ok);
        // A relative name is made in the folder the list shows.
        QVERIFY(window->Dir1->setPath(MakeFolder("here")));
        QSignalSpy captions(window.get(), &Form2::slotCaptionChanged);
        QLineEdit* text = SlotText(0);
        text->clear();
        QTest::keyClicks(text, typed.replace("PATH", Root()));
        QTest::keyClick(text, Qt::Key_Return);

        QStringList expected{QStringLiteral("新しいフォルダを作りますか?")};
        if (!message.isEmpty())
            expected << message;
        QCOMPARE(Texts(prompts.asked), expected);
        QCOMPARE(window->Dir1->path(), Path(made.isEmpty() ? "here" : made));
        QVERIFY(made.isEmpty() || QFileInfo(Path(made)).isDir());
        QVERIFY(!QFileInfo::exists(Path("here/a")));
        QVERIFY(answerOk || !QFileInfo::exists(Path("here/New")));
        // The slot waits for its button; the typed text stays.
        QCOMPARE(module.FolderSlots[0], Path("slot0"));
        QCOMPARE(text->text(), typed);
        QCOMPARE(captions.size(), 0);
    }

    void removesTheOpenFolderOnARightPress_data() {
        QTest::addColumn<QString>("content"); // put into the folder first
        QTest::addColumn<bool>("answerOk");
        QTest::addColumn<QString>("message"); // after the question; empty: none
        QTest::newRow("empty") << "" << true << "";
        QTest::newRow("holds a file")
            << "file" << true << QStringLiteral("下位下層にフォルダがあるので削除できません。");
        QTest::newRow("holds a folder")
            << "folder" << true << QStringLiteral("下位下層にフォルダがあるので削除できません。");
        QTest::newRow("cancelled") << "" << false << Cancelled;
    }
    void removesTheOpenFolderOnARightPress() {
        QFETCH(QString, content);
        QFETCH(bool, answerOk);
        QFETCH(QString, message);
        const QString old = MakeFolder("Old");
        MakeFolder("Other");
        if (content == u"file")
            WriteFile(old + "/a.jpg", "x");
        if (content == u"folder")
            MakeFolder("Old/inner");
        if (answerOk)
            prompts.Answer(PromptAnswer::Ok);
        QVERIFY(window->Dir1->setPath(old));
        QSignalSpy destination(window.get(), &Form2::destinationTextChanged);
        // The press lands on the root's row; the question is about the open folder all the same.
        const QRect row = window->Dir1->visualItemRect(window->Dir1->item(0));
        QTest::mousePress(window->Dir1->viewport(), Qt::RightButton, {}, row.center());

        QStringList expected{old + QStringLiteral("フォルダを削除しますか?")};
        if (!message.isEmpty())
            expected << message;
        QCOMPARE(Texts(prompts.asked), expected);
        const bool removed = message.isEmpty();
        QCOMPARE(QFileInfo::exists(old), !removed);
        QVERIFY(QFileInfo(Path("Other")).isDir());
        QVERIFY(content != u"file" || ReadFile(old + "/a.jpg") == "x");
        // A folder directly under the temporary folder: the list moves to it.
        QCOMPARE(window->Dir1->path(), removed ? Root() : old);
        QCOMPARE(destination.size(), removed ? 1 : 0);
        if (removed)
            QCOMPARE(destination[0][0].toString(), Root());
    }

    // A slot at "/" (as every slot starts out) or at a folder gone since must
    // be refused before the question, so no habitual OK can empty it.
    void refusesABulkDeleteBeforeAsking_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("root") << "/";
        QTest::newRow("vanished") << "gone";
        QTest::newRow("not set") << "";
        QTest::newRow("program folder") << "program";
    }
    void refusesABulkDeleteBeforeAsking() {
        QFETCH(QString, folder);
        module.FolderSlots[BulkDeleteSlot] =
            folder.isEmpty() || folder == u"/" ? folder : Path(folder);
        WriteFile(Path("program/Sorvane.ini"), "x");
        // No answer is scripted: were the question asked, it would be cancelled.
        QTest::mouseClick(window->Command3, Qt::LeftButton);
        QCOMPARE(prompts.asked.size(), 1);
        QVERIFY2(!prompts.asked[0].text.contains(QStringLiteral("削除しますか")),
                 qPrintable(prompts.asked[0].text));
        QVERIFY(QFileInfo::exists(Path("program/Sorvane.ini")));
    }

    void bulkDeleteEmptiesOnlyTheFoldersOwnFiles() {
        const QString trash = module.FolderSlots[BulkDeleteSlot] = MakeFolder("trash") + u'/';
        const QString target = Path("keep.jpg");
        WriteFile(target, "keep");
        QVERIFY(::chmod(qPrintable(target), 0444) == 0);
        WriteFile(trash + "a.jpg", "x");
        WriteFile(trash + "readonly.jpg", "x");
        QVERIFY(::chmod(qPrintable(trash + "readonly.jpg"), 0444) == 0);
        WriteFile(trash + ".hidden", "x");
        MakeFolder("trash/sub");
        WriteFile(trash + "sub/inner.jpg", "x");
        QVERIFY(QFile::link(target, trash + "link.jpg"));
        QVERIFY(QFile::link(Root(), trash + "folderlink"));
        QVERIFY(::mkfifo(qPrintable(trash + "pipe"), 0600) == 0);
        prompts.Answer(PromptAnswer::Ok);
        QTest::mouseClick(window->Command3, Qt::LeftButton);

        QCOMPARE(Texts(prompts.asked),
                 QStringList{trash + QStringLiteral("フォルダのファイルをすべてを削除しますか?")});
        QCOMPARE(QDir(trash).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot |
                                           QDir::System,
                                       QDir::Name),
                 (QStringList{".hidden", "pipe", "sub"}));
        QCOMPARE(ReadFile(trash + "sub/inner.jpg"), QByteArray("x"));
        QCOMPARE(ReadFile(target), QByteArray("keep"));
        QCOMPARE(ModeOf(target), mode_t(0444));
    }
};

QTEST_MAIN(Form2Test)
#include "tst_form2.moc"
