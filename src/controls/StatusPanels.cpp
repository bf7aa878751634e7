#include "controls/StatusPanels.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QTimer>

#include <algorithm>

namespace sorvane {

StatusPanels::StatusPanels(const std::vector<Design>& designs, QWidget* parent) : QFrame(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    for (const Design& design : designs) {
        auto* label = new QLabel(design.text, this);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(panels_.size() + 1));
        label->setToolTip(design.tooltip);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMinimumWidth(design.minimumWidth);
        row->addWidget(label, design.stretch);
        panels_.push_back(label);
        kinds_.push_back(design.kind);
    }
    if (std::ranges::all_of(kinds_, [](Kind kind) { return kind == Kind::Text; }))
        return;
    auto* clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, &StatusPanels::tick);
    clock->start(1000);
    tick();
}

void StatusPanels::tick() {
    const QDateTime now = QDateTime::currentDateTime();
    for (size_t i = 0; i < panels_.size(); ++i) {
        if (kinds_[i] == Kind::Date)
            panels_[i]->setText(now.date().toString(QStringLiteral("yyyy/MM/dd")));
        else if (kinds_[i] == Kind::Time)
            panels_[i]->setText(now.time().toString(QStringLiteral("HH:mm")));
    }
}

} // namespace sorvane
