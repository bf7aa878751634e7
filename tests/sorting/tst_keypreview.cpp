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
// button (leaves them to its parent), or another of the program's windows.
enum class Focus { Edit, Button, OtherWindow };

// A window, its key preview, and every key-down it reported.
struct Window {
    QWidget window;
    QLineEdit* edit = new QLineEdit(&window);
    QPushButton* button = new QPushButton(&window);
    QLineEdit other; // another window
    KeyPreview keys{window};
    test::ScriptedPrompts prompts;
    QList<int> codes;

    explicit Window(Focus focus) {
        QObject::connect(&keys, &KeyPreview::keyDown, &window, [this](int code) { codes << code; });
        QWidget* active = focus == Focus::OtherWindow ? static_cast<QWidget*>(&other) : &window;
        active->show();
        active->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(active));
        if (focus != Focus::OtherWindow)
            (focus == Focus::Edit ? static_cast<QWidget*>(edit) : button)->setFocus();
    }
    QWidget* Target() {
        return QApplication::focusWidget() ? QApplication::focusWidget() : &window;
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
};

QTEST_MAIN(KeyPreviewTest)
#include "tst_keypreview.moc"
