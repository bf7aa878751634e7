#include "help/Form3.h"

#include "controls/MakeControl.h"
#include "help/UsageText.h"
#include "platform/Paths.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace sorvane {

Form3::Form3(const QString& programFolder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      programFolder_(programFolder) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(tr("Sorvaneの使い方"));
    const Twips twips = Twips::forScreen();
    setFixedSize(twips.toPixels(QRectF(0, 0, 8070, 7020)).size());
    const ControlFactory controls(this, twips);
    Text1 = controls.place<QPlainTextEdit>(QStringLiteral("Text1"), {0, 0, 8055, 6495});
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap); // scrolls both ways, as a text box does
    Text1->setReadOnly(true);
    Command1 = controls.place<QPushButton>(QStringLiteral("Command1"), {6120, 6600, 1935, 375}, {},
                                           tr("プログラムへ戻る"));
    Command1->setAutoDefault(false); // Return in the text does not close the window
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
}

void Form3::Form_Load() {
    const std::optional<QString> text =
        ReadUsageText(JoinPath(programFolder_, QStringLiteral("Readme.txt")));
    Text1->setPlainText(text.value_or(tr("Readme.txtが見つかりません。")));
}

void Form3::Command1_Click() {
    close();
}

} // namespace sorvane
