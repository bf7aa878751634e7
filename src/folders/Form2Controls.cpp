// Construction of the folder setup window's controls, each at its place in twips.
#include "controls/DirList.h"
#include "controls/DriveFolderPair.h"
#include "controls/MakeControl.h"
#include "controls/MouseButtons.h"
#include "controls/SlotText.h"
#include "folders/Form2.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

namespace sorvane {
namespace {

const QColor BlueText(0, 0, 255);

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QString& tooltip) {
    auto* button = MakeControl<QPushButton>(parent, name, tooltip);
    button->setText(caption);
    button->setAutoDefault(false); // Return in a text box must never press a button
    return button;
}

QLabel* MakeBlueLabel(QWidget* parent, const QString& name, const QString& caption) {
    auto* label = MakeControl<QLabel>(parent, name);
    label->setText(caption);
    SetColour(label, QPalette::WindowText, BlueText);
    return label;
}

} // namespace

Form2::Form2(Module1& module, Prompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window), module_(module), prompts_(prompts), twips_(Twips::forScreen()) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr("フォルダ選択"));
    setFixedSize(twips_.toPixels(QRectF(0, 0, 5640, 7815)).size());
    // The captions fit their boxes at an 8-point face, as in the options dialog.
    setStyleSheet(QStringLiteral("* { font-size: 8pt; }"));
    BuildControls();
    drives_ = new DriveFolderPair(Drive1, Dir1, prompts_, this);
    ConnectHandlers();
}

Form2::~Form2() = default;

void Form2::PlaceTwips(QWidget* control, const QRectF& twips) {
    control->setGeometry(twips_.toPixels(twips));
}

// Controls are made in their tab order: Drive1, Dir1, the slot buttons,
// Command2, the text boxes, Command3.
void Form2::BuildControls() {
    Drive1 = MakeControl<QComboBox>(this, QStringLiteral("Drive1"),
                                    tr("移動先のドライブを選択でくます。"));
    PlaceTwips(Drive1, {120, 120, 3975, 300});
    Dir1 = MakeControl<DirList>(
        this, QStringLiteral("Dir1"),
        tr("移動先のフォルダを選択できます。右クリックでフォルダの削除もできます。"));
    PlaceTwips(Dir1, {120, 480, 3975, 1350});
    for (int i = 0; i < SlotCount; ++i) {
        const bool bulk = i == BulkDeleteSlot;
        Command1[size_t(i)] = MakeButton(
            this, QStringLiteral("Command1_%1").arg(i),
            bulk ? tr("ファイル削除") : ForSlot(tr("フォルダ０"), i),
            bulk ? tr("一括削除するフォルダを確定できます。上記のファイルシステムでフォ"
                      "ルダを選びフォルダボタンで確定してください。")
                 : ForSlot(
                       tr("移動先のフォルダをフォルダ０に確定します。上記のファイルシステムでフォ"
                          "ルダを選びフォルダボタンで確定してください。"),
                       i));
        PlaceTwips(Command1[size_t(i)],
                   bulk ? QRectF(120, 7200, 1215, 375) : QRectF(120, 2280 + 480 * i, 1095, 375));
    }
    Command2 =
        MakeButton(this, QStringLiteral("Command2"), tr("戻る"), tr("プログラムに戻ります。"));
    PlaceTwips(Command2, {4200, 120, 1335, 495});
    for (int i = 0; i < SlotCount; ++i)
        BuildSlotRow(i);
    Command3 = MakeButton(this, QStringLiteral("Command3"), tr("一括削除"),
                          tr("ファイル削除ボタンで選択したフォルダにあるファイルをすべて"
                             "削除します。"));
    PlaceTwips(Command3, {4200, 720, 1335, 495});
    Label1 = MakeBlueLabel(this, QStringLiteral("Label1"), tr("フォルダボタン"));
    PlaceTwips(Label1, {120, 1920, 1095, 255});
    Label2 = MakeBlueLabel(this, QStringLiteral("Label2"), tr("移動先フォルダのフルパス"));
    PlaceTwips(Label2, {1320, 1920, 4335, 255});
}

void Form2::BuildSlotRow(int index) {
    const bool bulk = index == BulkDeleteSlot;
    const QString howToMake =
        tr("新しいフォルダを作る時は、作りたいフォルダの名前を入力してリターンキー"
           "で確定してください。");
    QLineEdit* text = MakeControl<QLineEdit>(
        this, QStringLiteral("Text1_%1").arg(index),
        (bulk
             ? tr("ファイル削除ボタンで確定したフォルダのフルパスが表示されます。")
             : ForSlot(tr("フォルダ０ボタンで確定したフォルダのフルパスが表示されます。"), index)) +
            howToMake);
    PlaceTwips(text,
               bulk ? QRectF(1440, 7200, 4095, 375) : QRectF(1320, 2280 + 480 * index, 4215, 375));
    Text1[size_t(index)] = text;
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
