// The right-click delete on real files: asked first, into the trash or
// removed, a file no trash takes kept, a name that is not UTF-8 deleting the
// file of its own bytes.
#include "platform/NativeName.h"
#include "settings/Module1.h"
#include "sorting/FileDeletion.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

Q_DECLARE_METATYPE(FileDeletion::Outcome)

class FileDeletionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Asked first; into the trash, or removed. Where no trash can be made
    // (the data folder is a file) the file stays and the user is told. The
    // journal's record of it is the journal window's test.
    void deletes_data() {
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<QString>("dataHome"); // "": removed, not into the trash
        QTest::addColumn<FileDeletion::Outcome>("outcome");
        using O = FileDeletion::Outcome;
        QTest::newRow("cancelled") << PromptAnswer::Cancel << "" << O::Kept;
        QTest::newRow("removed") << PromptAnswer::Ok << "" << O::Deleted;
        QTest::newRow("into the trash") << PromptAnswer::Ok << "data" << O::Deleted;
        QTest::newRow("no trash") << PromptAnswer::Ok << "no-data" << O::Kept;
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
        QCOMPARE(FileDeletion(module, prompts).deleteFile(folder, "a b.jpg"), outcome);
        QVERIFY(prompts.asked[0].text.startsWith("a b.jpgを削除しようとしています。"));
        QCOMPARE(prompts.asked.size(), dataHome == "no-data" ? 2 : 1);
        QVERIFY(prompts.asked.last().text.contains(
            dataHome == "no-data" ? "ごみ箱に入れられなかった" : "削除しますか"));
        QCOMPARE(QFile::exists(file), outcome == FileDeletion::Outcome::Kept);
        QCOMPARE(ReadFile(dir.filePath("data/Trash/files/a b.jpg")),
                 dataHome == "data" ? "picture" : "");
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
