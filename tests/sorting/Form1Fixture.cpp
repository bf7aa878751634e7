#include "sorting/Form1Fixture.h"

#include "settings/SettingsFile.h"
#include "support/TestFiles.h"

#include <QtTest>

namespace sorvane::test {

Form1Fixture::Form1Fixture() {
    module.ProgramFolder = MakeFolder(QStringLiteral("program"));
    QFile::copy(QStringLiteral(SORVANE_COMPANION_DIR "/Error.jpg"), Path("program/Error.jpg"));
}

QString Form1Fixture::MakeFolder(const QString& relative) const {
    QDir(dir.path()).mkpath(relative);
    return Path(relative);
}

Module1 Form1Fixture::Settings() const {
    Module1 settings;
    settings.ProgramFolder = module.ProgramFolder;
    settings.SourceFolder = MakeFolder(QStringLiteral("src"));
    for (int i = 0; i < SlotCount; ++i)
        settings.FolderSlots[size_t(i)] = MakeFolder(QFileInfo(Slot(i)).fileName());
    settings.WindowWidth = QStringLiteral("9000");
    settings.WindowHeight = QStringLiteral("8500");
    settings.RememberSourceFolder = 1;
    settings.SlideshowSeconds = 1;
    return settings;
}

void Form1Fixture::WriteSettings(const Module1& settings) const {
    SaveSettingsFile(settings);
}

bool Form1Fixture::Load() {
    window = std::make_unique<Form1>(module, prompts, launcher, pictures);
    return window->Form_Load();
}

bool Form1Fixture::Show() {
    window->show();
    return QTest::qWaitForWindowExposed(window.get());
}

bool Form1Fixture::StartWith(const QStringList& files) {
    return StartWith(files, Settings());
}

bool Form1Fixture::StartWith(const QStringList& files, const Module1& settings) {
    WriteSettings(settings);
    for (const QString& file : files) {
        if (file.endsWith(QStringLiteral(".jpg")))
            WriteImage(Path("src/" + file), QSize(64, 48), "JPEG");
        else
            WriteFile(Path("src/" + file), file.toUtf8());
    }
    return Load() && Show();
}

QString Form1Fixture::Slot(int i) const {
    return Path(i == BulkDeleteSlot ? QStringLiteral("bulk") : QStringLiteral("slot%1").arg(i));
}

void Settle() {
    for (int i = 0; i < 5; ++i) // work done by events may post more
        QCoreApplication::processEvents();
}

} // namespace sorvane::test
