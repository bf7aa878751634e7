// Companion files: which names travel with a picture, and a send of the
// group through the sorting run on real files, placed all or none, undone
// as one.
#include "sorting/Companions.h"
#include "sorting/RunOnFiles.h"
#include "support/TemporaryMount.h"
#include "support/TemporaryTrash.h"

#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

const QStringList group{"IMG_0001.CR3", "IMG_0001.JPG", "IMG_0001.xmp"};

// A run whose sends take companions along, over the given files.
struct GroupRun : Run {
    explicit GroupRun(const QStringList& files) : Run(files) {
        module.Extras.sendCompanions = true;
    }
};

} // namespace

class CompanionsTest : public QObject {
    Q_OBJECT
    std::optional<TemporaryTrash> trash;

private Q_SLOTS:
    void init() { trash.emplace(); }
    void cleanup() { trash.reset(); }

    // The companions of a name in a folder (names separated by commas).
    void companionNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("companions");
        const QString card = "IMG_0001.CR3,IMG_0001.JPG,IMG_0001.xmp,IMG_0002.CR3,IMG_0002.JPG";
        const auto row = [](const char* tag, const QString& name, const QString& folder,
                            const QString& companions) {
            QTest::newRow(tag) << name << folder << companions;
        };
        row("raw with its jpeg and sidecar", "IMG_0001.CR3", card, "IMG_0001.JPG,IMG_0001.xmp");
        row("the jpeg leads just as well", "IMG_0001.JPG", card, "IMG_0001.CR3,IMG_0001.xmp");
        row("sidecars after the full name, any case", "IMG_0001.CR3",
            "IMG_0001.CR3,IMG_0001.CR3.xmp,IMG_0001.HEIC,IMG_0001.HEIC.AAE,IMG_0001.cr3.pp3,"
            "IMG_0001.pp3",
            "IMG_0001.CR3.xmp,IMG_0001.HEIC,IMG_0001.HEIC.AAE,IMG_0001.pp3");
        row("the stem matches exactly", "IMG_0001.CR3",
            "IMG_0001.CR3,img_0001.jpg,IMG_00011.JPG,IMG_0001 .JPG,IMG_0001.JPG.bak,"
            "IMG_0001.txt,IMG_0001,.IMG_0001.xmp",
            "");
        row("a sidecar sent alone travels alone", "IMG_0001.xmp", card, "");
        row("a file of no picture kind has none", "notes.txt", "notes.txt,notes.jpg,notes.xmp", "");
        row("dots inside the stem", "a.b.jpg", "a.b.jpg,a.b.nef,a.nef,a.b.xmp", "a.b.nef,a.b.xmp");
    }
    void companionNames() {
        QFETCH(QString, name);
        QFETCH(QString, folder);
        QTEST(CompanionNames(name, folder.split(',')).join(','), "companions");
    }

    // The list then holds neither the file nor its companions; with the
    // option off only the file goes, and an undo brings the whole group back.
    void groupTravelsAndComesBack_data() {
        QTest::addColumn<bool>("option");
        QTest::addColumn<bool>("copy");
        QTest::newRow("move") << true << false;
        QTest::newRow("copy") << true << true;
        QTest::newRow("option off") << false << false;
    }
    void groupTravelsAndComesBack() {
        QFETCH(bool, option);
        QFETCH(bool, copy);
        GroupRun r(group + QStringList{"IMG_0002.JPG"});
        r.module.Extras.sendCompanions = option;
        r.module.CopyMode = copy;
        r.run.send(3);
        const QStringList sent = option ? group : QStringList{"IMG_0001.CR3"};
        QCOMPARE(Files(r.slot(3)), sent);
        for (const QString& name : sent)
            QCOMPARE(ReadFile(r.slot(3) + "/" + name), name.toUtf8());
        QCOMPARE(r.listed.size(), copy ? 4 : 4 - sent.size());
        r.run.undo();
        QVERIFY(r.failures.isEmpty() && Files(r.slot(3)).isEmpty());
        QCOMPARE(Files(r.path("src")), group + QStringList{"IMG_0002.JPG"});
        for (const QString& name : group)
            QCOMPARE(ReadFile(r.source(name)), name.toUtf8());
    }

    // A name taken for any member asks once for the whole group: OK sets
    // every taken file aside (and the undo puts them back), Cancel sends
    // nothing. With the question off the taken files are set aside unasked.
    // A name that differs only in case is another name here.
    void aTakenNameAsksOnceForTheGroup_data() {
        QTest::addColumn<int>("question"); // ConfirmSameName
        QTest::addColumn<PromptAnswer>("answer");
        QTest::newRow("ok") << 1 << PromptAnswer::Ok;
        QTest::newRow("cancel") << 1 << PromptAnswer::Cancel;
        QTest::newRow("question off") << 0 << PromptAnswer::Cancel;
    }
    void aTakenNameAsksOnceForTheGroup() {
        QFETCH(int, question);
        QFETCH(PromptAnswer, answer);
        const bool sent = !question || answer == PromptAnswer::Ok;
        GroupRun r({"IMG_0001.NEF", "IMG_0001.JPG"});
        r.module.ConfirmSameName = Flag(question);
        QVERIFY(WriteFile(r.slot(2) + "/IMG_0001.JPG", "older jpeg"));
        QVERIFY(WriteFile(r.slot(2) + "/img_0001.nef", "another name"));
        r.prompts.Answer(answer);
        r.run.send(2);
        QCOMPARE(r.prompts.asked.size(), question);
        QVERIFY(!question || r.prompts.asked[0].text.startsWith("同名のファイルがあります"));
        const QStringList pair{"IMG_0001.JPG", "IMG_0001.NEF"};
        QCOMPARE(Files(r.path("src")), sent ? QStringList{} : pair);
        QCOMPARE(ReadFile(r.slot(2) + "/IMG_0001.JPG"), sent ? "IMG_0001.JPG" : "older jpeg");
        if (!sent)
            return;
        QCOMPARE(Files(trash->path("files")), QStringList{"IMG_0001.JPG"});
        r.run.undo();
        QCOMPARE(Files(r.path("src")), pair);
        QCOMPARE(Files(r.slot(2)), (QStringList{"IMG_0001.JPG", "img_0001.nef"}));
        QCOMPARE(ReadFile(r.slot(2) + "/IMG_0001.JPG"), "older jpeg");
    }

    // A member that cannot be placed takes every member already placed back
    // with it, and the files they replaced come back too: a folder with a
    // member's name (which nothing sets aside), or another, small file
    // system whose room runs out at the last member. One line says why.
    void aMemberThatCannotBePlacedKeepsTheGroupHome_data() {
        QTest::addColumn<bool>("full");
        QTest::newRow("a folder in a member's place") << false;
        QTest::newRow("a small file system fills up part-way") << true;
    }
    void aMemberThatCannotBePlacedKeepsTheGroupHome() {
        QFETCH(bool, full);
        const QByteArray filler(full ? 400 * 1024 : 0, 'x');
        GroupRun r({});
        for (const QString& name : group)
            QVERIFY(WriteFile(r.source(name), filler + name.toUtf8()));
        r.listChanged();
        std::optional<TemporaryMount> volume;
        if (full) {
            volume.emplace(r.slot(4));
            REQUIRE_MOUNTED(volume->refusal);
        } else {
            QVERIFY(WriteFile(r.slot(4) + "/IMG_0001.CR3", "older raw"));
            QVERIFY(QDir().mkpath(r.slot(4) + "/IMG_0001.xmp"));
        }
        r.run.send(4);
        QCOMPARE(Files(r.path("src")), group);
        for (const QString& name : group)
            QCOMPARE(ReadFile(r.source(name)), filler + name.toUtf8());
        QCOMPARE(Files(r.slot(4)), full ? QStringList{} : QStringList{"IMG_0001.CR3"});
        QVERIFY(full || ReadFile(r.slot(4) + "/IMG_0001.CR3") == "older raw");
        QVERIFY(r.failures.size() == 1 && r.run.history().isEmpty());
    }

    // The undo is all or nothing as well: one member's old place taken by
    // another file leaves the whole group where it was sent.
    void anUndoThatOneMemberRefusesMovesNone() {
        GroupRun r({"IMG_0001.CR3", "IMG_0001.JPG"});
        r.run.send(6);
        QVERIFY(WriteFile(r.source("IMG_0001.JPG"), "a new file under the old name"));
        r.run.undo();
        QCOMPARE(Files(r.slot(6)), (QStringList{"IMG_0001.CR3", "IMG_0001.JPG"}));
        QCOMPARE(Files(r.path("src")), QStringList{"IMG_0001.JPG"});
        QVERIFY(r.failures.size() == 1 && r.run.history().size() == 1);
    }
};

QTEST_GUILESS_MAIN(CompanionsTest)
#include "tst_companions.moc"
