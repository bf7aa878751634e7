// The help and version commands through the program's composition root, and
// the About box they open.
#include "app/Windows.h"
#include "imaging/PictureSource.h"
#include "settings/Module1.h"
#include "sorting/Form1.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

class HelpWindowsTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    Module1 module;
    ScriptedPrompts prompts;
    RecordingLauncher launcher;
    PictureSource pictures;
    std::unique_ptr<Windows> windows;

    template <typename T = QWidget> T* Find(const char* name) const {
        return windows->main().findChild<T*>(QString::fromLatin1(name));
    }
    void Choose(const char* menuItem) const { Find<QAction>(menuItem)->trigger(); }
    bool Shown(const char* window) const { return Find(window) && Find(window)->isVisible(); }

private Q_SLOTS:
    void init() {
        QVERIFY(QDir(folder.path()).removeRecursively() && QDir().mkpath(folder.path()));
        module.ProgramFolder = folder.path();
        launcher = RecordingLauncher();
        prompts = ScriptedPrompts();
        windows = std::make_unique<Windows>(module, prompts, launcher, pictures);
    }
    void cleanup() { windows.reset(); }

    // The help page opens with its program when it is there, as a file or a
    // folder; otherwise the usage window opens. Both during a run too.
    void helpOpensThePageOrTheUsageWindow_data() {
        QTest::addColumn<QString>("page"); // made as a "file", a "folder", or not at all
        QTest::addColumn<bool>("running");
        QTest::newRow("page") << "file" << false;
        QTest::newRow("page folder, during a run") << "folder" << true;
        QTest::newRow("no page, during a run") << "" << true;
    }
    void helpOpensThePageOrTheUsageWindow() {
        QFETCH(QString, page);
        QFETCH(bool, running);
        module.SortingActive = running ? 1 : 0;
        const QString pagePath = folder.filePath("help/help.htm");
        QVERIFY(QDir().mkpath(page == "folder" ? pagePath : folder.filePath("help")));
        if (page == "file")
            WriteFile(pagePath, "<html></html>");
        Choose("mnuHelp");
        QCOMPARE(Shown("Form3"), page.isEmpty());
        QCOMPARE(launcher.started, page.isEmpty() ? QStringList() : QStringList{pagePath});
        if (page.isEmpty())
            return;
        QCOMPARE(Find<QLabel>("Label4")->text(), QStringLiteral("/usr/bin/editor"));
        launcher.startSucceeds = false;
        Choose("mnuHelp");
        QCOMPARE(Find<QLabel>("Label4")->text(),
                 QStringLiteral("インターネットエクスプローラーを、起動出来ませんでした。"));
    }

    void aboutShowsTheProjectVersionTheLinkAndSystemInformation() {
        Choose("mnuVer1");
        QWidget* about = Find("frmAbout");
        QCOMPARE(about->windowTitle(), QStringLiteral("Sorvaneのﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(about->findChild<QLabel*>("lblVersion")->text(),
                 "ﾊﾞｰｼﾞｮﾝ " SORVANE_PROJECT_VERSION);
        auto* link = about->findChild<QLabel*>("Label1");
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(launcher.opened, QList<QUrl>{QUrl(link->text())});
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", ""); // no system-information program to be found
        QTest::mouseClick(about->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
        qputenv("PATH", path);
        QVERIFY(launcher.programsStarted.isEmpty());
        QCOMPARE(prompts.asked.size(), 1);
        QCOMPARE(prompts.asked[0].title, QStringLiteral("Sorvane"));
        QCOMPARE(prompts.asked[0].text, QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません"));
    }

    // Chosen twice, a window opens once. While it is open the start button is
    // off; closing it, in any way, turns the button on again, even with the
    // other window still open.
    void eachWindowOpensOnceAndEnablesStartWhenClosed_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("closeBy"); // a button's name, "Escape" or "close box"
        QTest::newRow("About, OK") << "frmAbout"
                                   << "cmdOK";
        QTest::newRow("About, Escape") << "frmAbout"
                                       << "Escape";
        QTest::newRow("usage, its button") << "Form3"
                                           << "Command1";
        QTest::newRow("usage, close box") << "Form3"
                                          << "close box";
    }
    void eachWindowOpensOnceAndEnablesStartWhenClosed() {
        QFETCH(QString, window);
        QFETCH(QString, closeBy);
        module.SortingActive = 1;
        const bool about = window == "frmAbout";
        Choose(about ? "mnuVer1" : "mnuHelp");
        QWidget* shown = Find(window.toLatin1());
        Choose(about ? "mnuVer1" : "mnuHelp");
        Choose(about ? "mnuHelp" : "mnuVer1"); // the other one
        QCOMPARE(windows->main().findChildren<QWidget*>(window).size(), 1);
        QCOMPARE(shown->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
        auto* start = Find<QPushButton>("Command1");
        QVERIFY(!start->isEnabled());

        if (closeBy == "Escape")
            QTest::keyClick(shown, Qt::Key_Escape);
        else if (closeBy == "close box")
            shown->close();
        else
            QTest::mouseClick(shown->findChild<QPushButton*>(closeBy), Qt::LeftButton);
        QVERIFY(start->isEnabled());
        QVERIFY(!shown->isVisible());
        QVERIFY(Shown(about ? "Form3" : "frmAbout"));
    }
};

QTEST_MAIN(HelpWindowsTest)
#include "tst_helpwindows.moc"
