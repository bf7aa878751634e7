#include "app/GioLauncher.h"

#include "platform/NativeName.h"

#include <QDesktopServices>
#include <QFile>
#include <QUrl>

#include <gio/gio.h>

#include <memory>

namespace sorvane {
namespace {

struct Unref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T> using Owned = std::unique_ptr<T, Unref>;

Owned<GFile> LocalFile(const QString& path) {
    return Owned<GFile>(g_file_new_for_path(ToNativeName(path).constData()));
}

// The application the desktop associates with the file's type. The type
// comes from the name (and a folder is a folder), never from the content, so
// what a file contains cannot choose the program that opens it.
Owned<GAppInfo> DefaultApplicationFor(const QString& file) {
    const Owned<GFile> location = LocalFile(file);
    const Owned<GFileInfo> info(g_file_query_info(location.get(),
                                                  G_FILE_ATTRIBUTE_STANDARD_FAST_CONTENT_TYPE,
                                                  G_FILE_QUERY_INFO_NONE, nullptr, nullptr));
    if (!info)
        return {};
    const char* type =
        g_file_info_get_attribute_string(info.get(), G_FILE_ATTRIBUTE_STANDARD_FAST_CONTENT_TYPE);
    return Owned<GAppInfo>(type ? g_app_info_get_default_for_type(type, FALSE) : nullptr);
}

} // namespace

// The program is the first word of the entry's command line, read with the
// entry's own quoting: GIO's executable is the text up to the first blank,
// which for Exec="/opt/My App/bin/app" %f is a path that does not exist.
QString GioLauncher::findExecutable(const QString& file) {
    const Owned<GAppInfo> application = DefaultApplicationFor(file);
    const char* commandLine = application ? g_app_info_get_commandline(application.get()) : nullptr;
    gchar** words = nullptr;
    if (!commandLine || !g_shell_parse_argv(commandLine, nullptr, &words, nullptr))
        return {};
    gchar* full = g_find_program_in_path(words[0]);
    g_strfreev(words);
    QString result = full ? FromNativeName(full) : QString();
    g_free(full);
    return result;
}

// GIO builds the argument list from the entry's own command line, with the
// file in its %f or %u place as one argument, and runs a terminal program in
// a terminal.
bool GioLauncher::start(const QString& file) {
    const Owned<GAppInfo> application = DefaultApplicationFor(file);
    if (!application)
        return false;
    const Owned<GFile> location = LocalFile(file);
    GList files{location.get(), nullptr, nullptr};
    return g_app_info_launch(application.get(), &files, nullptr, nullptr);
}

bool GioLauncher::startProgram(const QString& program) {
    QByteArray path = QFile::encodeName(program);
    gchar* arguments[] = {path.data(), nullptr};
    return g_spawn_async(nullptr, arguments, nullptr, G_SPAWN_DEFAULT, nullptr, nullptr, nullptr,
                         nullptr);
}

void GioLauncher::openUrl(const QUrl& address) {
    QDesktopServices::openUrl(address);
}

} // namespace sorvane
