// Construction of the options dialog's controls, each at its place in twips.
#include "options/Dialog.h"

#include "controls/MakeControl.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace sorvane {

Dialog::Dialog(Module1& module, Prompts& prompts, QWidget* parent)
    : QDialog(parent), module_(module), prompts_(prompts) {
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("Sorvane"));
    // A fixed tool window over the main window: no task bar entry, no
    // minimise or maximise box.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    const Twips twips = Twips::forScreen();
    setFixedSize(twips.toPixels(QRectF(0, 0, 6030, 4605)).size());
    // The captions fit their boxes at an 8-point face; a frame's
    // caption sits on its top line, above the controls inside.
    setStyleSheet(QStringLiteral("* { font-size: 8pt; }"
                                 "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; "
                                 "margin-top: 7px; }"
                                 "QGroupBox::title { subcontrol-origin: margin; left: 7px; "
                                 "padding: 0 2px; }"));
    BuildControls(ControlFactory(this, twips));
    SetFocusOrder();
    ConnectHandlers();
}

void Dialog::BuildControls(const ControlFactory& controls) {
    Label1 = controls.place<QLabel>(QStringLiteral("Label1"), {120, 120, 4455, 255}, {},
                                    tr("Sorvaneを設定します。"));
    OKButton = controls.place<QPushButton>(QStringLiteral("OKButton"), {4680, 120, 1215, 375},
                                           tr("オプションを確定してプログラムに戻ります。"),
                                           QStringLiteral("OK"));
    OKButton->setDefault(true); // Return in the seconds box confirms
    CancelButton =
        controls.place<QPushButton>(QStringLiteral("CancelButton"), {4680, 600, 1215, 375},
                                    tr("キャンセルします。"), tr("ｷｬﾝｾﾙ"));
    Frame1 = controls.place<QGroupBox>(QStringLiteral("Frame1"), {120, 600, 4455, 2655}, {},
                                       tr("オプション１"));
    BuildFrame1(controls.on(Frame1));
    Frame2 = controls.place<QGroupBox>(QStringLiteral("Frame2"), {120, 3600, 5775, 855}, {},
                                       tr("Viewerオプション"));
    BuildFrame2(controls.on(Frame2));
}

void Dialog::BuildFrame1(const ControlFactory& inFrame) {
    Check1 = inFrame.place<QCheckBox>(QStringLiteral("Check1"), {120, 240, 4215, 255},
                                      tr("フォームのサイズを記憶することができます。"),
                                      tr("次回起動時にフォームのサイズを記憶する。"));
    Check5 = inFrame.place<QCheckBox>(QStringLiteral("Check5"), {120, 480, 4215, 255},
                                      tr("画像の表示領域を広く取ります。"),
                                      tr("実行時、エクステンドモードにする。"));
    Option1[0] = inFrame.place<QRadioButton>(QStringLiteral("Option1_0"), {360, 720, 3615, 255},
                                             tr("移動先フォルダのボタンを横型にします。"),
                                             tr("ボタンを横置きにする。"));
    Option1[1] = inFrame.place<QRadioButton>(QStringLiteral("Option1_1"), {360, 960, 3135, 255},
                                             tr("移動先フォルダのボタンを縦型にします。"),
                                             tr("ボタンを縦置きにする。"));
    Check2 = inFrame.place<QCheckBox>(QStringLiteral("Check2"), {120, 1200, 4215, 255},
                                      tr("ファイルシステムに移動元フォルダを記憶させます。"),
                                      tr("次回起動時に元フォルダを記憶する。"));
    Check4 = inFrame.place<QCheckBox>(QStringLiteral("Check4"), {120, 1440, 4215, 255},
                                      tr("拡張子に関連付けられたプログラムを起動します。"),
                                      tr("関連付けられた拡張子からプログラムを起動する。"));
    Check6 = inFrame.place<QCheckBox>(QStringLiteral("Check6"), {120, 1680, 4095, 255},
                                      tr("移動モードからコピーモードに変更します。"),
                                      tr("コピーモードにする。"));
    Check7 = inFrame.place<QCheckBox>(QStringLiteral("Check7"), {120, 1920, 4215, 255}, {},
                                      tr("同名のファイルが存在するとき確認する。"));
}

void Dialog::BuildFrame2(const ControlFactory& inFrame) {
    Label2 = inFrame.place<QLabel>(QStringLiteral("Label2"), {120, 240, 3615, 255},
                                   tr("スライドショーの表示時間を設定できます。"),
                                   tr("スライドショーの表示時間を入力してください。"));
    Text1 = inFrame.place<QLineEdit>(QStringLiteral("Text1"), {3600, 195, 495, 270},
                                     tr("秒単位で入力してください。"), QStringLiteral("3"));
    Label3 = inFrame.place<QLabel>(QStringLiteral("Label3"), {4200, 240, 255, 255}, {}, tr("秒"));
    Check3 = inFrame.place<QCheckBox>(QStringLiteral("Check3"), {120, 480, 4215, 255},
                                      tr("スライドショーを繰り返し表示します。"),
                                      tr("スライドショー繰り返し表示"));
}

void Dialog::SetFocusOrder() {
    QWidget* const order[] = {OKButton, CancelButton, Check1,     Check2,     Text1,  Check3,
                              Check4,   Check5,       Option1[0], Option1[1], Check6, Check7};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    OKButton->setFocus();
}

void Dialog::ConnectHandlers() {
    connect(Check5, &QCheckBox::toggled, this, &Dialog::Check5_Click);
    connect(Check6, &QCheckBox::toggled, this, &Dialog::Check6_Click);
    connect(Check7, &QCheckBox::toggled, this, &Dialog::Check7_Click);
    connect(OKButton, &QPushButton::clicked, this, &Dialog::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &Dialog::CancelButton_Click);
}

} // namespace sorvane
