#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace sorvane {

// The usage window: Readme.txt from the program's folder, to read and close.
// It is filled once, at its opening; the program makes it afresh for each
// opening. A dialog, so that however it closes it reports it at once.
class Form3 : public QDialog {
    Q_OBJECT
public:
    explicit Form3(const QString& programFolder, QWidget* parent = nullptr);

    void Form_Load();
    void Command1_Click();

private:
    QString programFolder_;
    QPlainTextEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
};

} // namespace sorvane
