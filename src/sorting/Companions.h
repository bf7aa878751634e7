#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace sorvane {

// Which files travel with a sent picture when companions go along: the same
// shot in other forms (IMG_0001.CR3 with IMG_0001.JPG and IMG_0001.HEIC) and
// the sidecars editors keep beside it (IMG_0001.xmp, IMG_0001.CR3.xmp,
// IMG_0001.aae, IMG_0001.CR3.pp3).
//
// Only a file with a picture or camera raw extension leads a group; a sidecar
// sent on its own travels alone. The stem (the name before its last dot) must
// match exactly, case included: cameras write one spelling for every file of
// a shot, and "img_0001.xmp" beside "IMG_0001.CR3" may well belong to
// another shot. Extensions match in any case ("JPG", "jpg", "XMP"). A
// sidecar belongs when its name without the sidecar extension is the stem or
// the full name of a picture of the group. Hidden names never belong.

struct SendMember {
    QString source;
    QString destination;
};

// What one send moves: the file asked for first, then its companions.
struct SendPlan {
    SendMember leader;
    std::vector<SendMember> companions;
    int size() const { return 1 + int(companions.size()); }
};

// The companions of the named file among the names of its folder, in the
// order given.
QStringList CompanionNames(const QString& name, const QStringList& folderNames);

// The send of the file, with the companions its folder holds now when
// withCompanions, each going into the folder of the file's destination.
SendPlan PlanSend(const SendMember& file, bool withCompanions);

} // namespace sorvane
