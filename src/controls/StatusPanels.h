#pragma once

#include <QFrame>
#include <QLabel>

#include <array>

class QTimer;

namespace sorvane {

// The main window's status bar (StatusBar1): eight panels numbered from 1.
// Panels 1-3 carry the program's texts; 4 is empty; 5 and 6 show the Caps and
// Num Lock keys; 7 and 8 the date and time, kept current by the bar itself.
class StatusPanels : public QFrame {
    Q_OBJECT
public:
    static constexpr int PanelCount = 8;

    explicit StatusPanels(QWidget* parent = nullptr);

    QLabel* panel(int number) const { return panels_[size_t(number - 1)]; }
    QString text(int number) const { return panel(number)->text(); }
    void setText(int number, const QString& text) { panel(number)->setText(text); }

private:
    void tick();

    std::array<QLabel*, PanelCount> panels_{};
};

} // namespace sorvane
