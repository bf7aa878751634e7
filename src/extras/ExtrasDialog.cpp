#include "extras/ExtrasDialog.h"

#include "controls/MakeControl.h"
#include "platform/Prompts.h"
#include "settings/ExtraOptions.h"
#include "settings/Module1.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace sorvane {

ExtrasDialog::ExtrasDialog(Module1& module, Prompts& prompts, QWidget* parent)
    : QDialog(parent), module_(module), prompts_(prompts) {
    setObjectName(QStringLiteral("ExtrasDialog"));
    setWindowTitle(QStringLiteral("Sorvane"));
    // A fixed tool window over the main window, like the options dialog.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    const Twips twips = Twips::forScreen();
    setFixedSize(twips.toPixels(QRectF(0, 0, 6030, 1440)).size());
    setStyleSheet(QStringLiteral("* { font-size: 8pt; }"));
    BuildControls(ControlFactory(this, twips));
    connect(OKButton, &QPushButton::clicked, this, &ExtrasDialog::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &ExtrasDialog::CancelButton_Click);
}

void ExtrasDialog::BuildControls(const ControlFactory& controls) {
    Label1 = controls.place<QLabel>(QStringLiteral("Label1"), {120, 120, 4455, 255}, {},
                                    tr("追加のオプションを設定します。"));
    OKButton = controls.place<QPushButton>(QStringLiteral("OKButton"), {4680, 120, 1215, 375},
                                           tr("オプションを確定してプログラムに戻ります。"),
                                           QStringLiteral("OK"));
    OKButton->setDefault(true);
    CancelButton =
        controls.place<QPushButton>(QStringLiteral("CancelButton"), {4680, 600, 1215, 375},
                                    tr("キャンセルします。"), tr("キャンセル"));
    TrashCheck =
        controls.place<QCheckBox>(QStringLiteral("TrashCheck"), {120, 600, 4455, 255},
                                  tr("右クリックの削除と一括削除で、ファイルをごみ箱に入れます。"),
                                  tr("削除したファイルをごみ箱に入れる。"));
    CompanionsCheck = controls.place<QCheckBox>(
        QStringLiteral("CompanionsCheck"), {120, 960, 4455, 255},
        tr("RAW と JPEG、.xmp などの同じ名前のファイルをまとめて送ります。"),
        tr("同じ名前の関連ファイルも一緒に送る。"));
    setTabOrder(OKButton, CancelButton);
    setTabOrder(CancelButton, TrashCheck);
    setTabOrder(TrashCheck, CompanionsCheck);
    OKButton->setFocus();
}

void ExtrasDialog::Form_Load() {
    TrashCheck->setChecked(module_.Extras.deleteToTrash);
    CompanionsCheck->setChecked(module_.Extras.sendCompanions);
}

// The options take effect even when their file cannot be written; the user
// is told they will not be there at the next start.
void ExtrasDialog::OKButton_Click() {
    module_.Extras.deleteToTrash = TrashCheck->isChecked();
    module_.Extras.sendCompanions = CompanionsCheck->isChecked();
    if (!SaveExtraOptions(ExtraOptionsPath(module_), module_.Extras))
        prompts_.ask({QStringLiteral("Sorvane"),
                      tr("追加オプションを保存できませんでした。次回の起動では元に戻ります。")});
    accept();
}

void ExtrasDialog::CancelButton_Click() {
    reject();
}

} // namespace sorvane
