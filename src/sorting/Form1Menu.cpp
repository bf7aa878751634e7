// The menu bar and the launches of other programs.
#include "platform/Launcher.h"
#include "sorting/Form1.h"

#include <QLabel>

namespace sorvane {

void Form1::LaunchAssociated() {
    const QString program = launcher_.FindExecutable(CurrentImagePath);
    Label4->show();
    Label4->setText(program);
    if (!launcher_.Start(program, CurrentImagePath))
        Label4->setText(QStringLiteral("関連付けられた実行ファイルを、起動出来ませんでした。"));
}

} // namespace sorvane
