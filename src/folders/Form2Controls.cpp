// Construction of the folder setup window's controls, each at its place in twips.
#include "controls/DirList.h"
#include "controls/DriveFolderPair.h"
#include "controls/MakeControl.h"
#include "controls/MouseButtons.h"
#include "controls/SlotText.h"
#include "folders/Form2.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace sorvane {
namespace {

const QColor BlueText(0, 0, 255);

QPushButton* PlaceButton(const ControlFactory& controls, const QString& name, const QRectF& twips,
                         const QString& tooltip, const QString& caption) {
    auto* button = controls.place<QPushButton>(name, twips, tooltip, caption);
    button->setAutoDefault(false); // Return in a text box must never press a button
    return button;
}

QLabel* PlaceBlueLabel(const ControlFactory& controls, const QString& name, const QRectF& twips,
                       const QString& caption) {
    auto* label = controls.place<QLabel>(name, twips, {}, caption);
    SetColour(label, QPalette::WindowText, BlueText);
    return label;
}

} // namespace

Form2::Form2(Module1& module, Prompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window), module_(module), prompts_(prompts) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr("フォルダ選択"));
    const Twips twips = Twips::forScreen();
    setFixedSize(twips.toPixels(QRectF(0, 0, 5640, 7815)).size());
    // The captions fit their boxes at an 8-point face, as in the options dialog.
    setStyleSheet(QStringLiteral("* { font-size: 8pt; }"));
    BuildControls(ControlFactory(this, twips));
    drives_ = new DriveFolderPair(Drive1, Dir1, prompts_, this);
    ConnectHandlers();
}

Form2::~Form2() = default;

// Controls are made in their tab order: Drive1, Dir1, the slot buttons,
// Command2, the text boxes, Command3.
void Form2::BuildControls(const ControlFactory& controls) {
    Drive1 = controls.place<QComboBox>(QStringLiteral("Drive1"), {120, 120, 3975, 300},
                                       tr("移動先のドライブを選択でくます。"));
    Dir1 = controls.place<DirList>(
        QStringLiteral("Dir1"), {120, 480, 3975, 1350},
        tr("移動先のフォルダを選択できます。右クリックでフォルダの削除もできます。"));
    for (int i = 0; i < SlotCount; ++i) {
        const bool bulk = i == BulkDeleteSlot;
        Command1[size_t(i)] = PlaceButton(
            controls, QStringLiteral("Command1_%1").arg(i),
            bulk ? QRectF(120, 7200, 1215, 375) : QRectF(120, 2280 + 480 * i, 1095, 375),
            bulk ? tr("一括削除するフォルダを確定できます。上記のファイルシステムでフォ"
                      "ルダを選びフォルダボタンで確定してください。")
                 : ForSlot(
                       tr("移動先のフォルダをフォルダ０に確定します。上記のファイルシステムでフォ"
                          "ルダを選びフォルダボタンで確定してください。"),
                       i),
            bulk ? tr("ファイル削除") : ForSlot(tr("フォルダ０"), i));
    }
    Command2 = PlaceButton(controls, QStringLiteral("Command2"), {4200, 120, 1335, 495},
                           tr("プログラムに戻ります。"), tr("戻る"));
    for (int i = 0; i < SlotCount; ++i)
        Text1[size_t(i)] = PlaceSlotText(controls, i);
    Command3 = PlaceButton(controls, QStringLiteral("Command3"), {4200, 720, 1335, 495},
                           tr("ファイル削除ボタンで選択したフォルダにあるファイルをすべて"
                              "削除します。"),
                           tr("一括削除"));
    Label1 = PlaceBlueLabel(controls, QStringLiteral("Label1"), {120, 1920, 1095, 255},
                            tr("フォルダボタン"));
    Label2 = PlaceBlueLabel(controls, QStringLiteral("Label2"), {1320, 1920, 4335, 255},
                            tr("移動先フォルダのフルパス"));
}

QLineEdit* Form2::PlaceSlotText(const ControlFactory& controls, int index) {
    const bool bulk = index == BulkDeleteSlot;
    const QString howToMake =
        tr("新しいフォルダを作る時は、作りたいフォルダの名前を入力してリターンキー"
           "で確定してください。");
    return controls.place<QLineEdit>(
        QStringLiteral("Text1_%1").arg(index),
        bulk ? QRectF(1440, 7200, 4095, 375) : QRectF(1320, 2280 + 480 * index, 4215, 375),
        (bulk
             ? tr("ファイル削除ボタンで確定したフォルダのフルパスが表示されます。")
             : ForSlot(tr("フォルダ０ボタンで確定したフォルダのフルパスが表示されます。"), index)) +
            howToMake);
}

void Form2::ConnectHandlers() {
    for (int i = 0; i < SlotCount; ++i) {
        connect(Command1[size_t(i)], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        // QLineEdit reports Return and Enter with any modifier; other keys stay typing.
        connect(Text1[size_t(i)], &QLineEdit::returnPressed, this,
                [this, i] { Text1_KeyPress(i); });
    }
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form2::Command3_Click);
    connect(Drive1, &QComboBox::currentIndexChanged, this, &Form2::Drive1_Change);
    connect(Dir1, &DirList::pathChanged, drives_, &DriveFolderPair::followFolder);
    Dir1->viewport()->installEventFilter(this);
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Dir1->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        Dir1_MouseDown(ButtonNumber(press->button()));
        // A right press asks about the open folder; it must not highlight another.
        return press->button() == Qt::RightButton;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace sorvane
