#include "settings/SettingsFile.h"

#include "platform/FileOps.h"
#include "platform/OwnFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace sorvane {
namespace {

std::optional<QByteArray> ReadWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return text;
}

SettingsReader reader = ReadWholeFile;

} // namespace

void SetSettingsReader(SettingsReader replacement) {
    reader = replacement ? replacement : ReadWholeFile;
}

QString SettingsFilePath(const Module1& settings) {
    if (!settings.SettingsPath.isEmpty())
        return settings.SettingsPath;
    return settings.ProgramFolder + QStringLiteral("/Sorvane.ini");
}

void ApplyDefaults(Module1& settings) {
    settings.SourceFolder = QStringLiteral("/");
    settings.FolderSlots.fill(QStringLiteral("/"));
    settings.SlideshowSeconds = 1;
}

LoadOutcome LoadSettingsFile(Module1& settings) {
    const QString path = SettingsFilePath(settings);
    if (!QFileInfo(path).isFile())
        return LoadOutcome::NoFile;
    const std::optional<QByteArray> text = reader(path);
    if (!text)
        return LoadOutcome::Unreadable;
    switch (ParseSettings(*text, settings)) {
    case ParseOutcome::Complete:
        return LoadOutcome::Loaded;
    case ParseOutcome::TooFewFields:
        return LoadOutcome::TooFewFields;
    case ParseOutcome::BadNumber:
        break;
    }
    return LoadOutcome::BadNumber;
}

// The file a save writes: the settings file, or the file it links to (people
// keep their settings in a repository of dotfiles), so that the link stays.
QString SaveTarget(const QString& path) {
    QString target = path;
    for (int hops = 0; hops < 40 && QFileInfo(target).isSymLink(); ++hops)
        target = QFileInfo(target).symLinkTarget();
    return target;
}

bool SaveSettingsFile(const Module1& settings) {
    const QString path = SaveTarget(SettingsFilePath(settings));
    const QString folder = QFileInfo(path).absolutePath();
    if (!settings.SettingsPath.isEmpty()) // a folder of the settings' own, unlike the program's
        QDir().mkpath(folder);
    RemoveStaleOwnFiles(folder); // what a killed save left behind
    return WriteFileAtomically(path, FormatSettingsLine(settings)) == FileError::None;
}

bool DeleteSettingsFile(const Module1& settings) {
    return QFile::remove(SettingsFilePath(settings));
}

} // namespace sorvane
