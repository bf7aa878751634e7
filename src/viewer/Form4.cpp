// The viewer's controls, its place on the screen, layout and input.
#include "viewer/Form4.h"

#include "controls/ImageBox.h"
#include "controls/MakeControl.h"
#include "controls/MouseButtons.h"
#include "controls/PicturePane.h"
#include "controls/StatusPanels.h"
#include "platform/Paths.h"
#include "settings/Module1.h"
#include "viewer/ToolbarPictures.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QToolBar>

#include <cmath>

namespace sorvane {
namespace {

const char* const AreaTip =
    QT_TRANSLATE_NOOP("sorvane::Form4", "マウスのクリックで画像を進めたり戻したり出来ます。");

// Folder, name, pixel size, file size, date, the shrunk mark, the Caps and
// Num Lock keys, date and time.
std::vector<StatusPanels::Design> StatusDesigns() {
    using Kind = StatusPanels::Kind;
    return {
        {{}, Form4::tr("パス表示"), 3},
        {{}, Form4::tr("ファイルネーム"), 2},
        {{}, Form4::tr("画像サイズ"), 1},
        {{}, Form4::tr("ファイルサイズ"), 1},
        {{}, Form4::tr("更新年月日"), 1},
        {{}, Form4::tr("縮小表示する時「縮小表示中」と表示されます。"), 1},
        {QStringLiteral("CAPS"), Form4::tr("ＣａｐｓＬｏｃｋキーの状態"), 0, 40, Kind::CapsLock},
        {QStringLiteral("NUM"), Form4::tr("ＮｕｎＬｏｃｋキーの状態"), 0, 40, Kind::NumLock},
        {{}, Form4::tr("現在の日付"), 0, 40, Kind::Date},
        {{}, Form4::tr("現在の時間"), 0, 40, Kind::Time},
    };
}

// Tooltips of the toolbar buttons 1 to 8 (3 is the separator) and the
// picture each shows first.
const char* const ButtonTips[8] = {QT_TRANSLATE_NOOP("sorvane::Form4", "オプション"),
                                   QT_TRANSLATE_NOOP("sorvane::Form4", "終了"),
                                   "",
                                   QT_TRANSLATE_NOOP("sorvane::Form4", "先頭に戻す"),
                                   QT_TRANSLATE_NOOP("sorvane::Form4", "一つ戻す"),
                                   QT_TRANSLATE_NOOP("sorvane::Form4", "順次表示"),
                                   QT_TRANSLATE_NOOP("sorvane::Form4", "一つ進む"),
                                   QT_TRANSLATE_NOOP("sorvane::Form4", "最後に進む")};
const int ButtonPictures[8] = {1, 2, 0, 3, 4, 5, 6, 7};

} // namespace

Form4::Form4(Module1& module, Prompts& prompts, PictureSource& pictures, const FileList& list,
             QWidget* parent)
    : QWidget(parent, Qt::Window), module_(module), prompts_(prompts), list_(list),
      twips_(Twips::forScreen()) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("SorvaneViewer"));
    BuildControls();
    pane_ = std::make_unique<PicturePane>(
        *Picture1, *Image1, pictures, JoinPath(module_.ProgramFolder, QStringLiteral("Error.jpg")));
    ConnectHandlers();
}

Form4::~Form4() = default;

// Placed by the layout pass, not at a rectangle of their own.
void Form4::BuildControls() {
    const ControlFactory controls(this, twips_);
    BuildToolbar(controls);
    Picture1 = controls.make<QWidget>(QStringLiteral("Picture1"), tr(AreaTip));
    Image1 = controls.on(Picture1).make<ImageBox>(QStringLiteral("Image1"), tr(AreaTip));
    Image1->hide();
    StatusBar1 = controls.make<StatusPanels>(QStringLiteral("StatusBar1"), {}, StatusDesigns());
}

// Keys belong to the window (its key preview): no toolbar button takes the
// focus, so Space can never press one.
void Form4::BuildToolbar(const ControlFactory& controls) {
    Toolbar1 = controls.make<QToolBar>(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setIconSize(QSize(16, 16));
    for (int i = 1; i <= 8; ++i) {
        QAction* button = i == 3 ? Toolbar1->addSeparator() : Toolbar1->addAction(QString());
        button->setObjectName(QStringLiteral("Toolbar1_%1").arg(i));
        button->setToolTip(tr(ButtonTips[i - 1]));
        button->setIcon(ToolbarPicture(ButtonPictures[i - 1]));
        if (QWidget* widget = Toolbar1->widgetForAction(button))
            widget->setFocusPolicy(Qt::NoFocus);
        Buttons[size_t(i - 1)] = button;
    }
}

void Form4::ConnectHandlers() {
    for (int i = 1; i <= 8; ++i)
        connect(Button(i), &QAction::triggered, this, [this, i] { Toolbar1_ButtonClick(i); });
    connect(Image1, &ImageBox::pressed, this, &Form4::Image1_MouseDown);
    connect(slideshow_, &Slideshow::tick, this, &Form4::Timer1_Timer);
    connect(slideshow_, &Slideshow::startedOrStopped, this, &Form4::ShowSlideshowState);
    Picture1->installEventFilter(this);
}

void Form4::Form_Load() {
    PlaceOnWorkArea();
    LayOut();
    steps_.run([this] { ShowCurrentImage(); });
}

// The window covers the screen up to the right and bottom edges of its work
// area (the screen without panels), measured in whole twips.
void Form4::PlaceOnWorkArea() {
    const QScreen* screen = QApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const float right = std::round(twips_.fromPixels(area.x() + area.width()));
    const float bottom = std::round(twips_.fromPixels(area.y() + area.height()));
    setGeometry(twips_.toPixels(QRectF(0, 0, right, bottom)));
}

// The toolbar across the top, the picture area below it down to 600 twips
// above the bottom, the status bar in the rest.
void Form4::LayOut() {
    const float width = twips_.fromPixels(this->width());
    const float height = twips_.fromPixels(this->height());
    const QRect area = twips_.toPixels(QRectF(0, 380, width, std::max(0.0f, height - 600)));
    Toolbar1->setGeometry(0, 0, this->width(), area.top());
    Picture1->setGeometry(area);
    const int statusHeight = std::max(0, this->height() - area.bottom() - 1);
    StatusBar1->setGeometry(0, area.bottom() + 1, this->width(), statusHeight);
    // The bar is only 220 twips high: its text is sized to fit it whole.
    QFont font = StatusBar1->font();
    font.setPixelSize(std::max(8, statusHeight - 4));
    StatusBar1->setFont(font);
}

void Form4::Form_Resize() {
    LayOut();
    // Shown again only for a new area: a move or a repeated resize to the same
    // size would read the file again and repeat any message for nothing.
    if (Picture1->size() != shownArea_)
        steps_.run([this] { ShowCurrentImage(); });
}

bool Form4::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Picture1 && event->type() == QEvent::MouseButtonPress)
        Picture1_MouseDown(ButtonNumber(static_cast<QMouseEvent*>(event)->button()));
    return QWidget::eventFilter(watched, event);
}

void Form4::keyPressEvent(QKeyEvent* event) {
    Form_KeyDown(event->key(), event->modifiers());
    QWidget::keyPressEvent(event);
}

void Form4::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

// The slideshow ends with the window; the program's composition root
// enables the start button again and closes the options dialog.
void Form4::closeEvent(QCloseEvent* event) {
    slideshow_->halt();
    steps_.dropWaiting();
    event->accept();
}

} // namespace sorvane
