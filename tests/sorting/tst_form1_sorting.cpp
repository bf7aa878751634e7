// The main window during a sorting run: the start button, slot presses and
// keys, undo, and closing.
#include "sorting/Form1Fixture.h"

#include "controls/DirList.h"
#include "controls/FileList.h"
#include "controls/ImageBox.h"
#include "controls/MouseButtons.h"
#include "support/TestFiles.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

void PressSlot(Form1Fixture& f, int index) {
    QTest::mouseClick(f.ui().Command4[size_t(index)], Qt::LeftButton);
}

void PostKey(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, modifiers));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, modifiers));
}

// How a widget came and went: S for each show, H for each hide.
struct ShowLog : QObject {
    QString log;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            log += event->type() == QEvent::Show ? u'S' : u'H';
        return false;
    }
};

} // namespace

class Form1SortingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void runStartsAndStops() {
        Form1Fixture f;
        QVERIFY(f.StartWith({"a.jpg", "b.jpg"}));
        QVERIFY(!f.ui().Command4[3]->isEnabled());
        f.window->Command1_Click();
        QCOMPARE(f.ui().Command1->text(), QStringLiteral("キャンセル"));
        QVERIFY(f.ui().File1->isHidden() && !f.ui().Command2->isEnabled());
        QVERIFY(f.ui().Command4[3]->isEnabled() && !f.ui().Command4[10]->isEnabled());
        QVERIFY(f.ui().FocusSink->hasFocus());
        QCOMPARE(f.ui().Label2[1]->text(), QStringLiteral("b.jpg"));
        QCOMPARE(f.ui().Label2[2]->text(), QString());
        QCOMPARE(f.window->currentImagePath(), f.Path("src/a.jpg"));
        f.window->Command1_Click();
        QCOMPARE(f.ui().Command1->text(), QStringLiteral("実行"));
        QVERIFY(f.ui().File1->isVisible() && !f.ui().Command4[3]->isEnabled());
    }

    void slotPressSendsOnceAndShowsWhereTo() {
        Form1Fixture f;
        QVERIFY(f.StartWith({"a.jpg", "b.jpg"}));
        f.window->Command1_Click();
        f.ui().Text1->setText("typed");
        PressSlot(f, 0); // the press sends; its release makes no second send
        QCOMPARE(Files(f.Slot(0)), QStringList{"a.jpg"});
        QCOMPARE(f.ui().Label4->text(), f.Slot(0) + QStringLiteral("に移動します。"));
        QCOMPARE(f.ui().Label6->text(), QStringLiteral("1 File"));
        QCOMPARE(f.ui().Label2[0]->text(), QStringLiteral("b.jpg"));
        QVERIFY(f.ui().Text1->text().isEmpty());
        QVERIFY(f.ui().Command4[10]->isEnabled());
        PressSlot(f, 10);
        QCOMPARE(Files(f.Path("src")), (QStringList{"a.jpg", "b.jpg"}));
        QVERIFY(!f.ui().Command4[10]->isEnabled());
        QCOMPARE(f.ui().Label6->text(), QStringLiteral("2 File"));
    }

    void digitKeysSendToTheirSlot_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("main row 3") << int(Qt::Key_3) << 0;
        QTest::newRow("keypad 3") << int(Qt::Key_3) << int(Qt::KeypadModifier);
        QTest::newRow("shift+3") << int(Qt::Key_3) << int(Qt::ShiftModifier);
        QTest::newRow("ctrl+alt+3") << int(Qt::Key_3) << int(Qt::ControlModifier | Qt::AltModifier);
    }
    void digitKeysSendToTheirSlot() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Form1Fixture f;
        Module1 s = f.Settings();
        s.ConfirmSameName = 1;
        QVERIFY(f.StartWith({"a.jpg"}, s));
        WriteFile(f.Slot(3) + "/a.jpg", "x");
        QTest::keyClick(f.ui().FocusSink, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(f.prompts.asked.isEmpty()); // outside a run digits do nothing
        f.window->Command1_Click();
        QColor duringSend;
        bool enabledDuringSend = true;
        f.prompts.whileAsking = [&](const Prompt&) {
            duringSend = f.ui().Label1[3]->palette().color(QPalette::Window);
            enabledDuringSend = f.ui().Command4[3]->isEnabled();
        };
        f.prompts.Answer(PromptAnswer::Ok);
        const QColor before = f.ui().Label1[3]->palette().color(QPalette::Window);
        QTest::keyClick(f.ui().FocusSink, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(duringSend, QColor(255, 0, 0));
        QVERIFY(!enabledDuringSend);
        QCOMPARE(f.ui().Label1[3]->palette().color(QPalette::Window), before);
        QVERIFY(f.ui().Command4[3]->isEnabled());
        QVERIFY(ReadFile(f.Slot(3) + "/a.jpg").startsWith("\xff\xd8"));
    }

    void keysFasterThanSendsKeepTheirOrder() {
        Form1Fixture f;
        QVERIFY(f.StartWith({"a.jpg", "b.jpg", "c.jpg", "d.jpg"}));
        f.window->Command1_Click();
        QWidget* focus = f.ui().FocusSink;
        PostKey(focus, Qt::Key_1);
        PostKey(focus, Qt::Key_2);
        PostKey(focus, Qt::Key_3, Qt::KeypadModifier);
        PostKey(focus, Qt::Key_4);
        PostKey(focus, Qt::Key_Return); // the Enter behind the digits undoes the last of them
        Settle();
        QCOMPARE(Files(f.Slot(1)), QStringList{"a.jpg"});
        QCOMPARE(Files(f.Slot(2)), QStringList{"b.jpg"});
        QCOMPARE(Files(f.Slot(3)), QStringList{"c.jpg"});
        QCOMPARE(Files(f.Path("src")), QStringList{"d.jpg"});
        QCOMPARE(f.history().size(), 3);
        // The previews skipped while presses waited leave the last one shown.
        QCOMPARE(f.window->currentImagePath(), f.Path("src/d.jpg"));
        QVERIFY(f.ui().Image1->isVisible());
    }

    // A held key sends file after file. The preview shows the file in hand
    // while its picture is ready; otherwise it goes blank once and stays so
    // until the key is let go: it never flickers.
    void heldKeyNeverFlickers() {
        Form1Fixture f;
        QVERIFY(f.StartWith({"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg", "g.jpg"}));
        f.window->Command1_Click();
        ShowLog preview;
        f.ui().Image1->installEventFilter(&preview);
        for (int burst = 0; burst < 2; ++burst) {
            for (int i = 0; i < 3; ++i)
                QCoreApplication::postEvent(
                    f.ui().FocusSink, new QKeyEvent(QEvent::KeyPress, Qt::Key_4, {}, "4", true));
            Settle();
        }
        QVERIFY2(QRegularExpression("^S*H?$").match(preview.log).hasMatch(),
                 qPrintable(preview.log));
        QCoreApplication::postEvent(f.ui().FocusSink,
                                    new QKeyEvent(QEvent::KeyRelease, Qt::Key_4, {}));
        Settle();
        QCOMPARE(Files(f.Slot(4)).size(), 6);
        QCOMPARE(f.window->currentImagePath(), f.Path("src/g.jpg"));
        QVERIFY(f.ui().Image1->isVisible());
    }

    void spaceStepsAndSwallowsTheNextEnter() {
        Form1Fixture f;
        QVERIFY(f.StartWith({"a.jpg", "b.jpg", "c.jpg"}));
        QWidget* focus = f.ui().FocusSink;
        focus->setFocus();
        for (int i = 0; i < 4; ++i) // from no selection to the first, and it stays on the last
            QTest::keyClick(focus, Qt::Key_Space);
        QCOMPARE(f.window->currentImagePath(), f.Path("src/c.jpg"));
        QTest::keyClick(focus, Qt::Key_Space, Qt::ShiftModifier);
        QCOMPARE(f.ui().File1->listIndex(), 1);
        QCOMPARE(f.module.SuppressNextClick, 0); // each Space's own click was swallowed
        f.window->Command1_Click();
        QTest::keyClick(focus, Qt::Key_1);
        QTest::keyClick(focus, Qt::Key_Space); // a Space never undoes
        QVERIFY(QFile::exists(f.Slot(1) + "/a.jpg"));
        f.window->Command1_Click(); // outside a run, a Space on the list...
        f.ui().File1->setFocus();
        QTest::keyClick(f.ui().File1, Qt::Key_Space);
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Return); // ...swallows the next Enter
        QVERIFY(QFile::exists(f.Slot(1) + "/a.jpg"));
        QTest::keyClick(focus, Qt::Key_Return); // the Enter after undoes, outside a run too
        QVERIFY(QFile::exists(f.Path("src/a.jpg")));
        QVERIFY(f.history().isEmpty());
    }

    void arrowsReturnTheFocusAndStillMoveTheList() {
        Form1Fixture f;
        QVERIFY(f.StartWith({"a.jpg", "b.jpg", "c.jpg"}));
        f.ui().File1->setFocus();
        f.ui().File1->setListIndex(0);
        QTest::keyClick(f.ui().File1, Qt::Key_Down);
        QVERIFY(f.ui().FocusSink->hasFocus());
        QCOMPARE(f.ui().File1->listIndex(), 1);
    }

    void restartingWithHistoryEnablesUndo() {
        Form1Fixture f;
        QVERIFY(f.StartWith({"a.jpg"}));
        f.window->Command1_Click();
        PressSlot(f, 0);
        f.window->Command1_Click();
        f.window->Command1_Click();
        QVERIFY(f.ui().Command4[10]->isEnabled());
    }

    void browsingIsIgnoredDuringARun() {
        Form1Fixture f;
        QVERIFY(f.StartWith({"a.jpg", "b.jpg"}));
        f.window->Command1_Click();
        f.prompts.Answer(PromptAnswer::Ok);
        f.ui().File1->setListIndex(1);
        f.window->File1_MouseDown(MouseButton::Right);
        f.window->File1_DblClick();
        f.window->mnuOpt1_Click();
        QVERIFY(f.ui().Dir1->setPath(f.Slot(0)));
        QVERIFY(f.prompts.asked.isEmpty());
        QCOMPARE(f.module.ViewerFileName, QString());
        QCOMPARE(f.module.SourceFolder, f.Path("src"));
    }

    void closingSavesOnlyOutsideARun() {
        Form1Fixture f;
        QVERIFY(f.StartWith({}));
        const QByteArray line = ReadFile(f.Path("program/Sorvane.ini"));
        f.window->Command1_Click();
        f.window->close();
        QCOMPARE(ReadFile(f.Path("program/Sorvane.ini")), line);
        f.window->Command1_Click();
        QVERIFY(f.Show());
        QFile::remove(f.Path("program/Sorvane.ini"));
        QTest::mouseClick(f.ui().Command2, Qt::LeftButton);
        QVERIFY(!f.window->isVisible());
        QVERIFY(QFile::exists(f.Path("program/Sorvane.ini")));
    }
};

QTEST_MAIN(Form1SortingTest)
#include "tst_form1_sorting.moc"
