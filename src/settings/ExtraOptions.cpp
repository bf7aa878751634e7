#include "settings/ExtraOptions.h"

#include "platform/FileOps.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QSettings>

namespace sorvane {
namespace {

constexpr auto Group = "Options";
constexpr auto DeleteToTrashKey = "DeleteToTrash";
constexpr auto SendCompanionsKey = "SendCompanions";

// A flag the file states plainly; anything else keeps the default.
bool ReadFlag(const QSettings& file, const char* key, bool fallback) {
    const QString text = file.value(QLatin1String(key)).toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    return fallback;
}

QByteArray FlagLine(const char* key, bool on) {
    return QByteArray(key) + (on ? "=true\n" : "=false\n");
}

} // namespace

QString ExtraOptionsPath(const Module1& settings) {
    const QString main = SettingsFilePath(settings);
    return main.left(main.lastIndexOf(u'/') + 1) + QStringLiteral("SorvaneExtras.ini");
}

ExtraOptions LoadExtraOptions(const QString& path) {
    ExtraOptions options;
    if (!IsRegularFile(path))
        return options;
    QSettings file(path, QSettings::IniFormat);
    file.beginGroup(QLatin1String(Group));
    options.deleteToTrash = ReadFlag(file, DeleteToTrashKey, options.deleteToTrash);
    options.sendCompanions = ReadFlag(file, SendCompanionsKey, options.sendCompanions);
    return options;
}

bool SaveExtraOptions(const QString& path, const ExtraOptions& options) {
    const QByteArray text = QByteArray("[") + Group + "]\n" +
                            FlagLine(DeleteToTrashKey, options.deleteToTrash) +
                            FlagLine(SendCompanionsKey, options.sendCompanions);
    const QString folder = path.left(path.lastIndexOf(u'/'));
    if (!folder.isEmpty() && !QDir().mkpath(folder))
        return false;
    return WriteFileAtomically(path, text) == FileError::None;
}

} // namespace sorvane
