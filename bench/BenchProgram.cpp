#include "BenchProgram.h"

#include "controls/ImageBox.h"
#include "controls/StageMarks.h"
#include "imaging/PictureSource.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace sorvane::bench {

Program::Program(const QString& root, Mode mode) : Program(root, PicturesFor(mode)) {}

Program::Program(const QString& root, std::unique_ptr<PictureSource> pictures)
    : pictures_(std::move(pictures)), window_(module_, prompts_, launcher_, *pictures_) {
    module_.ProgramFolder = root + QStringLiteral("/program");
    QDir().mkpath(module_.ProgramFolder);
    QFile::copy(QStringLiteral(SORVANE_COMPANION_DIR "/Error.jpg"),
                module_.ProgramFolder + "/Error.jpg");
    QByteArray line = "\"" + (root + "/src").toUtf8() + "\"";
    for (int i = 0; i < SlotCount; ++i) {
        QDir().mkpath(Slot(root, i));
        line += ",\"" + Slot(root, i).toUtf8() + "\"";
    }
    line += ",\"12000\",\"11000\",1,1,0,1,0,0,0,0,0,0,0\r\n";
    QFile file(module_.ProgramFolder + "/Sorvane.ini");
    file.open(QIODevice::WriteOnly);
    file.write(line);
    file.close();
    window_.Form_Load();
    window_.show();
    window_.activateWindow();
    if (!QTest::qWaitForWindowActive(&window_))
        qWarning("the window did not become active");
}

QString Program::Slot(const QString& root, int i) {
    return root + QStringLiteral("/slot%1").arg(i);
}

QPushButton* Program::focusSink() {
    return window_.findChild<QPushButton*>(QStringLiteral("FocusSink"));
}

ImageBox* Program::image() {
    return window_.findChild<ImageBox*>(QStringLiteral("Image1"));
}

// A window paints and flushes when it handles an update request, and when
// it is exposed.
bool BenchApplication::notify(QObject* receiver, QEvent* event) {
    const bool update = event->type() == QEvent::UpdateRequest ||
                        (event->type() == QEvent::Expose && receiver->isWindowType());
    const bool handled = QApplication::notify(receiver, event);
    if (update && flushed)
        flushed();
    return handled;
}

BenchApplication& App() {
    return *static_cast<BenchApplication*>(QCoreApplication::instance());
}

bool RunEventsUntil(const std::function<bool()>& done, int timeoutMs) {
    QEventLoop loop;
    QTimer check; // the condition may change on another thread
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    check.start(2);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    if (!done())
        loop.exec();
    return done();
}

void MarkFlushesAfterPaint() {
    App().flushed = [] {
        if (StageTimes()[int(Stage::Painted)] >= 0)
            MarkStage(Stage::Flushed);
    };
}

} // namespace sorvane::bench
