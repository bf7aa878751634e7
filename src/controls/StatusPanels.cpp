#include "controls/StatusPanels.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QLocale>
#include <QTimer>

namespace sorvane {
namespace {

struct PanelDesign {
    const char* text;
    const char* tooltip;
    int stretch;
};

const PanelDesign Designs[StatusPanels::PanelCount] = {
    {"", "元フォルダのパスです", 3},
    {"（無題）", "選択されているファイルネームです", 2},
    {"", "フォルダ内の残りファイル数です", 1},
    {"", "", 0},
    {"CAPS", "Capsキーの状態です。", 0},
    {"NUM", "Numキーの状態です。", 0},
    {"", "現在の日付です。", 0},
    {"", "現在の時間です。", 0},
};

} // namespace

StatusPanels::StatusPanels(QWidget* parent) : QFrame(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    for (int i = 0; i < PanelCount; ++i) {
        auto* label = new QLabel(QString::fromUtf8(Designs[i].text), this);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        label->setToolTip(QString::fromUtf8(Designs[i].tooltip));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMinimumWidth(i == 3 ? 8 : 40);
        row->addWidget(label, Designs[i].stretch);
        panels_[size_t(i)] = label;
    }
    auto* clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, &StatusPanels::tick);
    clock->start(1000);
    tick();
}

void StatusPanels::tick() {
    const QDateTime now = QDateTime::currentDateTime();
    panel(7)->setText(now.date().toString(QStringLiteral("yyyy/MM/dd")));
    panel(8)->setText(now.time().toString(QStringLiteral("HH:mm")));
}

} // namespace sorvane
