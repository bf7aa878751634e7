// The program's outer layer: the real message boxes, and the program's start
// and end as the composition root runs them (how its windows meet is in
// tst_windows).
#include "app/InterfaceLanguage.h"
#include "app/QtPrompts.h"
#include "app/Windows.h"
#include "controls/FileList.h"
#include "imaging/PictureSource.h"
#include "sorting/Form1.h"
#include "support/RecordingLauncher.h"
#include "support/Rows.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"
#include "support/UnreadableSettings.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// The program's parts over a program folder, its windows made, not started.
struct Program {
    explicit Program(const QString& folder) { module.ProgramFolder = folder; }
    Module1 module;
    ScriptedPrompts prompts;
    RecordingLauncher launcher;
    PictureSource pictures;
    Windows windows{module, prompts, launcher, pictures};
};

// Asks a Retry/Cancel question with the real box and presses the key in it
// once it shows; what it showed: title, text, icon, and its buttons' captions.
PromptAnswer AskPressing(Qt::Key key, QStringList& seen) {
    QTimer answering;
    answering.callOnTimeout([&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            answering.stop();
            seen = QStringList{box->windowTitle(), box->text(), QString::number(box->icon()),
                               box->button(QMessageBox::Retry)->text(),
                               box->button(QMessageBox::Cancel)->text()};
            QTest::keyClick(box, key);
        }
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
        const InterfaceTranslations japanese(InterfaceLanguage::Japanese);
        QStringList seen;
        QCOMPARE(AskPressing(Qt::Key_Return, seen), PromptAnswer::Retry);
        QCOMPARE(seen,
                 (QStringList{"Sorvane", "ドライブ /mnt の準備ができていません。",
                              QString::number(QMessageBox::Information), "再試行", "キャンセル"}));
        QCOMPARE(AskPressing(Qt::Key_Escape, seen), PromptAnswer::Cancel);
    }

    // A settings file the start could not read is kept as it is at the end.
    void unreadableSettingsAreNeverReplaced() {
        QTemporaryDir folder;
        const QByteArray kept = "\"/only the user knows\"\r\n";
        QVERIFY(WriteFile(folder.filePath("Sorvane.ini"), kept));
        {
            const UnreadableSettings unreadable;
            Program program(folder.path());
            QVERIFY(program.windows.start() && program.windows.main().close());
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
        QFETCH(QString, previewed);
        QFETCH(QString, told);
        QTemporaryDir dir;
        const auto in = [&](const QString& path) {
            return path.isEmpty() ? path : dir.filePath(path);
        };
        QVERIFY(QDir(dir.path()).mkpath("photos"));
        QVERIFY(WriteImage(dir.filePath("photos/b.jpg"), QSize(8, 6), "JPEG", Qt::red));
        for (const char* name : {"photos/a.jpg", "photos/notes.txt", "photos/broken.jpg"})
            QVERIFY(WriteFile(dir.filePath(name), "not a picture"));
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
        QCOMPARE(main.currentImagePath(), in(previewed));
        QCOMPARE(program.prompts.asked.size(), int(!told.isEmpty()));
        QCOMPARE(toldOverTheWindow, !told.isEmpty());
        QCOMPARE(program.launcher.started, QStringList());
    }
};

QTEST_MAIN(AppTest)
#include "tst_app.moc"
