// Makes the README's pictures: the program runs on the X server named in
// E2E_DISPLAY (or DISPLAY) over a folder of generated photographs. Without
// an option the first file is clicked so the preview shows it, and the main
// window is saved as PNG; with --folders the folder setup window is opened
// from the menu over the sorted folders and saved instead; with --options the
// options dialog is opened from the menu and the main window is saved with
// the dialog over it (with --extras, the added options' dialog); with
// --viewer the first file is double-clicked and the viewer is saved. Without
// an option the usage window and the About box are also drawn, offscreen in
// this process, and saved beside the main window's picture as usage.png and
// about.png. With --journal the send journal's window alone is drawn
// offscreen, over a journal of a few sends, an undo and a deletion.
// Controls are found by name over the accessibility bus, so it runs in a
// D-Bus session:
//
//   E2E_DISPLAY=:99 dbus-run-session -- build/bin/sorvane_screenshot docs/screenshot.png
//   E2E_DISPLAY=:99 dbus-run-session -- build/bin/sorvane_screenshot --folders docs/folders.png
//   E2E_DISPLAY=:99 dbus-run-session -- build/bin/sorvane_screenshot --viewer docs/viewer.png
//   E2E_DISPLAY=:99 dbus-run-session -- build/bin/sorvane_screenshot --options docs/options.png
//   E2E_DISPLAY=:99 dbus-run-session -- build/bin/sorvane_screenshot --extras docs/extras.png
//   build/bin/sorvane_screenshot --journal docs/journal.png
//
// Under an English locale the program, and so the pictures, are in English:
//
//   LANG=en_US.UTF-8 E2E_DISPLAY=:99 dbus-run-session -- build/bin/sorvane_screenshot
//       --options docs/options-en.png
#include "app/InterfaceLanguage.h"
#include "e2e/RealWindow.h"
#include "help/Form3.h"
#include "help/frmAbout.h"
#include "journal/JournalWindow.h"
#include "journal/SendJournal.h"
#include "settings/Module1.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedPrompts.h"
#include "support/Settings.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <cmath>

using namespace sorvane::test;

namespace {

// A landscape-like picture: a sky gradient, a sun and two rows of hills.
QImage Landscape(int hue) {
    QImage image(1600, 1200, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 800);
    sky.setColorAt(0, QColor::fromHsv(hue, 180, 150));
    sky.setColorAt(1, QColor::fromHsv((hue + 40) % 360, 90, 255));
    painter.fillRect(image.rect(), sky);
    QRadialGradient sun(1150, 330, 170);
    sun.setColorAt(0, QColor(255, 250, 220));
    sun.setColorAt(1, QColor(255, 200, 120, 0));
    painter.setBrush(sun);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(1150, 330), 170, 170);
    for (int row = 0; row < 2; ++row) {
        QPainterPath hills(QPointF(0, 1200));
        const double base = 720 + row * 190;
        for (int x = 0; x <= 1600; x += 40)
            hills.lineTo(x, base - 90 * std::sin((x + hue * 7 + row * 500) / 260.0));
        hills.lineTo(1600, 1200);
        QLinearGradient green(0, base - 100, 0, 1200);
        green.setColorAt(0, QColor::fromHsv((hue + 100 + row * 20) % 360, 150, 170 - row * 50));
        green.setColorAt(1, QColor::fromHsv((hue + 120) % 360, 200, 60));
        painter.setBrush(green);
        painter.drawPath(hills);
    }
    return image;
}

// A first start's settings with the folders the screenshots show, the
// source folder remembered.
sorvane::Module1 ScreenshotSettings(const QString& source, const QStringList& slotFolders) {
    sorvane::Module1 settings = sorvane::test::FirstStartSettings();
    settings.SourceFolder = source;
    settings.RememberSourceFolder = 1;
    for (int i = 0; i < slotFolders.size() && i < sorvane::SlotCount; ++i)
        settings.FolderSlots[size_t(i)] = slotFolders[i];
    return settings;
}

// The help windows as the program shows them, with its usage text.
bool SaveHelpWindows(const QString& programFolder, const QDir& folder) {
    sorvane::test::ScriptedPrompts prompts;
    sorvane::test::RecordingLauncher launcher;
    sorvane::Form3 usage(programFolder);
    sorvane::frmAbout about(prompts, launcher, programFolder + QStringLiteral("/help/help.htm"));
    usage.Form_Load();
    about.Form_Load();
    return usage.grab().save(folder.filePath(QStringLiteral("usage.png"))) &&
           about.grab().save(folder.filePath(QStringLiteral("about.png")));
}

// The journal's window over an afternoon's sorting in a journal of its own.
bool SaveJournalWindow(const QString& output) {
    using namespace sorvane;
    QTemporaryDir dir;
    SendJournal journal(dir.filePath(QStringLiteral("journal.sqlite")));
    const QString source = QStringLiteral("/home/mika/Pictures/2024 summer");
    const QString sorted = QStringLiteral("/home/mika/Pictures/Sorted/");
    const char* const slots[] = {"Family", "Friends", "Landscapes", "Holiday", "Cats"};
    FileIdentity identity;
    identity.size = 4'200'000;
    for (int i = 0; i < 14; ++i) {
        const QString name = QStringLiteral("IMG_%1.jpg").arg(4101 + i);
        const int slot = (i * 3) % 5;
        journal.record({i == 9 ? JournalAction::Copy : JournalAction::Move,
                        source + u'/' + name,
                        sorted + QLatin1String(slots[slot]) + u'/' + name,
                        slot,
                        {},
                        identity});
        if (i == 6)
            journal.record({JournalAction::Undo,
                            sorted + QLatin1String(slots[slot]) + u'/' + name,
                            source + u'/' + name,
                            -1,
                            {},
                            identity});
    }
    journal.record(
        {JournalAction::Delete, source + QStringLiteral("/IMG_4120.jpg"), {}, -1, {}, identity});
    Module1 module;
    JournalWindow window(journal, module);
    window.Form_Load();
    window.resize(1000, 420);
    window.show();
    QApplication::processEvents();
    return window.grab().save(output);
}

int Fail(const char* what) {
    QTextStream(stderr) << "sorvane_screenshot: " << what << "\n";
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // for the help windows; the program gets X
    QApplication app(argc, argv);
    const bool folders = argc == 3 && QByteArray(argv[1]) == "--folders";
    const bool extras = argc == 3 && QByteArray(argv[1]) == "--extras";
    const bool options = extras || (argc == 3 && QByteArray(argv[1]) == "--options");
    const bool viewer = argc == 3 && QByteArray(argv[1]) == "--viewer";
    if (argc == 3 && QByteArray(argv[1]) == "--journal") // drawn here, no program needed
        return SaveJournalWindow(QString::fromLocal8Bit(argv[2])) ? 0 : Fail("cannot save it");
    if (argc != 2 && !folders && !options && !viewer)
        return Fail(
            "usage: sorvane_screenshot [--folders | --options | --extras | --viewer | --journal] "
            "OUTPUT.png");
    const QString output = QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[argc - 1]));
    if (E2eDisplay().isEmpty())
        qputenv("E2E_DISPLAY", qgetenv("DISPLAY"));
    if (const QString unavailable = RealWindowsUnavailable(); !unavailable.isEmpty())
        return Fail(qPrintable(unavailable));

    ProgramCopy copy;
    if (!copy.isValid())
        return Fail("cannot copy the program into a temporary folder");
    const QString source = copy.makeFolder(QStringLiteral("Pictures/2024 summer"));
    const int hues[] = {210, 20, 280, 160, 330, 50, 190, 100};
    for (int i = 0; i < 8; ++i)
        Landscape(hues[i]).save(source + QStringLiteral("/IMG_%1.jpg").arg(4101 + i), "JPEG", 85);
    QStringList slotFolders;
    for (const char* name : {"Family", "Friends", "Landscapes", "Holiday", "Cats", "Food", "Work",
                             "Print", "Maybe", "Later", "Trash"})
        slotFolders << copy.makeFolder(QStringLiteral("Sorted/") + QLatin1String(name));
    if (!copy.writeSettings(ScreenshotSettings(source, slotFolders)))
        return Fail("cannot write the settings file");

    // The program speaks English under an English locale (LANG=en_US.UTF-8),
    // as this tool's environment is the program's.
    const bool english = sorvane::InterfaceLanguageOf(QLocale::system().uiLanguages()) ==
                         sorvane::InterfaceLanguage::English;
    const QString firstMenu = english ? QStringLiteral("Options") : QStringLiteral("オプション");
    RealWindow program;
    // The folder setup window opens on the program's current folder.
    const QString current = folders ? copy.path(QStringLiteral("Sorted")) : source;
    if (!program.start(copy.executable(), current) || !program.awaitWindow())
        return Fail("the program showed no window");
    QString shown;
    if (folders) {
        if (!program.openFirstMenu(firstMenu) ||
            !program.keyIntoMenu(QStringLiteral("Down Down Return")))
            return Fail("cannot choose フォルダ選択 in the menu");
        shown = program.awaitWindowNamed(english ? QStringLiteral("Folder Setup")
                                                 : QStringLiteral("フォルダ選択"));
        if (shown.isEmpty())
            return Fail("the folder setup window did not open");
        QThread::msleep(500); // drawn once shown
    } else {
        if (!program.click(QStringLiteral("list item"), QStringLiteral("IMG_4101.jpg")))
            return Fail("cannot click the file list");
        QThread::msleep(1500); // the preview decodes a 1600 × 1200 picture
    }
    if (viewer) {
        if (!program.click(QStringLiteral("list item"), QStringLiteral("IMG_4101.jpg"), 2))
            return Fail("cannot double-click the file list");
        shown =
            program.awaitWindowNamed(QStringLiteral("SorvaneViewer  IMG_4101\\.jpg   \\(1/8\\)"));
        if (shown.isEmpty())
            return Fail("the viewer did not open");
        QThread::msleep(800); // drawn once shown
    }
    if (options) {
        const QString keys =
            extras ? QStringLiteral("Down Down Down Return") : QStringLiteral("Down Return");
        if (!program.openFirstMenu(firstMenu) || !program.keyIntoMenu(keys))
            return Fail("cannot choose the dialog in the menu");
        const QString dialog = program.awaitOtherWindow();
        if (dialog.isEmpty())
            return Fail("the options dialog did not open");
        QThread::msleep(500); // drawn once shown
        if (!program.screenshotAsSeen(output))
            return Fail("import could not save the window (is imagemagick installed?)");
        program.keyInto(dialog, QStringLiteral("Escape"));
    } else if (!program.screenshot(output, shown)) {
        return Fail("import could not save the window (is imagemagick installed?)");
    }
    if (viewer) // it covers the main window
        program.click(QStringLiteral("push button"), QStringLiteral("終了"), 1,
                      QStringLiteral("SorvaneViewer"));
    program.click(QStringLiteral("push button"),
                  english ? QStringLiteral("Exit") : QStringLiteral("終了"));
    program.awaitExit();
    if (!folders && !options && !viewer &&
        !SaveHelpWindows(QFileInfo(copy.executable()).path(), QFileInfo(output).dir()))
        return Fail("cannot save the help windows");
    QTextStream(stdout) << output << "\n";
    return 0;
}
