// The right-click delete on real files: asked first, into the trash or
// removed, a file no trash takes kept, every deletion in the journal, a name
// that is not UTF-8 deleting the file of its own bytes.
#include "platform/NativeName.h"
#include "settings/Module1.h"
#include "sorting/FileDeletion.h"
#include "sorting/SendRecorder.h"
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
    void deletes_data() {
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<QString>("dataHome"); // "": removed, not into the trash
        QTest::addColumn<bool>("journalWritable");
        QTest::addColumn<FileDeletion::Outcome>("outcome");
        QTest::addColumn<QString>("message"); // the last box, after the question
        using O = FileDeletion::Outcome;
        const PromptAnswer ok = PromptAnswer::Ok;
        QTest::newRow("cancelled") << PromptAnswer::Cancel << "" << true << O::Kept << "";
        QTest::newRow("removed") << ok << "" << true << O::Deleted << "";
        QTest::newRow("removed, journal full") << ok << "" << false << O::DeletedUnrecorded << "";
        QTest::newRow("into the trash") << ok << "data" << true << O::Deleted << "";
        // The data folder is a file: no trash can be made, the file stays.
        QTest::newRow("no trash")
            << ok << "no-data" << true << O::Kept
            << "a b.jpgをごみ箱に入れられなかったので、削除せずに残しました。";
    }
    void deletes() {
        QFETCH(PromptAnswer, answer);
        QFETCH(QString, dataHome);
        QFETCH(bool, journalWritable);
        QTemporaryDir dir;
        const QString folder = dir.filePath("src"), file = folder + "/a b.jpg";
        QVERIFY(QDir().mkpath(folder) && WriteFile(file, "picture"));
        QVERIFY(WriteFile(dir.filePath("no-data"), "a file where the data folder would be"));
        const QByteArray dataHomeBefore = qgetenv("XDG_DATA_HOME");
        const auto restore = qScopeGuard([&] { qputenv("XDG_DATA_HOME", dataHomeBefore); });
        qputenv("XDG_DATA_HOME", dir.filePath(dataHome).toUtf8());
        Module1 module;
        module.Extras.deleteToTrash = !dataHome.isEmpty();
        ScriptedPrompts prompts;
        prompts.Answer(answer);
        Journal journal;
        journal.writable = journalWritable;
        FileDeletion deletion(module, prompts);
        deletion.setRecorder(&journal);

        QFETCH(FileDeletion::Outcome, outcome);
        QCOMPARE(deletion.deleteFile(folder, "a b.jpg"), outcome);
        QCOMPARE(prompts.asked[0].text,
                 QStringLiteral("a b.jpgを削除しようとしています。\r\n削除しますか？"));
        QTEST(prompts.asked.size() > 1 ? prompts.asked.last().text : QString(), "message");
        QCOMPARE(QFile::exists(file), outcome == FileDeletion::Outcome::Kept);
        QCOMPARE(journal.events.size(), outcome == FileDeletion::Outcome::Kept ? 0 : 1);
        if (!journal.events.isEmpty())
            QCOMPARE(journal.events[0].source, file);
        if (dataHome == "data") { // where a file manager finds where it came from
            QVERIFY(QFileInfo(dir.filePath("data/Trash/files/a b.jpg")).size() > 0);
            QVERIFY(ReadFile(dir.filePath("data/Trash/info/a b.jpg.trashinfo"))
                        .contains("\nPath=" + QFile::encodeName(folder) + "/a%20b.jpg\n"));
        }
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
        FileDeletion deletion(module, prompts);
        QCOMPARE(deletion.deleteFile(dir.path(), FromNativeName("a\xff.txt")),
                 FileDeletion::Outcome::Deleted);
        QCOMPARE(prompts.asked[0].text,
                 QStringLiteral("a\uFFFD.txtを削除しようとしています。\r\n削除しますか？"));
        QCOMPARE(NativeFiles(folder), QList<QByteArray>{twin});
    }
};

QTEST_MAIN(FileDeletionTest)
#include "tst_filedeletion.moc"
