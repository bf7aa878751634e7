// Construction of the main window's controls, each at its place in twips.
#include "controls/DirList.h"
#include "controls/DriveFolderPair.h"
#include "controls/FileList.h"
#include "controls/ImageBox.h"
#include "controls/MakeControl.h"
#include "controls/PicturePane.h"
#include "controls/SlotText.h"
#include "controls/StatusPanels.h"
#include "platform/Paths.h"
#include "sorting/Form1.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>

namespace sorvane {
namespace {

const QColor SlotLabelColour(255, 255, 192);
const char* const SlotButtonTip =
    QT_TRANSLATE_NOOP("sorvane::Form1", "表示されているフォルダにファイルを移動します。");

// The status bar: source folder, file name, file count, a spacer, the Caps
// and Num Lock keys, date and time.
std::vector<StatusPanels::Design> StatusDesigns() {
    using Kind = StatusPanels::Kind;
    return {
        {{}, Form1::tr("元フォルダのパスです"), 3},
        {Form1::tr("（無題）"), Form1::tr("選択されているファイルネームです"), 2},
        {{}, Form1::tr("フォルダ内の残りファイル数です"), 1},
        {{}, {}, 0, 8},
        {QStringLiteral("CAPS"), Form1::tr("Capsキーの状態です。"), 0, 40, Kind::CapsLock},
        {QStringLiteral("NUM"), Form1::tr("Numキーの状態です。"), 0, 40, Kind::NumLock},
        {{}, Form1::tr("現在の日付です。"), 0, 40, Kind::Date},
        {{}, Form1::tr("現在の時間です。"), 0, 40, Kind::Time},
    };
}

// The arrangements move buttons under labels made after them (the path
// lines lie across キャンセル in the extend row): a label on top would take
// the press, so every button lies above every label.
void RaiseButtons(Form1Controls& controls) {
    controls.Command1->raise();
    controls.Command2->raise();
    for (QPushButton* button : controls.Command4)
        button->raise();
}

void BuildBrowsing(Form1Controls& c, const ControlFactory& controls) {
    c.Drive1 = controls.place<QComboBox>(QStringLiteral("Drive1"), {120, 120, 3495, 300},
                                         Form1::tr("移動元のドライブを選択できます。"));
    c.Dir1 = controls.place<DirList>(QStringLiteral("Dir1"), {120, 480, 3495, 1140},
                                     Form1::tr("移動元のフォルダを選択できます。"));
    c.File1 = controls.place<FileList>(
        QStringLiteral("File1"), {3720, 120, 3375, 1530},
        Form1::tr("マウスの左クリックで画像の確認ができます。ダブルクリックでViewerを起"
                  "動します。右クリックで削除できます。"));
    c.File2 = controls.place<FileList>(QStringLiteral("File2"), {5160, 480, 1215, 810});
    c.File2->hide();
    c.Command1 = controls.place<QPushButton>(QStringLiteral("Command1"), {7200, 120, 1335, 495},
                                             Form1::tr("Sorvaneを開始します。"), Form1::tr("実行"));
    c.Command2 =
        controls.place<QPushButton>(QStringLiteral("Command2"), {7200, 720, 1335, 495},
                                    Form1::tr("プログラムを終了します。"), Form1::tr("終了"));
}

void BuildLabels(Form1Controls& c, const ControlFactory& controls) {
    const QColor candidateColours[4] = {QColor(255, 0, 0), QColor(0, 0, 255),
                                        QColor(0x80, 0x80, 0xFF), QColor(0xC0, 0xC0, 0xFF)};
    for (int i = 0; i < 4; ++i) {
        c.Label2[size_t(i)] = controls.place<QLabel>(
            QStringLiteral("Label2_%1").arg(i), {3720, 120 + 240.0f * float(i), 3375, 255},
            i == 0 ? Form1::tr("このファイルを移動します。") : Form1::tr("移動ファイル候補です。"));
        SetColour(c.Label2[size_t(i)], QPalette::WindowText, candidateColours[i]);
    }
    c.Label6 = controls.place<QLabel>(QStringLiteral("Label6"), {3720, 1200, 3375, 375},
                                      Form1::tr("フォルダの中にある残りのファイル数です。"));
    c.Label8 =
        controls.place<QLabel>(QStringLiteral("Label8"), {7200, 1320, 1335, 255},
                               Form1::tr("現在コピーモードです。"), Form1::tr("コピーモード"));
    c.Label8->hide();
    c.Label3 = controls.place<QLabel>(QStringLiteral("Label3"), {480, 2400, 7095, 255},
                                      Form1::tr("移動元のフルパスを表示します。"));
    c.Label4 = controls.place<QLabel>(QStringLiteral("Label4"), {480, 2640, 7095, 255},
                                      Form1::tr("移動先のフルパスを表示します。"));
    c.Label4->hide();
}

void BuildSlots(Form1Controls& c, const ControlFactory& controls) {
    for (int i = 0; i < 10; ++i) {
        QLabel* label = controls.place<QLabel>(
            QStringLiteral("Label1_%1").arg(i), {240 + 840.0f * float(i), 1680, 615, 255},
            ForSlot(Form1::tr("０キーで下のボタンに対応したフォルダに移動します。"), i),
            QString::number(i));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop); // a short label shows the digit whole
        SetColour(label, QPalette::Window, SlotLabelColour);
        c.Label1[size_t(i)] = label;
        c.Command4[size_t(i)] = controls.place<QPushButton>(
            QStringLiteral("Command4_%1").arg(i), {120 + 840.0f * float(i), 1920, 855, 375},
            Form1::tr(SlotButtonTip));
    }
    c.Command4[10] =
        controls.place<QPushButton>(QStringLiteral("Command4_10"), {7680, 2400, 855, 375},
                                    Form1::tr("１０回までアンドゥできます。"));
    c.Command4[10]->setIcon(QApplication::style()->standardIcon(QStyle::SP_ArrowBack));
    c.FocusSink = c.Command4[11] = controls.place<QPushButton>(
        QStringLiteral("FocusSink"), {120, 2400, 135, 105}, Form1::tr(SlotButtonTip));
    for (QPushButton* button : c.Command4) {
        button->setAutoDefault(true); // Enter on a focused button clicks it
        button->setEnabled(button == c.FocusSink);
    }
    c.Text1 = controls.place<QLineEdit>(QStringLiteral("Text1"), {120, 2400, 255, 180});
    c.Text1->setFrame(false);
}

void BuildPreview(Form1Controls& c, const ControlFactory& controls) {
    c.Picture1 = controls.place<QWidget>(QStringLiteral("Picture1"), {120, 3000, 8415, 3975});
    SetColour(c.Picture1, QPalette::Window, QColor(48, 48, 48));
    const ControlFactory inPicture = controls.on(c.Picture1);
    c.Image1 = inPicture.place<ImageBox>(
        QStringLiteral("Image1"), {0, 0, 4215, 3495},
        Form1::tr("表示ビューです。フォームを大きくすると表示エリアが広がります。"));
    c.Label5 =
        inPicture.place<QLabel>(QStringLiteral("Label5"), {120, 120, 495, 180},
                                Form1::tr("現在の表示ビューの大きさです。単位はピクセルです。"));
    SetColour(c.Label5, QPalette::WindowText, Qt::white);
    c.Label7 = inPicture.place<QLabel>(QStringLiteral("Label7"), {45, 360, 675, 240},
                                       Form1::tr("画像本来の大きさです。単位はピクセルです。"));
    SetColour(c.Label7, QPalette::Window, Qt::black);
    SetColour(c.Label7, QPalette::WindowText, Qt::white);
    c.Label7->hide();
}

// Menu items are found by their object names, as the controls are.
template <typename Item> Item* Named(Item* item, const char* name) {
    item->setObjectName(QLatin1String(name));
    return item;
}

void BuildMenu(Form1Controls& c, QMenuBar* menuBar) {
    QMenu* options = Named(menuBar->addMenu(Form1::tr("オプション")), "mnuOpt");
    c.mnuOpt1 = Named(options->addAction(Form1::tr("オプション")), "mnuOpt1");
    Named(options->addSeparator(), "mnuSep1");
    c.mnuFOL = Named(options->addAction(Form1::tr("フォルダ選択")), "mnuFOL");
    c.mnuExtras = Named(options->addAction(Form1::tr("追加オプション(&X)...")), "mnuExtras");
    QMenu* version = Named(menuBar->addMenu(Form1::tr("バージョン情報")), "mnuVer");
    c.mnuVer1 = Named(version->addAction(Form1::tr("バージョン")), "mnuVer1");
    Named(version->addSeparator(), "mnuSep2");
    c.mnuHelp = Named(version->addAction(Form1::tr("ヘルプ")), "mnuHelp");
}

} // namespace

Form1::Form1(Module1& module, Prompts& prompts, Launcher& launcher, PictureSource& pictures,
             QWidget* parent)
    : QMainWindow(parent), module_(module), prompts_(prompts), launcher_(launcher),
      twips_(Twips::forScreen()), run_(module, prompts, display_) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Sorvane"));
    BuildControls();
    const Form1Controls& controls = *this;
    preview_ = std::make_unique<MainPreview>(
        *this, controls, pictures, JoinPath(module_.ProgramFolder, QStringLiteral("Error.jpg")),
        module_, run_,
        MainPreview::Hooks{
            [this](FileError error, const QString& name) { deletion_.reportError(error, name); },
            [this] { return RunPreviewBox(); }, [this] { LaunchAssociated(); }});
    BuildMenu(*this, menuBar());
    drives_ = new DriveFolderPair(Drive1, Dir1, prompts_, this);
    ConnectHandlers();
    geometry_.setOuterSize(QSizeF(8775, 8040)); // the designed inner area of 8655 x 7350
    FocusSink->setFocus();                      // not the drive box, whose list Space would open
}

Form1::~Form1() = default;

void Form1::PlaceTwips(QWidget* control, const QRectF& twips) {
    twipsGeometry_[control] = twips;
    control->setGeometry(twips_.toPixels(twips));
}

void Form1::BuildControls() {
    Surface = ControlFactory(this, twips_).make<QWidget>(QStringLiteral("Surface"));
    setCentralWidget(Surface);
    const QRect inner = twips_.toPixels(QRectF(0, 0, 8655, 7350));
    Surface->setMinimumSize(inner.size());
    // The layout pass moves controls on from where they were put.
    const ControlFactory controls(Surface, twips_, [this](QWidget* control, const QRectF& twips) {
        twipsGeometry_[control] = twips;
    });
    BuildBrowsing(*this, controls);
    BuildLabels(*this, controls);
    BuildSlots(*this, controls);
    BuildPreview(*this, controls);
    StatusBar1 = controls.make<StatusPanels>(QStringLiteral("StatusBar1"), {}, StatusDesigns());
    Timer1 = controls.make<QTimer>(QStringLiteral("Timer1"));
    File1->raise(); // the labels at its place show only while the list is hidden
    RaiseButtons(*this);
    Text1->raise(); // the text box covers the focus button at the same spot
}

void Form1::ConnectHandlers() {
    connect(Drive1, &QComboBox::currentIndexChanged, this, [this] { Drive1_Change(); });
    connect(Dir1, &DirList::pathChanged, this, &Form1::Dir1_Change);
    connect(File1, &FileList::pressed, this, &Form1::File1_MouseDown);
    connect(File1, &FileList::doubleClicked, this, &Form1::File1_DblClick);
    connect(Image1, &ImageBox::pressed, this, &Form1::Image1_MouseDown);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    for (int i = 0; i < int(Command4.size()); ++i)
        connect(Command4[size_t(i)], &QPushButton::clicked, this, [this, i] { Command4_Click(i); });
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(mnuOpt1, &QAction::triggered, this, &Form1::mnuOpt1_Click);
    connect(mnuFOL, &QAction::triggered, this, &Form1::mnuFOL_Click);
    connect(mnuVer1, &QAction::triggered, this, &Form1::mnuVer1_Click);
    connect(mnuHelp, &QAction::triggered, this, &Form1::mnuHelp_Click);
    connect(mnuExtras, &QAction::triggered, this, &Form1::mnuExtras_Click);
    qApp->installEventFilter(this); // key preview, and presses on the preview and slot buttons
}

} // namespace sorvane
