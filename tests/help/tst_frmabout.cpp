// The About box, with a recording launcher and scripted message boxes.
#include "help/frmAbout.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

class AboutTest : public QObject {
    Q_OBJECT

    QByteArray path_ = qgetenv("PATH");

    static QLabel* Label(frmAbout& box, const char* name) {
        return box.findChild<QLabel*>(QString::fromLatin1(name));
    }
    static QColor LinkColour(frmAbout& box) {
        return Label(box, "Label1")->palette().color(QPalette::WindowText);
    }

private Q_SLOTS:
    void cleanup() { qputenv("PATH", path_); }

    void showsTitleAndProjectVersion() {
        ScriptedPrompts prompts;
        RecordingLauncher launcher;
        frmAbout box(prompts, launcher);
        QCOMPARE(box.windowTitle(), QStringLiteral("Sorvaneのﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(Label(box, "lblVersion")->text(), "ﾊﾞｰｼﾞｮﾝ " SORVANE_PROJECT_VERSION);
        QCOMPARE(Label(box, "lblTitle")->text(), QStringLiteral("Sorvane"));
        QVERIFY(!Label(box, "picIcon")->pixmap().isNull());
    }

    // The first known program on PATH is started; with none, or when it will
    // not start, the box says so.
    void startsTheSystemInformationProgram_data() {
        QTest::addColumn<QStringList>("onPath");
        QTest::addColumn<bool>("startSucceeds");
        QTest::addColumn<QString>("started");
        QTest::newRow("none on PATH") << QStringList() << true << "";
        QTest::newRow("first known one")
            << QStringList{"gnome-system-monitor", "kinfocenter"} << true << "kinfocenter";
        QTest::newRow("will not start") << QStringList{"hardinfo"} << false << "hardinfo";
    }
    void startsTheSystemInformationProgram() {
        QFETCH(QStringList, onPath);
        QFETCH(bool, startSucceeds);
        QFETCH(QString, started);
        QTemporaryDir bin;
        for (const QString& name : onPath) {
            WriteFile(bin.filePath(name), "#!/bin/sh\n");
            QVERIFY(QFile::setPermissions(bin.filePath(name), QFile::ReadOwner | QFile::ExeOwner));
        }
        qputenv("PATH", onPath.isEmpty() ? QByteArray() : QFile::encodeName(bin.path()));
        ScriptedPrompts prompts;
        RecordingLauncher launcher;
        launcher.startSucceeds = startSucceeds;
        frmAbout box(prompts, launcher);
        QTest::mouseClick(box.findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(launcher.programsStarted,
                 started.isEmpty() ? QStringList() : QStringList{bin.filePath(started)});
        QCOMPARE(prompts.asked.size(), startSucceeds && !started.isEmpty() ? 0 : 1);
        if (!prompts.asked.isEmpty()) {
            QCOMPARE(prompts.asked[0].title, QStringLiteral("Sorvane"));
            QCOMPARE(prompts.asked[0].text, QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません"));
        }
    }

    // Purple under the pointer, blue again over the background or the
    // description; other controls leave the colour as it is.
    void linkFollowsThePointerAndOpensItsAddress() {
        ScriptedPrompts prompts;
        RecordingLauncher launcher;
        frmAbout box(prompts, launcher);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QColor blue(0, 0, 255), purple(128, 0, 128);
        QCOMPARE(LinkColour(box), blue);
        const auto moveOnto = [&box](const char* name) {
            QWidget* control = Label(box, name);
            QTest::mouseMove(box.windowHandle(),
                             control ? control->geometry().center() : QPoint(5, 5));
        };
        moveOnto("Label1");
        QCOMPARE(LinkColour(box), purple);
        moveOnto("lblTitle");
        QCOMPARE(LinkColour(box), purple);
        moveOnto("lblDescription");
        QCOMPARE(LinkColour(box), blue);
        moveOnto("Label1");
        moveOnto("background");
        QCOMPARE(LinkColour(box), blue);
        QTest::mouseClick(Label(box, "Label1"), Qt::LeftButton);
        QCOMPARE(launcher.opened, QList<QUrl>{QUrl(Label(box, "Label1")->text())});
    }
};

QTEST_MAIN(AboutTest)
#include "tst_frmabout.moc"
