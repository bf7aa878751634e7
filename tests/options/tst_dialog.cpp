// The options dialog as the program opens it from the main window's menu.
#include "options/Dialog.h"
#include "settings/SettingsFile.h"
#include "sorting/Form1.h"
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
    template <typename W = QAbstractButton> W* control(const char* name) {
        return dialog->findChild<W*>(QLatin1String(name));
    }
    void click(const char* name) {
        QWidget* widget = control<QWidget>(name);
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
    }

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
        Program program{Flag(copyMode), Flag(extendMode), Flag(arrangement)};
        QVERIFY(program.dialog && program.dialog->isVisible());
        for (const QString& action : actions.split(u' ', Qt::SkipEmptyParts))
            action.startsWith("t:") ? program.control(qPrintable(action.mid(2)))->toggle()
                                    : program.click(qPrintable(action));
        const int chosen = program.control("Option1_0")->isChecked()   ? 0
                           : program.control("Option1_1")->isChecked() ? 1
                                                                       : -1;
        QTEST(program.control("Check5")->isEnabled(), "extendEnabled");
        QTEST(program.control("Option1_0")->isEnabled(), "arrangementsEnabled");
        QTEST(chosen, "arrangementChosen");
        QTEST(program.main().findChild<QTimer*>("Timer1")->isActive(), "blinking");
    }

    // However the dialog is left after the copy-mode box was clicked, the
    // main window's indicator and its blinking follow the copy mode stored,
    // which decides what the next send does; the close box and Escape arrive
    // as the window system delivers them.
    void indicatorFollowsTheStoredCopyMode_data() {
        QTest::addColumn<bool>("savedCopying");
        QTest::addColumn<QString>("how");
        for (const bool saved : {false, true})
            for (const char* how : {"OKButton", "CancelButton", "Escape", "close box"})
                QTest::addRow("copy %d, %s", saved, how) << saved << QString(how);
    }
    void indicatorFollowsTheStoredCopyMode() {
        QFETCH(bool, savedCopying);
        QFETCH(QString, how);
        Program program{Flag(savedCopying)};
        program.click("Check6");
        if (how == "Escape")
            QTest::keyClick(program.dialog, Qt::Key_Escape);
        else if (how == "close box")
            program.dialog->windowHandle()->close();
        else
            program.click(qPrintable(how));
        QTRY_VERIFY(!program.dialog);
        const bool copying = program.module.CopyMode == 1;
        QCOMPARE(copying, savedCopying != (how == "OKButton"));
        Form1& main = program.windows.main();
        QCOMPARE(main.findChild<QTimer*>("Timer1")->isActive(), copying);
        const QWidget* label8 = main.findChild<QWidget*>("Label8");
        if (copying) // blinking: it shows every other tick
            QTRY_VERIFY_WITH_TIMEOUT(!label8->isHidden(), 1500);
        else
            QVERIFY(label8->isHidden());
    }

    // Seconds as an input method types them are read as digits; a number the
    // slideshow cannot run with (below 1) is refused like one out of range:
    // the dialog stays, the box keeps the focus, nothing is written.
    void seconds_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored"); // 0: refused
        QTest::newRow("full-width") << QStringLiteral("５") << 5;
        QTest::newRow("rounds up to 1") << "0.6" << 1;
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("full-width minus") << QStringLiteral("－５") << 0;
        QTest::newRow("no number") << "abc" << 0;
        QTest::newRow("out of range") << "40000" << 0;
    }
    void seconds() {
        QFETCH(QString, typed);
        QFETCH(int, stored);
        Program program;
        const Module1 before = program.module;
        program.click("Check1");
        auto* text1 = program.control<QLineEdit>("Text1");
        text1->setText(typed);
        program.click("OKButton");
        if (stored > 0) {
            QCOMPARE(program.module.SlideshowSeconds, stored);
            QVERIFY(program.prompts.asked.isEmpty());
            return;
        }
        QCOMPARE(FormatSettingsLine(program.module), FormatSettingsLine(before));
        QCOMPARE(
            program.prompts.asked.value(0).text,
            QStringLiteral("スライドショーの表示時間は 1 から 32767 までの数で入力してください。"));
        QVERIFY(program.dialog && program.dialog->isVisible());
        QCOMPARE(program.dialog->focusWidget(), text1);
    }

    // Every way of closing enables Start again and discards the dialog, so
    // the next opening starts afresh. OK and Return write every option, the
    // other ways only the same-name question, which acts at once; seconds out
    // of range write nothing more and keep the dialog open.
    void closing_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("seconds");
        const auto add = [](const char* row, const char* how, const QString& seconds) {
            QTest::newRow(row) << QString(how) << seconds;
        };
        add("OK", "OKButton", QStringLiteral("2.5秒"));
        add("Return in the seconds box", "Return", "2");
        add("Cancel", "CancelButton", "2");
        add("Escape", "Escape", "2");
        add("the main window closes", "main", "2");
        add("seconds out of range", "OKButton", "99999");
    }
    void closing() {
        QFETCH(QString, how);
        QFETCH(QString, seconds);
        const bool refused = seconds == "99999", written = how.contains("OK") || how == "Return";
        Program program;
        Module1 expected = program.module;
        program.click("Check1");
        program.click("Check7");
        program.windows.main().mnuOpt1_Click(); // one instance, raised again
        QCOMPARE(program.windows.main().findChildren<Dialog*>(), QList<Dialog*>{program.dialog});
        auto* text1 = program.control<QLineEdit>("Text1");
        text1->setText(seconds);
        if (how == "Return" || how == "Escape")
            QTest::keyClick(text1, how == "Return" ? Qt::Key_Return : Qt::Key_Escape);
        else if (how == "main")
            program.windows.main().close();
        else
            program.click(qPrintable(how));
        expected.ConfirmSameName = 1;
        if (written && !refused)
            expected.RememberWindowSize = 1, expected.SlideshowSeconds = 2;
        if (how != "main") // which saves the window's place too
            QCOMPARE(FormatSettingsLine(program.module), FormatSettingsLine(expected));
        QCOMPARE(program.prompts.asked.size(), refused ? 1 : 0);
        QCOMPARE(program.windows.main().findChild<QWidget*>("Command1")->isEnabled(), !refused);
        if (!refused)
            QTRY_VERIFY(!program.dialog);
    }
};

QTEST_MAIN(DialogTest)
#include "tst_dialog.moc"
