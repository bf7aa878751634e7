#include "controls/StatusPanels.h"

#include <QApplication>
#include <QDateTime>
#include <QEvent>
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
    if (std::ranges::any_of(kinds_,
                            [](Kind k) { return k == Kind::CapsLock || k == Kind::NumLock; })) {
        qApp->installEventFilter(this);
        showLocks();
    }
    if (std::ranges::none_of(kinds_, [](Kind k) { return k == Kind::Date || k == Kind::Time; }))
        return;
    auto* clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, &StatusPanels::tick);
    clock->start(1000);
    tick();
}

bool StatusPanels::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::FocusIn:
    case QEvent::WindowActivate:
        showLocks();
        break;
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}

void StatusPanels::showLocks() {
    // From the X server's keyboard; nothing (no server) leaves the panels as they are.
    const std::optional<KeyboardLocks> locks = ReadKeyboardLocks();
    if (!locks)
        return;
    for (size_t i = 0; i < panels_.size(); ++i) {
        if (kinds_[i] == Kind::CapsLock)
            panels_[i]->setEnabled(locks->capsLock);
        else if (kinds_[i] == Kind::NumLock)
            panels_[i]->setEnabled(locks->numLock);
    }
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
