// The keyboard through the real window.
#include "sorting/Form1Fixture.h"

#include "controls/FileList.h"
#include "controls/ImageBox.h"
#include "support/TestFiles.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

QStringList Files(const QString& folder) {
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

void PostKey(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, modifiers));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, modifiers));
}

} // namespace

class Form1KeysTest : public QObject {
    Q_OBJECT
private slots:
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
        f.StartWith({"a.jpg"}, "0,1,0,1,0,0,0,0,1,0,0"); // same-name question on
        WriteFile(f.Slot(3) + "/a.jpg", "x");
        f.window->Command1_Click();
        QColor duringSend;
        bool buttonEnabledDuringSend = true;
        f.prompts.whileAsking = [&](const Prompt&) {
            duringSend = f.ui().Label1[3]->palette().color(QPalette::Window);
            buttonEnabledDuringSend = f.ui().Command4[3]->isEnabled();
        };
        f.prompts.Answer(PromptAnswer::Ok);
        const QColor before = f.ui().Label1[3]->palette().color(QPalette::Window);
        f.ui().Text1->setText("typed");
        QTest::keyClick(f.ui().FocusSink, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(duringSend, QColor(255, 0, 0));
        QVERIFY(!buttonEnabledDuringSend);
        QCOMPARE(f.ui().Label1[3]->palette().color(QPalette::Window), before);
        QVERIFY(f.ui().Command4[3]->isEnabled());
        QVERIFY(f.ui().Text1->text().isEmpty());
        QVERIFY(ReadFile(f.Slot(3) + "/a.jpg").startsWith("\xff\xd8"));
        QVERIFY(!QFile::exists(f.Path("src/a.jpg")));
    }

    void digitsOutsideARunDoNothing() {
        Form1Fixture f;
        f.StartWith({"a.jpg"});
        QTest::keyClick(f.ui().FocusSink, Qt::Key_3);
        QVERIFY(QFile::exists(f.Path("src/a.jpg")));
    }

    void keysFasterThanSendsKeepTheirOrder() {
        Form1Fixture f;
        f.StartWith({"a.jpg", "b.jpg", "c.jpg", "d.jpg"});
        f.window->Command1_Click();
        QWidget* focus = f.ui().FocusSink;
        PostKey(focus, Qt::Key_1);
        PostKey(focus, Qt::Key_2);
        PostKey(focus, Qt::Key_3, Qt::KeypadModifier);
        PostKey(focus, Qt::Key_4);
        PostKey(focus, Qt::Key_Return); // undoes the last of them
        Settle();
        QCOMPARE(Files(f.Slot(1)), QStringList{"a.jpg"});
        QCOMPARE(Files(f.Slot(2)), QStringList{"b.jpg"});
        QCOMPARE(Files(f.Slot(3)), QStringList{"c.jpg"});
        QVERIFY(Files(f.Slot(4)).isEmpty());
        QCOMPARE(Files(f.Path("src")), QStringList{"d.jpg"});
        QCOMPARE(f.window->History().Newest().destination, f.Slot(3) + "/c.jpg");
        // The previews skipped while presses waited leave the last one shown.
        QCOMPARE(f.window->currentImagePath(), f.Path("src/d.jpg"));
        QVERIFY(f.ui().Image1->isVisible());
    }

    void spaceStepsThroughTheList() {
        Form1Fixture f;
        f.StartWith({"a.jpg", "b.jpg", "c.jpg"});
        QWidget* focus = f.ui().FocusSink;
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Space); // no selection: the first
        QCOMPARE(f.window->currentImagePath(), f.Path("src/a.jpg"));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(focus, Qt::Key_Space);
        QCOMPARE(f.ui().File1->listIndex(), 2); // the last stays selected
        QCOMPARE(f.window->currentImagePath(), f.Path("src/c.jpg"));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(focus, Qt::Key_Space, Qt::ShiftModifier);
        QCOMPARE(f.ui().File1->listIndex(), 0);
        QCOMPARE(f.window->currentImagePath(), f.Path("src/a.jpg"));
        QCOMPARE(f.module.SuppressNextClick, 0); // each Space's click was swallowed
    }

    void spaceNeverUndoes() {
        Form1Fixture f;
        f.StartWith({"a.jpg", "b.jpg"});
        f.window->Command1_Click();
        QTest::keyClick(f.ui().FocusSink, Qt::Key_1);
        QTest::keyClick(f.ui().FocusSink, Qt::Key_Space);
        QCOMPARE(f.window->History().Size(), 1);
        QCOMPARE(f.module.SuppressNextClick, 0);
        QVERIFY(QFile::exists(f.Slot(1) + "/a.jpg"));
    }

    void spaceElsewhereSwallowsTheNextEnter() {
        Form1Fixture f;
        f.StartWith({"a.jpg", "b.jpg"});
        f.window->Command1_Click();
        QTest::keyClick(f.ui().FocusSink, Qt::Key_1);
        f.window->Command1_Click(); // stop, so the list takes the focus
        f.ui().File1->setFocus();
        QTest::keyClick(f.ui().File1, Qt::Key_Space);
        QCOMPARE(f.module.SuppressNextClick, 1);
        f.ui().FocusSink->setFocus();
        QTest::keyClick(f.ui().FocusSink, Qt::Key_Return);
        QVERIFY(QFile::exists(f.Slot(1) + "/a.jpg")); // swallowed
        QTest::keyClick(f.ui().FocusSink, Qt::Key_Return);
        QVERIFY(QFile::exists(f.Path("src/a.jpg")));
    }

    void arrowsReturnTheFocusAndStillMoveTheList() {
        Form1Fixture f;
        f.StartWith({"a.jpg", "b.jpg", "c.jpg"});
        f.ui().File1->setFocus();
        f.ui().File1->setListIndex(0);
        QTest::keyClick(f.ui().File1, Qt::Key_Down);
        QVERIFY(f.ui().FocusSink->hasFocus());
        QCOMPARE(f.ui().File1->listIndex(), 1); // the list still had the key
    }
};

QTEST_MAIN(Form1KeysTest)
#include "tst_form1_keys.moc"
