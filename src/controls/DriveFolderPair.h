#pragma once

#include <QObject>
#include <QStringList>

class QComboBox;

namespace sorvane {

class DirList;
class Prompts;

// A drive box and the folder list below it, as the main window and the
// folder setup window both have them. The box lists the mounted volumes and
// always shows the drive of the folder the list has open; choosing another
// drive opens it in the list, and a drive that cannot be listed is offered
// again (Retry) until the user gives up (Cancel), when the box goes back to
// the list's drive.
class DriveFolderPair : public QObject {
    Q_OBJECT
public:
    DriveFolderPair(QComboBox* driveBox, DirList* folderList, Prompts& prompts,
                    QObject* parent = nullptr);

    void fillDrives();   // lists the drives and selects the list's, without a change signal
    void followFolder(); // selects the drive of the list's folder, without a change signal
    void openDrive();    // opens the drive chosen in the box in the folder list

private:
    QComboBox* driveBox_;
    DirList* folderList_;
    Prompts& prompts_;
    QStringList drives_;
};

} // namespace sorvane
