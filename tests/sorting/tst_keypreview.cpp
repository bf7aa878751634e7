// The main window's key preview on a real window with real controls: one
// key-down per press wherever the press goes on to, and the faults users met.
#include "sorting/KeyPreview.h"
#include "support/ScriptedPrompts.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace sorvane;

namespace {

// The focus before the press: a text box (takes the digits it types), a
// button (leaves them to its parent), nothing, or another of the program's windows.
enum class Focus { Edit, Button, Nothing, OtherWindow };

// A window, its key preview, and every key-down it reported.
struct Window {
    QWidget window;
    QLineEdit* edit = new QLineEdit(&window);
    QPushButton* button = new QPushButton(&window);
    QLineEdit other; // another window
    KeyPreview keys{window};
    test::ScriptedPrompts prompts;
    QList<int> codes;
    QList<bool> repeats;
    int holdsEnded = 0;

    explicit Window(Focus focus) {
        QObject::connect(&keys, &KeyPreview::keyDown, &window, [this](int code, int, bool repeat) {
            codes << code;
            repeats << repeat;
        });
        QObject::connect(&keys, &KeyPreview::holdEnded, &window, [this] { ++holdsEnded; });
        QWidget* active = focus == Focus::OtherWindow ? static_cast<QWidget*>(&other) : &window;
        active->show();
        active->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(active));
        if (focus == Focus::Edit || focus == Focus::Button)
            (focus == Focus::Edit ? static_cast<QWidget*>(edit) : button)->setFocus();
        else if (QWidget* focused = QApplication::focusWidget(); focus == Focus::Nothing && focused)
            focused->clearFocus();
    }
    QWidget* Target() {
        return QApplication::focusWidget() ? QApplication::focusWidget() : &window;
    }
    void Send(QEvent::Type type, bool repeat) {
        QKeyEvent key(type, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"), repeat);
        QApplication::sendEvent(Target(), &key);
    }
};

} // namespace

class KeyPreviewTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Before the window's loading the preview is off; a handler that opens a
    // box takes the focus, so the press going on to the window looked new.
    void onePressOneKeyDown_data() {
        QTest::addColumn<Focus>("focus");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("boxInHandler");
        QTest::addColumn<int>("keyDowns");
        QTest::newRow("taken by the focused text box") << Focus::Edit << true << false << 1;
        QTest::newRow("left by the button to the window") << Focus::Button << true << false << 1;
        QTest::newRow("nothing focused: the window") << Focus::Nothing << true << false << 1;
        QTest::newRow("another window's press") << Focus::OtherWindow << true << false << 0;
        QTest::newRow("before the loading") << Focus::Edit << false << false << 0;
        QTest::newRow("box opened by the handler") << Focus::Button << true << true << 1;
    }
    void onePressOneKeyDown() {
        QFETCH(Focus, focus);
        QFETCH(bool, enabled);
        QFETCH(bool, boxInHandler);
        QFETCH(int, keyDowns);
        Window w(focus);
        if (QTest::currentTestFailed())
            return;
        if (enabled)
            w.keys.enable();
        if (boxInHandler)
            QObject::connect(&w.keys, &KeyPreview::keyDown, &w.window, [&w] {
                if (QWidget* focused = QApplication::focusWidget())
                    focused->clearFocus();
                w.prompts.ask({QStringLiteral("Sorvane"), QStringLiteral("?")});
            });
        QTest::keyClick(w.Target(), Qt::Key_5);
        QCOMPARE(w.codes, QList<int>(keyDowns, 53));
        QCOMPARE(w.prompts.asked.size(), int(boxInHandler));
    }

    // Each repeat of a held key is a key-down of its own, marked as one; its
    // release ends the hold once, a plain press's release not at all.
    void heldKeyRepeatsAndEndsOnce() {
        Window w(Focus::Edit);
        w.keys.enable();
        for (const bool repeat : {false, false, true, true, true}) {
            w.Send(repeat ? QEvent::KeyPress : QEvent::KeyRelease, repeat);
            w.Send(repeat ? QEvent::KeyRelease : QEvent::KeyPress, repeat);
        }
        QCOMPARE(w.holdsEnded, 0);
        w.Send(QEvent::KeyRelease, false);
        w.Send(QEvent::KeyRelease, false);
        QCOMPARE(w.repeats, QList<bool>({false, false, true, true, true}));
        QCOMPARE(w.holdsEnded, 1);
    }
};

QTEST_MAIN(KeyPreviewTest)
#include "tst_keypreview.moc"
