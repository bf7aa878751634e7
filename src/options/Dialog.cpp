// What the options dialog does: the opening, the boxes that act at once,
// OK and Cancel.
#include "options/Dialog.h"

#include "platform/NumberText.h"
#include "platform/Prompts.h"
#include "settings/Module1.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

namespace sorvane {
namespace {

// A flag is on only when it holds 1; anything else the file may carry shows
// as off.
void Show(QCheckBox* box, Flag flag) {
    box->setChecked(flag == 1);
}

Flag FlagOf(const QCheckBox* box) {
    return box->isChecked() ? 1 : 0;
}

} // namespace

void Dialog::Form_Load() {
    FillFromSettings();
    Check5->setEnabled(!Check6->isChecked());
    ShowCopyIndicator(Check6->isChecked());
    EnableOptionsFor(module_.ExtendMode == 1 && module_.CopyMode == 0);
    SelectStoredArrangement();
}

// The boxes take the record's values without running what a click on them
// does, so the opening leaves exactly the state its steps describe.
void Dialog::FillFromSettings() {
    QCheckBox* const boxes[] = {Check1, Check2, Check3, Check4, Check5, Check6, Check7};
    const Flag flags[] = {module_.RememberWindowSize, module_.RememberSourceFolder,
                          module_.SlideshowRepeat,    module_.LaunchByAssociation,
                          module_.ExtendMode,         module_.CopyMode,
                          module_.ConfirmSameName};
    for (size_t i = 0; i < std::size(boxes); ++i) {
        const QSignalBlocker blocker(boxes[i]);
        Show(boxes[i], flags[i]);
    }
    Text1->setText(QString::number(module_.SlideshowSeconds));
}

void Dialog::EnableOptionsFor(bool enabled) {
    for (QRadioButton* option : Option1)
        option->setEnabled(enabled);
}

// Selects the arrangement the record holds, dropping a choice not yet
// confirmed; a value other than 0 or 1 selects neither.
void Dialog::SelectStoredArrangement() {
    for (int i = 0; i < int(Option1.size()); ++i) {
        QRadioButton* option = Option1[size_t(i)];
        option->setAutoExclusive(false); // so both may be cleared
        option->setChecked(module_.VerticalButtons == i);
        option->setAutoExclusive(true);
    }
}

void Dialog::Check5_Click() {
    EnableOptionsFor(Check5->isChecked());
    SelectStoredArrangement();
}

void Dialog::Check6_Click() {
    const bool copying = Check6->isChecked();
    Check5->setEnabled(!copying);
    ShowCopyIndicator(copying);
    EnableOptionsFor(!copying && Check5->isChecked());
}

// The indicator and its blinking go together: a label hidden while its timer
// runs would show again at the next tick.
void Dialog::ShowCopyIndicator(bool copying) {
    Q_EMIT copyIndicatorShown(copying);
    Q_EMIT copyIndicatorBlinking(copying);
}

void Dialog::Check7_Click() {
    module_.ConfirmSameName = FlagOf(Check7);
}

// All or nothing: a number of seconds the record cannot hold, or one the
// slideshow cannot run with (below 1: it would never advance), leaves every
// field as it was and the dialog open.
void Dialog::OKButton_Click() {
    const std::optional<std::int16_t> seconds = readNumber(Text1->text());
    if (!seconds || *seconds < 1) {
        ReportSecondsOutOfRange();
        return;
    }
    module_.SlideshowSeconds = *seconds;
    module_.RememberWindowSize = FlagOf(Check1);
    module_.RememberSourceFolder = FlagOf(Check2);
    module_.SlideshowRepeat = FlagOf(Check3);
    module_.LaunchByAssociation = FlagOf(Check4);
    module_.ExtendMode = FlagOf(Check5);
    module_.CopyMode = FlagOf(Check6);
    module_.VerticalButtons = Option1[1]->isChecked() ? 1 : 0;
    accept();
}

void Dialog::ReportSecondsOutOfRange() {
    prompts_.ask({QStringLiteral("Sorvane"), tr("スライドショーの表示時間は 1 から 32767 "
                                                "までの数で入力してください。")});
    Text1->setFocus();
    Text1->selectAll();
}

void Dialog::CancelButton_Click() {
    reject();
}

// However the dialog is left (OK, Cancel, Escape, the close box), the
// indicator says what the next send does: the stored copy mode, not the box
// as it was left, which only OK stores.
void Dialog::done(int result) {
    QDialog::done(result);
    ShowCopyIndicator(module_.CopyMode == 1);
}

} // namespace sorvane
