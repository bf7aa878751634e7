// The options dialog as the program opens it from the main window's menu.
#include "options/Dialog.h"
#include "settings/SettingsFile.h"
#include "support/Controls.h"
#include "support/StartedProgram.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTimer>
#include <QWindow>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// The program started from a settings file that holds the given record,
// with the options dialog open.
struct Program : StartedProgram {
    explicit Program(Flag copyMode = 0, Flag extendMode = 1, Flag arrangement = 0)
        : StartedProgram([=](Module1& saved) {
              saved.CopyMode = copyMode;
              saved.ExtendMode = extendMode;
              saved.VerticalButtons = arrangement;
              saved.SlideshowSeconds = 3; // OK takes it as it is
          }) {
        main().mnuOpt1_Click();
        dialog = main().findChild<Dialog*>();
    }
    QAbstractButton* box(const QString& name) {
        return ControlNamed<QAbstractButton>(dialog, name);
    }
    bool blinking() { return ControlNamed<QTimer>(&main(), "Timer1")->isActive(); }
    QPointer<Dialog> dialog;
};

} // namespace

class DialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The boxes after opening and the clicks ("t:" toggles instead, as the
    // keyboard or assistive technology does): copy mode locks the extend box
    // and the arrangement, arrangement 2 shows neither option, a copy flag of
    // 2 is off, and unticking extend drops an arrangement not yet confirmed.
    void boxes_data() {
        QTest::addColumn<int>("copyMode"); // saved
        QTest::addColumn<int>("extendMode");
        QTest::addColumn<int>("arrangement");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<bool>("extendEnabled"); // shown
        QTest::addColumn<bool>("arrangementsEnabled");
        QTest::addColumn<int>("arrangementChosen"); // -1: neither
        QTest::addColumn<bool>("blinking");
        QTest::newRow("copy and extend") << 1 << 1 << 1 << "" << false << false << 1 << true;
        QTest::newRow("arrangement 2") << 0 << 1 << 2 << "" << true << true << -1 << false;
        QTest::newRow("copy flag 2 is off") << 2 << 1 << 0 << "" << true << false << 0 << false;
        QTest::newRow("copy mode toggled")
            << 0 << 1 << 0 << "t:Check6 Check6 t:Check6" << false << false << 0 << true;
        QTest::newRow("extend unticked")
            << 0 << 1 << 0 << "Option1_1 Check5 t:Check5" << true << true << 0 << false;
    }
    void boxes() {
        QFETCH(int, copyMode);
        QFETCH(int, extendMode);
        QFETCH(int, arrangement);
        QFETCH(QString, actions);
        Program p{Flag(copyMode), Flag(extendMode), Flag(arrangement)};
        QVERIFY(p.dialog && p.dialog->isVisible());
        for (const QString& action : actions.split(u' ', Qt::SkipEmptyParts))
            action.startsWith("t:") ? p.box(action.mid(2))->toggle()
                                    : ClickControl(p.dialog, action);
        QTEST(p.box("Check5")->isEnabled(), "extendEnabled");
        QTEST(p.box("Option1_0")->isEnabled(), "arrangementsEnabled");
        QTEST(p.box("Option1_0")->isChecked() ? 0 : (p.box("Option1_1")->isChecked() ? 1 : -1),
              "arrangementChosen");
        QTEST(p.blinking(), "blinking");
    }

    // Every way of closing discards the dialog, so the next opening starts
    // afresh (how 「実行」 follows it is the composition's own test). OK and
    // Return write every option, the
    // other ways only the same-name question, which acts at once; the main
    // window's copy indicator and its blinking then follow the copy mode
    // stored, which decides what the next send does. A number of seconds the
    // slideshow cannot run with (below 1 or past 16 bits; how text is read
    // as a number is the number reader's own tests) is refused: the dialog
    // stays, the box keeps the focus, nothing more is written.
    void closing_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored"); // 0: refused
        QTest::addColumn<bool>("savedCopying");
        const auto add = [](const char* row, const char* how, const QString& typed, int stored,
                            bool copying = false) {
            QTest::newRow(row) << QString(how) << typed << stored << copying;
        };
        add("OK", "OKButton", QStringLiteral("2.5秒"), 2);
        add("OK, copying", "OKButton", "2", 2, true);
        add("Return in the seconds box", "Return", "2", 2);
        add("Cancel", "CancelButton", "2", 3);
        add("Cancel, copying", "CancelButton", "2", 3, true);
        add("Escape", "Escape", "2", 3);
        add("close box, copying", "close box", "2", 3, true);
        add("0", "OKButton", "0", 0);
        add("out of range", "OKButton", "40000", 0);
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
        else if (how == "Escape")
            QTest::keyClick(p.dialog, Qt::Key_Escape);
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
        const bool copying = p.module.CopyMode == 1;
        QCOMPARE(p.blinking(), copying);
        const QWidget* label8 = ControlNamed<QWidget>(&p.main(), "Label8");
        if (copying) // blinking: it shows every other tick
            QTRY_VERIFY_WITH_TIMEOUT(!label8->isHidden(), 1500);
        else
            QVERIFY(label8->isHidden());
    }
};

QTEST_MAIN(DialogTest)
#include "tst_dialog.moc"
