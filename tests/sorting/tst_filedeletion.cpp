// The right-click delete on real files: asked first, into the trash or
// removed, a file no trash takes kept, every deletion in the journal, a name
// that is not UTF-8 deleting the file of its own bytes.
#include "platform/NativeName.h"
#include "settings/Module1.h"
#include "sorting/FileDeletion.h"
#include "sorting/SendRecorder.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

Q_DECLARE_METATYPE(FileDeletion::Outcome)

namespace {

struct Journal : SendRecorder {
    bool writable = true;
    QList<JournalEvent> events;
    bool record(const JournalEvent& event) override {
        events << event;
        return writable;
    }
};

} // namespace

class FileDeletionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The trash entry says where the file came from, for a file manager to
    // put it back. Where no trash can be made (the data folder is a file)
    // the file stays and the user is told.
    void deletes_data() {
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<QString>("dataHome"); // "": removed, not into the trash
        QTest::addColumn<bool>("journalWritable");
        QTest::addColumn<FileDeletion::Outcome>("outcome");
        using O = FileDeletion::Outcome;
        const PromptAnswer ok = PromptAnswer::Ok;
        QTest::newRow("cancelled") << PromptAnswer::Cancel << "" << true << O::Kept;
        QTest::newRow("removed") << ok << "" << true << O::Deleted;
        QTest::newRow("removed, journal full") << ok << "" << false << O::DeletedUnrecorded;
        QTest::newRow("into the trash") << ok << "data" << true << O::Deleted;
        QTest::newRow("no trash") << ok << "no-data" << true << O::Kept;
    }
    void deletes() {
        QFETCH(PromptAnswer, answer);
        QFETCH(QString, dataHome);
        QFETCH(FileDeletion::Outcome, outcome);
        QTemporaryDir dir;
        const QString folder = dir.filePath("src"), file = folder + "/a b.jpg";
        QVERIFY(QDir().mkpath(folder) && WriteFile(file, "picture"));
        QVERIFY(WriteFile(dir.filePath("no-data"), "a file where the data folder would be"));
        const ScopedEnvironment data("XDG_DATA_HOME", QFile::encodeName(dir.filePath(dataHome)));
        Module1 module;
        module.Extras.deleteToTrash = !dataHome.isEmpty();
        ScriptedPrompts prompts;
        prompts.Answer(answer);
        Journal journal;
        QFETCH(bool, journalWritable);
        journal.writable = journalWritable;
        FileDeletion deletion(module, prompts);
        deletion.setRecorder(&journal);
        QCOMPARE(deletion.deleteFile(folder, "a b.jpg"), outcome);
        QVERIFY(prompts.asked[0].text.startsWith("a b.jpgを削除しようとしています。"));
        QCOMPARE(prompts.asked.size(), dataHome == "no-data" ? 2 : 1);
        QVERIFY(prompts.asked.last().text.contains(
            dataHome == "no-data" ? "ごみ箱に入れられなかった" : "削除しますか"));
        QCOMPARE(QFile::exists(file), outcome == FileDeletion::Outcome::Kept);
        QCOMPARE(journal.events.size(), int(!QFile::exists(file)));
        QCOMPARE(journal.events.value(0).source, QFile::exists(file) ? QString() : file);
        QVERIFY(dataHome != "data" ||
                ReadFile(dir.filePath("data/Trash/info/a b.jpg.trashinfo"))
                    .contains("\nPath=" + QFile::encodeName(folder) + "/a%20b.jpg\n"));
        QVERIFY(dataHome != "data" || QFileInfo(dir.filePath("data/Trash/files/a b.jpg")).size());
    }

    // Of a name that is not UTF-8 and its look-alike with U+FFFD, both shown
    // with U+FFFD, the one named by the bytes is deleted.
    void deletesTheFileOfItsOwnBytes() {
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path()), twin = "a\xef\xbf\xbd.txt";
        QVERIFY(WriteNativeFile(folder + "/a\xff.txt", "") &&
                WriteNativeFile(folder + '/' + twin, ""));
        Module1 module;
        ScriptedPrompts prompts;
        prompts.Answer(PromptAnswer::Ok);
        QCOMPARE(FileDeletion(module, prompts).deleteFile(dir.path(), FromNativeName("a\xff.txt")),
                 FileDeletion::Outcome::Deleted);
        QVERIFY(prompts.asked[0].text.startsWith("a\uFFFD.txtを削除"));
        QCOMPARE(NativeFiles(folder), QList<QByteArray>{twin});
    }
};

QTEST_MAIN(FileDeletionTest)
#include "tst_filedeletion.moc"
