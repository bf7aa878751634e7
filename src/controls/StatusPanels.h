#pragma once

#include <QFrame>
#include <QLabel>

#include "controls/KeyboardLocks.h"
#include "platform/NativeName.h"

#include <vector>

namespace sorvane {

// A window's status bar: a row of sunken panels numbered from 1, laid out
// as the owner designs them. Text panels carry what the window puts there;
// date and time panels are kept current by the bar itself, and so are the
// Caps Lock and Num Lock panels: drawn normally while the lock is on,
// dimmed while it is off, read again on every key and focus change.
class StatusPanels : public QFrame {
    Q_OBJECT
public:
    enum class Kind { Text, Date, Time, CapsLock, NumLock };
    struct Design {
        QString text;
        QString tooltip;
        int stretch = 0;
        int minimumWidth = 40;
        Kind kind = Kind::Text;
    };

    explicit StatusPanels(const std::vector<Design>& designs, QWidget* parent = nullptr);

    int count() const { return int(panels_.size()); }
    QLabel* panel(int number) const { return panels_[size_t(number - 1)]; }
    QString text(int number) const { return panel(number)->text(); }
    void setText(int number, const QString& text) { panel(number)->setText(text); }
    // Shows a text with a space at either side, as every window's panels do.
    // A file or folder name shows its undecodable bytes as U+FFFD.
    void showText(int number, const QString& text) {
        setText(number, u' ' + DisplayName(text) + u' ');
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void tick();
    void showLocks();

    std::vector<QLabel*> panels_;
    std::vector<Kind> kinds_;
};

} // namespace sorvane
