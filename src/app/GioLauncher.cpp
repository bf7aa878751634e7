#include "app/GioLauncher.h"

#include <QFileInfo>
#include <QProcess>

#undef signals // glib uses the name
#include <gio/gio.h>

namespace sorvane {

QString GioLauncher::FindExecutable(const QString& file) {
    const QByteArray name = file.toUtf8();
    gboolean uncertain = FALSE;
    gchar* type = g_content_type_guess(name.constData(), nullptr, 0, &uncertain);
    QString result;
    if (GAppInfo* app = g_app_info_get_default_for_type(type, FALSE)) {
        if (gchar* full = g_find_program_in_path(g_app_info_get_executable(app))) {
            result = QString::fromUtf8(full);
            g_free(full);
        }
        g_object_unref(app);
    }
    g_free(type);
    return result;
}

bool GioLauncher::Start(const QString& program, const QString& argument) {
    if (program.isEmpty() || !QFileInfo(program).isExecutable())
        return false;
    return QProcess::startDetached(program, {argument});
}

} // namespace sorvane
