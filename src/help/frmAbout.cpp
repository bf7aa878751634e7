#include "help/frmAbout.h"

#include "controls/MakeControl.h"
#include "controls/Twips.h"
#include "help/ProgramIcon.h"
#include "help/Version.h"
#include "platform/Launcher.h"
#include "platform/Prompts.h"
#include "platform/SystemInformation.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace sorvane {
namespace {

const QString AppTitle = QStringLiteral("Sorvane");
const QColor LinkBlue(0, 0, 255);
const QColor LinkPurple(128, 0, 128);

// The designed Japanese gothic face, as the desktop has it.
QFont Gothic(qreal points, bool bold = false) {
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QFrame* PlaceLine(const ControlFactory& controls, int index, const QRectF& twips,
                  const QColor& colour) {
    QFrame* line = controls.place<QFrame>(QStringLiteral("Line1_%1").arg(index), twips);
    SetColour(line, QPalette::Window, colour);
    return line;
}

} // namespace

frmAbout::frmAbout(Prompts& prompts, Launcher& launcher, QString helpPage, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      prompts_(prompts), launcher_(launcher), helpPage_(std::move(helpPage)) {
    setObjectName(QStringLiteral("frmAbout"));
    setFont(Gothic(9.75));
    const Twips twips = Twips::forScreen();
    setFixedSize(twips.toPixels(QRectF(0, 0, 5730, 3555)).size());
    setMouseTracking(true);
    BuildControls(ControlFactory(this, twips));
}

void frmAbout::BuildControls(const ControlFactory& controls) {
    picIcon = controls.place<QLabel>(QStringLiteral("picIcon"), {240, 240, 540, 540});
    picIcon->setPixmap(ProgramIcon().pixmap(32, 32));
    picIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picIcon->setFocusPolicy(Qt::TabFocus);
    lblTitle = controls.place<QLabel>(QStringLiteral("lblTitle"), {1050, 240, 3885, 480});
    lblTitle->setFont(Gothic(24, true));
    SetColour(lblTitle, QPalette::WindowText, LinkBlue);
    lblVersion = controls.place<QLabel>(QStringLiteral("lblVersion"), {1050, 780, 3885, 225}, {},
                                        tr("ﾊﾞｰｼﾞｮﾝ"));
    lblDescription = controls.place<QLabel>(
        QStringLiteral("lblDescription"), {1050, 1125, 4005, 690}, {},
        tr("デジカメやインターネット等から大量に溜まったＪＰＧ画像などを画像の確認を"
           "しながら任意の１０のフォルダに素早く移動できます。"));
    lblDescription->setWordWrap(true);
    Label1 = controls.place<QLabel>(QStringLiteral("Label1"), {960, 2040, 4215, 375}, {},
                                    tr("Sorvane ヘルプ"));
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->installEventFilter(this);
    // Moves over the link and the description pass on to the box; those over
    // controls without tracking are dropped by the toolkit.
    Label1->setMouseTracking(true);
    lblDescription->setMouseTracking(true);
    Line1[1] = PlaceLine(controls, 1, {90, 2445, 5564, 15}, QColor(128, 128, 128));
    Line1[0] = PlaceLine(controls, 0, {105, 2460, 5549, 30}, Qt::white);
    lblDisclaimer = controls.place<QLabel>(
        QStringLiteral("lblDisclaimer"), {255, 2625, 3870, 825}, {},
        tr("このソフトウェアは無保証です。使用によって生じたいかなる損害についても、"
           "作者は責任を負いません。"));
    lblDisclaimer->setWordWrap(true);
    cmdOK = controls.place<QPushButton>(QStringLiteral("cmdOK"), {4245, 2625, 1380, 345}, {},
                                        QStringLiteral("OK"));
    cmdOK->setDefault(true); // Escape closes the box, as a dialog does
    cmdSysInfo = controls.place<QPushButton>(QStringLiteral("cmdSysInfo"), {4260, 3075, 1380, 345},
                                             {}, tr("ｼｽﾃﾑ情報(&S)..."));
    cmdSysInfo->setAutoDefault(false);
    for (QWidget* control : std::initializer_list<QWidget*>{lblVersion, lblDescription,
                                                            lblDisclaimer, cmdOK, cmdSysInfo})
        control->setFont(Gothic(9));
    setTabOrder(cmdOK, picIcon);
    setTabOrder(picIcon, cmdSysInfo);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

void frmAbout::Form_Load() {
    setWindowTitle(AppTitle + tr("のﾊﾞｰｼﾞｮﾝ情報"));
    lblVersion->setText(
        tr("ﾊﾞｰｼﾞｮﾝ %1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision));
    lblTitle->setText(AppTitle);
    QFont link = Gothic(10);
    link.setUnderline(true);
    Label1->setFont(link);
    ShowLinkIn(LinkBlue);
}

void frmAbout::cmdOK_Click() {
    close();
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo();
}

// The program has no home page of its own on the web: the link opens the
// help page it ships, with the program the desktop opens such pages with.
void frmAbout::Label1_Click() {
    launcher_.start(helpPage_);
}

void frmAbout::StartSysInfo() {
    const QString program = FindSystemInformationProgram();
    if (!program.isEmpty() && launcher_.startProgram(program))
        return;
    prompts_.ask({AppTitle, tr("現時点ではｼｽﾃﾑ情報を使用できません")});
}

void frmAbout::ShowLinkIn(const QColor& colour) {
    SetColour(Label1, QPalette::WindowText, colour);
}

// The link turns purple under the pointer and blue again over the box's own
// background or the description. Only those reach here: the toolkit drops
// moves over controls without mouse tracking, which leave the colour as it is.
void frmAbout::mouseMoveEvent(QMouseEvent* event) {
    ShowLinkIn(childAt(event->position().toPoint()) == Label1 ? LinkPurple : LinkBlue);
    QDialog::mouseMoveEvent(event);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label1 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        Label1->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
        Label1_Click();
    return QDialog::eventFilter(watched, event);
}

} // namespace sorvane
