#include "SortingBench.h"

#include "BenchPictures.h"
#include "BenchProgram.h"
#include "controls/DirList.h"
#include "controls/FileList.h"
#include "imaging/ImageKinds.h"
#include "imaging/PictureSource.h"
#include "platform/FileOps.h"
#include "png/PNGLoader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QInputDevice>
#include <QKeyEvent>
#include <QPushButton>
#include <QStringListModel>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace sorvane::bench {
namespace {

// The baseline's pictures: every display decodes the whole file at its
// natural size, nothing is read ahead or kept.
class PlainPictures : public PictureSource {
public:
    Picture load(const QString& path, QSize) override {
        if (!IsPngFile(path))
            return ReadPicture(path);
        Picture picture;
        picture.image = LoadPngPicture(path);
        picture.naturalSize = picture.isNull() ? QSize(0, 0) : picture.image.size();
        return picture;
    }
    void prefetch(const QStringList&, QSize) override {}
};

// The baseline's file list: every display and every update reads the whole
// folder with QDir and sorts it by name again.
class PlainFileList : public QListView {
public:
    PlainFileList() { setModel(&model_); }
    void setFolder(const QString& folder) {
        folder_ = folder;
        refresh();
    }
    void refresh() {
        QStringList names = QDir(folder_).entryList(QDir::Files);
        SortNames(names);
        model_.setStringList(names);
    }
    QString name(int row) const { return model_.stringList().value(row); }

private:
    QString folder_;
    QStringListModel model_;
};

Qt::Key DigitKey(int digit) {
    return Qt::Key(Qt::Key_0 + digit);
}

} // namespace

int CountMisplaced(const QString& root, const QStringList& names, const QList<int>& slotsPressed) {
    int misplaced = 0;
    for (int i = 0; i < slotsPressed.size(); ++i)
        if (!QFile::exists(Program::Slot(root, slotsPressed[i]) + u'/' + names[i]))
            ++misplaced;
    return misplaced;
}

std::unique_ptr<PictureSource> PicturesFor(Mode mode) {
    if (mode == Mode::Baseline)
        return std::make_unique<PlainPictures>();
    return std::make_unique<PictureSource>();
}

QString ModeName(Mode mode) {
    return mode == Mode::Sorvane ? QStringLiteral("Sorvane") : QStringLiteral("baseline");
}

PressResult MeasurePresses(const QString& root, const QStringList& originals, int folderSize,
                           const QString& ending, int presses, int intervalMs, Mode mode) {
    const QStringList names = FillFolder(root + "/src", originals, folderSize, ending);
    Program program(root, mode);
    Form1& w = program.window();
    w.Command1_Click();
    QTest::qWait(intervalMs);
    PressResult result;
    QList<int> slotsPressed;
    for (int i = 0; i < presses; ++i) {
        const int slot = i % 10;
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(w.findChild<QPushButton*>(QStringLiteral("FocusSink")), DigitKey(slot));
        QCoreApplication::processEvents(); // the paint of the new preview
        result.latency.Add(double(timer.nsecsElapsed()) / 1e6);
        slotsPressed.append(slot);
        result.peakResidentMiB = qMax(result.peakResidentMiB, ResidentMiB());
        QTest::qWait(intervalMs);
    }
    result.misplaced = CountMisplaced(root, names, slotsPressed);
    return result;
}

HeldKeyResult MeasureHeldKey(const QString& root, const QStringList& originals, double seconds,
                             Mode mode) {
    const QStringList names = FillFolder(root + "/src", originals, 2000, QStringLiteral("JPG"));
    Program program(root, mode);
    Form1& w = program.window();
    w.Command1_Click();
    QTest::qWait(500);
    const QString slot = Program::Slot(root, 4);
    auto sentSoFar = [&slot] { return int(QDir(slot).entryList(QDir::Files).size()); };
    // The key repeats as a keyboard repeats it: presses arrive every 33 ms
    // whatever the program is doing, and wait in its event queue.
    QInputDevice::primaryKeyboard(); // made here, not by the keyboard thread's first event
    std::atomic<int> posted = 0;
    std::atomic<int> sentWhileHeld = -1;
    std::thread keyboard([&] {
        QElapsedTimer held;
        held.start();
        for (int i = 0; held.elapsed() < qint64(seconds * 1000); ++i) {
            QCoreApplication::postEvent(
                w.findChild<QPushButton*>(QStringLiteral("FocusSink")),
                new QKeyEvent(QEvent::KeyPress, Qt::Key_4, {}, QStringLiteral("4"), true));
            ++posted;
            std::this_thread::sleep_until(std::chrono::steady_clock::now() +
                                          std::chrono::milliseconds(33 * (i + 1) - held.elapsed()));
        }
        sentWhileHeld = sentSoFar();
    });
    QElapsedTimer limit;
    limit.start();
    while ((sentWhileHeld < 0 || sentSoFar() < posted) && limit.elapsed() < 300000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5); // also the presses still queued
    keyboard.join();
    HeldKeyResult result;
    result.sendsPerSecond = sentWhileHeld / seconds;
    result.misplaced = CountMisplaced(root, names, QList<int>(posted, 4));
    return result;
}

ListResult MeasureList(const QString& root, int folderSize, Mode mode) {
    QStringList originals; // small pictures: this measures the list, not the decoder
    for (int i = 0; i < 4; ++i) {
        originals << root + QStringLiteral("/small%1.jpg").arg(i);
        WritePhoto(originals.last(), QSize(64, 48), i, "JPEG");
    }
    const QString big = root + "/big";
    FillFolder(big, originals, folderSize, QStringLiteral("JPG"));
    // Sorvane's list is the window's, chosen through its folder list; the
    // baseline's is a plain list shown on its own.
    std::unique_ptr<Program> program;
    PlainFileList plain;
    std::function<void(const QString&)> open;
    std::function<void()> update;
    std::function<QString()> first;
    if (mode == Mode::Sorvane) {
        program = std::make_unique<Program>(root, mode);
        auto* dirs = program->window().findChild<DirList*>(QStringLiteral("Dir1"));
        auto* files = program->window().findChild<FileList*>(QStringLiteral("File1"));
        open = [dirs](const QString& folder) { dirs->setPath(folder); };
        update = [files] { files->refresh(); };
        first = [files] { return files->name(0); };
    } else {
        QDir().mkpath(Program::Slot(root, 0));
        plain.show();
        open = [&plain](const QString& folder) { plain.setFolder(folder); };
        update = [&plain] { plain.refresh(); };
        first = [&plain] { return plain.name(0); };
    }
    ListResult result;
    for (int i = 0; i < 5; ++i) {
        open(root);
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        open(big);
        QCoreApplication::processEvents();
        result.firstDisplay.Add(double(timer.nsecsElapsed()) / 1e6);
    }
    for (int i = 0; i < 30; ++i) {
        const QString name = first();
        QFile::rename(big + u'/' + name, Program::Slot(root, 0) + u'/' + name);
        QElapsedTimer timer;
        timer.start();
        update();
        QCoreApplication::processEvents();
        result.update.Add(double(timer.nsecsElapsed()) / 1e6);
    }
    return result;
}

} // namespace sorvane::bench
