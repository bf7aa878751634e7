// The options dialog as the program opens it from the main window's menu.
#include "app/Windows.h"
#include "imaging/PictureSource.h"
#include "options/Dialog.h"
#include "settings/SettingsFile.h"
#include "sorting/Form1.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedPrompts.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

// The whole program over temporary folders, started from a settings file
// that holds the given record.
struct Program {
    explicit Program(Module1 saved = {}) {
        saved.ProgramFolder = folder("program");
        saved.SourceFolder = folder("src");
        for (int i = 0; i < SlotCount; ++i)
            saved.FolderSlots[size_t(i)] = folder(QStringLiteral("slot%1").arg(i));
        SaveSettingsFile(saved);
        module.ProgramFolder = saved.ProgramFolder;
        windows = std::make_unique<Windows>(module, prompts, launcher, pictures);
        started = windows->start();
    }

    QString folder(const QString& name) {
        QDir(dir.path()).mkpath(name);
        return dir.filePath(name);
    }

    Dialog* openOptions() {
        windows->main().mnuOpt1_Click();
        return windows->main().findChild<Dialog*>();
    }

    template <typename W = QWidget> W* main(const char* name) {
        return windows->main().findChild<W*>(QLatin1String(name));
    }
    bool startEnabled() { return main<QPushButton>("Command1")->isEnabled(); }
    bool indicatorShown() { return main<QLabel>("Label8")->isVisible(); }
    bool blinking() { return main<QTimer>("Timer1")->isActive(); }

    QTemporaryDir dir;
    Module1 module;
    ScriptedPrompts prompts;
    RecordingLauncher launcher;
    PictureSource pictures;
    std::unique_ptr<Windows> windows;
    bool started = false;
};

template <typename W = QCheckBox> W* control(Dialog* dialog, const char* name) {
    return dialog->findChild<W*>(QLatin1String(name));
}

void click(Dialog* dialog, const char* name) {
    QWidget* widget = control<QWidget>(dialog, name);
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
}

Module1 Flags(Flag copy, Flag extend, Flag vertical) {
    Module1 saved;
    saved.CopyMode = copy;
    saved.ExtendMode = extend;
    saved.VerticalButtons = vertical;
    return saved;
}

} // namespace

class DialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opening_data() {
        QTest::addColumn<Module1>("saved");
        QTest::addColumn<bool>("check5Enabled");
        QTest::addColumn<bool>("optionsEnabled");
        QTest::addColumn<int>("selected"); // -1: neither
        QTest::addColumn<bool>("indicator");
        QTest::newRow("copy and extend") << Flags(1, 1, 1) << false << false << 1 << true;
        QTest::newRow("neither, vertical") << Flags(0, 0, 1) << true << false << 1 << false;
        QTest::newRow("extend, vertical") << Flags(0, 1, 1) << true << true << 1 << false;
        QTest::newRow("arrangement 2") << Flags(0, 1, 2) << true << true << -1 << false;
        QTest::newRow("copy flag 2 is off") << Flags(2, 1, 0) << true << false << 0 << false;
    }
    void opening() {
        QFETCH(Module1, saved);
        QFETCH(bool, check5Enabled);
        QFETCH(bool, optionsEnabled);
        QFETCH(int, selected);
        QFETCH(bool, indicator);
        saved.SlideshowSeconds = -5;
        saved.ConfirmSameName = 2;
        Program program(saved);
        QVERIFY(program.started);
        Dialog* dialog = program.openOptions();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(control(dialog, "Check5")->isChecked(), saved.ExtendMode == 1);
        QCOMPARE(control(dialog, "Check6")->isChecked(), saved.CopyMode == 1);
        QCOMPARE(control(dialog, "Check5")->isEnabled(), check5Enabled);
        QVERIFY(!control(dialog, "Check7")->isChecked());
        for (int i = 0; i < 2; ++i) {
            auto* option = control<QRadioButton>(dialog, i == 0 ? "Option1_0" : "Option1_1");
            QCOMPARE(option->isEnabled(), optionsEnabled);
            QCOMPARE(option->isChecked(), selected == i);
        }
        QCOMPARE(control<QLineEdit>(dialog, "Text1")->text(), QStringLiteral("-5"));
        QCOMPARE(program.indicatorShown(), indicator);
        QCOMPARE(program.blinking(), indicator);
        QCOMPARE(program.module.ConfirmSameName, Flag(2)); // shown as off, left as it is
        QVERIFY(!program.startEnabled());
    }

    void focusOrder() {
        Program program;
        Dialog* dialog = program.openOptions();
        QStringList order;
        QWidget* widget = control<QWidget>(dialog, "OKButton");
        do {
            if (widget->focusPolicy() & Qt::TabFocus)
                order << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget->objectName() != QLatin1String("OKButton"));
        QCOMPARE(order.join(u' '),
                 QStringLiteral("OKButton CancelButton Check1 Check2 Text1 Check3 "
                                "Check4 Check5 Option1_0 Option1_1 Check6 Check7"));
    }

    // Each rule runs on toggled, so a toggle that is not a click (the
    // keyboard, assistive technology) acts too.
    void copyModeBox_data() {
        QTest::addColumn<bool>("byClick");
        QTest::newRow("click") << true;
        QTest::newRow("toggle") << false;
    }
    void copyModeBox() {
        QFETCH(bool, byClick);
        Program program(Flags(0, 1, 0));
        Dialog* dialog = program.openOptions();
        QCheckBox* check6 = control(dialog, "Check6");
        const auto toggle = [&] { byClick ? click(dialog, "Check6") : check6->toggle(); };
        toggle();
        QVERIFY(check6->isChecked());
        QVERIFY(program.indicatorShown() && program.blinking());
        QCOMPARE(program.main<QTimer>("Timer1")->interval(), 500);
        QVERIFY(!control(dialog, "Check5")->isEnabled());
        QVERIFY(!control<QRadioButton>(dialog, "Option1_0")->isEnabled());
        toggle();
        QVERIFY(!program.indicatorShown() && !program.blinking());
        QVERIFY(control(dialog, "Check5")->isEnabled());
        QVERIFY(control<QRadioButton>(dialog, "Option1_1")->isEnabled());
        click(dialog, "Check5"); // now off
        toggle();
        toggle();
        QVERIFY(!control<QRadioButton>(dialog, "Option1_1")->isEnabled());
        QCOMPARE(program.module.CopyMode, Flag(0)); // only OK writes it
    }

    void extendBoxDropsAnUnconfirmedArrangement() {
        Program program(Flags(0, 1, 0));
        Dialog* dialog = program.openOptions();
        click(dialog, "Option1_1");
        QVERIFY(control<QRadioButton>(dialog, "Option1_1")->isChecked());
        click(dialog, "Check5");
        QVERIFY(!control<QRadioButton>(dialog, "Option1_0")->isEnabled());
        control(dialog, "Check5")->toggle();
        QVERIFY(control<QRadioButton>(dialog, "Option1_0")->isEnabled());
        QVERIFY(control<QRadioButton>(dialog, "Option1_0")->isChecked());
        QVERIFY(!control<QRadioButton>(dialog, "Option1_1")->isChecked());
    }

    void okWritesTheOptions() {
        Module1 saved = Flags(0, 1, 0);
        saved.RememberSourceFolder = 1;
        saved.SlideshowSeconds = 3;
        Program program(saved);
        Module1 expected = program.module;
        Dialog* dialog = program.openOptions();
        for (const char* name : {"Check1", "Check2", "Check3", "Check4", "Check7"})
            click(dialog, name);
        click(dialog, "Option1_1");
        control<QLineEdit>(dialog, "Text1")->setText(QStringLiteral("2.5秒"));
        expected.RememberWindowSize = 1;
        expected.RememberSourceFolder = 0;
        expected.SlideshowRepeat = 1;
        expected.LaunchByAssociation = 1;
        expected.VerticalButtons = 1;
        expected.ConfirmSameName = 1;
        expected.SlideshowSeconds = 2;
        click(dialog, "OKButton");
        QCOMPARE(FormatSettingsLine(program.module), FormatSettingsLine(expected));
        QVERIFY(!dialog->isVisible());
        QVERIFY(program.startEnabled());
    }

    void cancelKeepsOnlyWhatActedAtOnce() {
        Program program;
        Module1 expected = program.module;
        Dialog* dialog = program.openOptions();
        for (const char* name : {"Check1", "Check5", "Check6", "Check7"})
            click(dialog, name);
        control<QLineEdit>(dialog, "Text1")->setText(QStringLiteral("9"));
        click(dialog, "CancelButton");
        expected.ConfirmSameName = 1;
        QCOMPARE(FormatSettingsLine(program.module), FormatSettingsLine(expected));
        QVERIFY(program.indicatorShown() && program.blinking());
        QVERIFY(!dialog->isVisible());
        QVERIFY(program.startEnabled());
    }

    void secondsOutOfRangeWriteNothing() {
        Program program;
        Module1 expected = program.module;
        Dialog* dialog = program.openOptions();
        dialog->activateWindow();
        click(dialog, "Check1");
        control<QLineEdit>(dialog, "Text1")->setText(QStringLiteral("99999"));
        click(dialog, "OKButton");
        QCOMPARE(program.prompts.asked.size(), 1);
        QCOMPARE(program.prompts.asked[0].title, QStringLiteral("Sorvane"));
        QCOMPARE(FormatSettingsLine(program.module), FormatSettingsLine(expected));
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->focusWidget(), control<QWidget>(dialog, "Text1"));
        QVERIFY(!program.startEnabled());
    }

    void everyWayOfClosingEnablesStart_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("seconds");
        QTest::newRow("Escape") << "Escape" << 3;
        QTest::newRow("close box") << "close" << 3;
        QTest::newRow("Return in the seconds box") << "Return" << 7;
        QTest::newRow("the main window closes") << "main" << 3;
    }
    void everyWayOfClosingEnablesStart() {
        QFETCH(QString, how);
        QFETCH(int, seconds);
        Module1 saved;
        saved.SlideshowSeconds = 3;
        Program program(saved);
        QPointer<Dialog> dialog = program.openOptions();
        QLineEdit* text1 = control<QLineEdit>(dialog, "Text1");
        text1->setText(QStringLiteral("7"));
        if (how == u"Escape")
            QTest::keyClick(control<QWidget>(dialog, "Check1"), Qt::Key_Escape);
        else if (how == u"Return")
            QTest::keyClick(text1, Qt::Key_Return);
        else if (how == u"close")
            dialog->close();
        else
            program.windows->main().close();
        QVERIFY(!dialog || !dialog->isVisible());
        QVERIFY(program.startEnabled());
        QCOMPARE(program.module.SlideshowSeconds, seconds);
        QTRY_VERIFY(!dialog); // discarded, so the next opening starts afresh
    }

    void oneInstance() {
        Program program;
        Dialog* first = program.openOptions();
        click(first, "Check1");
        QCOMPARE(program.openOptions(), first);
        QCOMPARE(program.windows->main().findChildren<Dialog*>().size(), 1);
        QVERIFY(control(first, "Check1")->isChecked()); // not filled again
    }
};

QTEST_MAIN(DialogTest)
#include "tst_dialog.moc"
