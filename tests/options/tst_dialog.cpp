// The options dialog as the program opens it from the main window's menu.
#include "options/Dialog.h"
#include "settings/SettingsFile.h"
#include "support/Controls.h"
#include "support/StartedProgram.h"

#include <QLineEdit>
#include <QTimer>
#include <QWindow>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// The program started from a settings file that holds the given copy mode,
// with the options dialog open.
struct Program : StartedProgram {
    explicit Program(Flag copyMode = 0)
        : StartedProgram([=](Module1& saved) {
              saved.CopyMode = copyMode;
              saved.SlideshowSeconds = 3; // OK takes it as it is
          }) {
        main().mnuOpt1_Click();
        dialog = main().findChild<Dialog*>();
    }
    bool blinking() { return ControlNamed<QTimer>(&main(), "Timer1")->isActive(); }
    QPointer<Dialog> dialog;
};

} // namespace

class DialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every way of closing discards the dialog. OK and Return write every
    // option, the other ways only the same-name question, which acts at
    // once; the main window's copy indicator then follows the copy mode
    // stored, which decides what the next send does. A number of seconds the
    // slideshow cannot run with (below 1, past 16 bits) is refused: the
    // dialog stays, the box keeps the focus, nothing more is written.
    void closing_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("stored"); // 0: refused
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("savedCopying");
        QTest::newRow("OK") << "OKButton" << 2 << "2.5秒" << false;
        QTest::newRow("Return in the seconds box") << "Return" << 2 << "2" << false;
        QTest::newRow("Cancel, copying") << "CancelButton" << 3 << "2" << true;
        QTest::newRow("close box, copying") << "close box" << 3 << "2" << true;
        QTest::newRow("0") << "OKButton" << 0 << "0" << false;
        QTest::newRow("out of range") << "OKButton" << 0 << "40000" << false;
    }
    void closing() {
        QFETCH(QString, how);
        QFETCH(QString, typed);
        QFETCH(int, stored);
        QFETCH(bool, savedCopying);
        Program p{Flag(savedCopying)};
        Module1 expected = p.module;
        for (const char* box : {"Check1", "Check6", "Check7"})
            ClickControl(p.dialog, box);
        auto* text1 = ControlNamed<QLineEdit>(p.dialog, "Text1");
        text1->setText(typed);
        if (how == "Return")
            QTest::keyClick(text1, Qt::Key_Return);
        else if (how == "close box") // as the window system delivers it
            p.dialog->windowHandle()->close();
        else
            ClickControl(p.dialog, how);
        expected.ConfirmSameName = 1;
        if ((how == "OKButton" || how == "Return") && stored > 0) {
            expected.RememberWindowSize = 1;
            expected.SlideshowSeconds = std::int16_t(stored);
            expected.CopyMode = !savedCopying;
        }
        QCOMPARE(FormatSettingsLine(p.module), FormatSettingsLine(expected));
        if (stored == 0) {
            QVERIFY(p.prompts.asked.value(0).text.startsWith("スライドショーの表示時間は"));
            QVERIFY(p.dialog && p.dialog->isVisible() && p.dialog->focusWidget() == text1);
            return;
        }
        QVERIFY(p.prompts.asked.isEmpty());
        QTRY_VERIFY(!p.dialog);
        QCOMPARE(p.blinking(), p.module.CopyMode == 1);
        QVERIFY(p.blinking() || ControlNamed<QWidget>(&p.main(), "Label8")->isHidden());
    }
};

QTEST_MAIN(DialogTest)
#include "tst_dialog.moc"
