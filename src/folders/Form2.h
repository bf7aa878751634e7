#pragma once

#include "platform/FolderActions.h"
#include "settings/Module1.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sorvane {

class ControlFactory;
class DirList;
class DriveFolderPair;
class Prompts;

// The folder setup window: assigns the folder the list shows to the ten slots
// and the bulk-delete folder, makes and removes folders one at a time, and
// empties the bulk-delete folder. It is a plain window, not a dialog, so
// Return in a text box can never press a slot button. It writes FolderSlots
// and tells the main window through its signals; the file-system work lives
// in platform/FolderActions.
class Form2 : public QWidget {
    Q_OBJECT
public:
    Form2(Module1& module, Prompts& prompts, QWidget* parent = nullptr);
    ~Form2() override;

    void Form_Load();
    void Command1_Click(int index);
    void Command2_Click();
    void Command3_Click();
    void Drive1_Change();
    void Text1_KeyPress(int index); // Return or Enter, whatever the modifiers
    void Dir1_MouseDown(int button);

Q_SIGNALS:
    void slotCaptionChanged(int index,
                            const QString& caption); // Command4(index) of the main window
    // The bulk delete deleted the file; identity tells what it was.
    void fileDeleted(const QString& path, const sorvane::FileIdentity& identity);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction (Form2Controls.cpp).
    void BuildControls(const ControlFactory& controls);
    QLineEdit* PlaceSlotText(const ControlFactory& controls, int index);
    void ConnectHandlers();

    bool Confirm(const QString& question);
    void Tell(const QString& message);
    BulkDeleteRefusal CheckBulkDelete(const BulkDeleteFolder& folder) const;
    void OpenNearestFolder(const QString& folder);

    Module1& module_;
    Prompts& prompts_;
    DriveFolderPair* drives_ = nullptr;

    QComboBox* Drive1 = nullptr;
    DirList* Dir1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    std::array<QPushButton*, SlotCount> Command1{};
    std::array<QLineEdit*, SlotCount> Text1{};
};

} // namespace sorvane
