#include "sorting/Form1Fixture.h"

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

void Form1Fixture::WriteSettings(const QByteArray& line) const {
    WriteFile(Path("program/Sorvane.ini"), line);
}

QByteArray Form1Fixture::SettingsLine(const QString& source, const QStringList& slotFolders,
                                      const QByteArray& numbers) const {
    QByteArray line = '"' + MakeFolder(source).toUtf8() + '"';
    for (int i = 0; i < SlotCount; ++i) {
        const QString slot =
            i < slotFolders.size() ? slotFolders[i] : QStringLiteral("slot%1").arg(i);
        line += ",\"" + MakeFolder(slot).toUtf8() + '"';
    }
    return line + ",\"9000\",\"8500\"," + numbers + "\r\n";
}

bool Form1Fixture::Load() {
    window = std::make_unique<Form1>(module, prompts, launcher, pictures);
    return window->Form_Load();
}

void Form1Fixture::Show() {
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void Form1Fixture::StartWith(const QStringList& files, const QByteArray& numbers) {
    QStringList slotFolders;
    for (int i = 0; i < 10; ++i)
        slotFolders << QStringLiteral("slot%1").arg(i);
    slotFolders << QStringLiteral("bulk");
    WriteSettings(SettingsLine(QStringLiteral("src"), slotFolders, numbers));
    for (const QString& file : files) {
        if (file.endsWith(QStringLiteral(".jpg")))
            WriteImage(Path("src/" + file), QSize(64, 48), "JPEG");
        else
            WriteFile(Path("src/" + file), file.toUtf8());
    }
    QVERIFY(Load());
    Show();
}

QString Form1Fixture::Slot(int i) const {
    return Path(i == BulkDeleteSlot ? QStringLiteral("bulk") : QStringLiteral("slot%1").arg(i));
}

void Settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace sorvane::test
