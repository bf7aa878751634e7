#pragma once

#include "SortingBench.h"
#include "imaging/PictureSource.h"
#include "platform/Launcher.h"
#include "platform/Prompts.h"
#include "settings/Module1.h"
#include "sorting/Form1.h"

#include <QApplication>
#include <QString>

#include <functional>
#include <memory>

class QPushButton;

namespace sorvane {
class ImageBox;
}

namespace sorvane::bench {

class SilentPrompts : public Prompts {
public:
    PromptAnswer ask(const Prompt&) override { return PromptAnswer::Ok; }
};

class NoLauncher : public Launcher {
public:
    QString findExecutable(const QString&) override { return {}; }
    bool start(const QString&) override { return false; }
    bool startProgram(const QString&) override { return false; }
    void openUrl(const QUrl&) override {}
};

// One program instance with its own program folder, slots and source folder
// (root/src), its main window loaded from its settings file and shown.
class Program {
public:
    Program(const QString& root, Mode mode);
    Program(const QString& root, std::unique_ptr<PictureSource> pictures);

    static QString Slot(const QString& root, int i);
    Form1& window() { return window_; }
    PictureSource& pictures() { return *pictures_; }
    QPushButton* focusSink();
    ImageBox* image();

private:
    Module1 module_;
    SilentPrompts prompts_;
    NoLauncher launcher_;
    std::unique_ptr<PictureSource> pictures_;
    Form1 window_;
};

// The benchmark's application: it also tells when a window has handled an
// update request, that is painted what was due and flushed its backing
// store towards the screen.
class BenchApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;

    std::function<void()> flushed;
};

BenchApplication& App();

// Runs the event loop as the program's own loop runs, handling each event as
// it comes (QTest's waits poll, with pauses that delay what they measure),
// until the condition holds or the time is up; false when it never held.
bool RunEventsUntil(const std::function<bool()>& done, int timeoutMs);

// From now on the first flush after the picture control painted marks the
// Flushed stage.
void MarkFlushesAfterPaint();

} // namespace sorvane::bench
