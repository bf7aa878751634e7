// Construction of the options dialog's controls, each at its place in twips.
#include "options/Dialog.h"

#include "controls/MakeControl.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <type_traits>

namespace sorvane {
Dialog::Dialog(Module1& module, Prompts& prompts, QWidget* parent)
    : QDialog(parent), module_(module), prompts_(prompts), twips_(Twips::forScreen()) {
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("Sorvane"));
    // A fixed tool window over the main window: no task bar entry, no
    // minimise or maximise box.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(twips_.toPixels(QRectF(0, 0, 6030, 4605)).size());
    // The captions fit their boxes at an 8-point face; a frame's
    // caption sits on its top line, above the controls inside.
    setStyleSheet(QStringLiteral("* { font-size: 8pt; }"
                                 "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; "
                                 "margin-top: 7px; }"
                                 "QGroupBox::title { subcontrol-origin: margin; left: 7px; "
                                 "padding: 0 2px; }"));
    BuildControls();
    SetFocusOrder();
    ConnectHandlers();
}

template <typename W>
W* Dialog::Add(QWidget* parent, const char* name, const char* text, const QRectF& twips,
               const char* tooltip) {
    auto* widget = MakeControl<W>(parent, QLatin1String(name), tr(tooltip));
    if constexpr (std::is_same_v<W, QGroupBox>)
        widget->setTitle(tr(text));
    else
        widget->setText(tr(text));
    widget->setGeometry(twips_.toPixels(twips));
    return widget;
}

void Dialog::BuildControls() {
    Label1 =
        Add<QLabel>(this, "Label1", QT_TR_NOOP("Sorvaneを設定します。"), {120, 120, 4455, 255});
    OKButton = Add<QPushButton>(this, "OKButton", "OK", {4680, 120, 1215, 375},
                                QT_TR_NOOP("オプションを確定してプログラムに戻ります。"));
    OKButton->setDefault(true); // Return in the seconds box confirms
    CancelButton = Add<QPushButton>(this, "CancelButton", QT_TR_NOOP("ｷｬﾝｾﾙ"),
                                    {4680, 600, 1215, 375}, QT_TR_NOOP("キャンセルします。"));
    BuildFrame1();
    BuildFrame2();
}

void Dialog::BuildFrame1() {
    Frame1 = Add<QGroupBox>(this, "Frame1", QT_TR_NOOP("オプション１"), {120, 600, 4455, 2655});
    Check1 = Add<QCheckBox>(
        Frame1, "Check1", QT_TR_NOOP("次回起動時にフォームのサイズを記憶する。"),
        {120, 240, 4215, 255}, QT_TR_NOOP("フォームのサイズを記憶することができます。"));
    Check5 = Add<QCheckBox>(Frame1, "Check5", QT_TR_NOOP("実行時、エクステンドモードにする。"),
                            {120, 480, 4215, 255}, QT_TR_NOOP("画像の表示領域を広く取ります。"));
    Option1[0] = Add<QRadioButton>(Frame1, "Option1_0", QT_TR_NOOP("ボタンを横置きにする。"),
                                   {360, 720, 3615, 255},
                                   QT_TR_NOOP("移動先フォルダのボタンを横型にします。"));
    Option1[1] = Add<QRadioButton>(Frame1, "Option1_1", QT_TR_NOOP("ボタンを縦置きにする。"),
                                   {360, 960, 3135, 255},
                                   QT_TR_NOOP("移動先フォルダのボタンを縦型にします。"));
    Check2 = Add<QCheckBox>(Frame1, "Check2", QT_TR_NOOP("次回起動時に元フォルダを記憶する。"),
                            {120, 1200, 4215, 255},
                            QT_TR_NOOP("ファイルシステムに移動元フォルダを記憶させます。"));
    Check4 = Add<QCheckBox>(
        Frame1, "Check4", QT_TR_NOOP("関連付けられた拡張子からプログラムを起動する。"),
        {120, 1440, 4215, 255}, QT_TR_NOOP("拡張子に関連付けられたプログラムを起動します。"));
    Check6 =
        Add<QCheckBox>(Frame1, "Check6", QT_TR_NOOP("コピーモードにする。"), {120, 1680, 4095, 255},
                       QT_TR_NOOP("移動モードからコピーモードに変更します。"));
    Check7 = Add<QCheckBox>(Frame1, "Check7", QT_TR_NOOP("同名のファイルが存在するとき確認する。"),
                            {120, 1920, 4215, 255});
}

void Dialog::BuildFrame2() {
    Frame2 = Add<QGroupBox>(this, "Frame2", QT_TR_NOOP("Viewerオプション"), {120, 3600, 5775, 855});
    Label2 =
        Add<QLabel>(Frame2, "Label2", QT_TR_NOOP("スライドショーの表示時間を入力してください。"),
                    {120, 240, 3615, 255}, QT_TR_NOOP("スライドショーの表示時間を設定できます。"));
    Text1 = Add<QLineEdit>(Frame2, "Text1", "3", {3600, 195, 495, 270},
                           QT_TR_NOOP("秒単位で入力してください。"));
    Label3 = Add<QLabel>(Frame2, "Label3", QT_TR_NOOP("秒"), {4200, 240, 255, 255});
    Check3 =
        Add<QCheckBox>(Frame2, "Check3", QT_TR_NOOP("スライドショー繰り返し表示"),
                       {120, 480, 4215, 255}, QT_TR_NOOP("スライドショーを繰り返し表示します。"));
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
