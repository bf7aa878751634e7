#include "app/QtPrompts.h"

#include <QApplication>
#include <QMessageBox>

namespace sorvane {

PromptAnswer QtPrompts::ask(const Prompt& prompt) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(prompt.title);
    box.setText(prompt.text);
    box.setIcon(prompt.icon == PromptIcon::Information ? QMessageBox::Information
                                                       : QMessageBox::NoIcon);
    switch (prompt.buttons) {
    case PromptButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case PromptButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case PromptButtons::RetryCancel:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Retry);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return PromptAnswer::Ok;
    case QMessageBox::Retry:
        return PromptAnswer::Retry;
    default:
        return PromptAnswer::Cancel;
    }
}

} // namespace sorvane
