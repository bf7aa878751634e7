#include "sorting/Companions.h"

#include "platform/FileOps.h"
#include "platform/FolderActions.h"
#include "platform/Paths.h"

#include <QSet>

namespace sorvane {
namespace {

// Pictures this program shows and the camera raw files LibRaw reads.
const QSet<QString>& PictureExtensions() {
    static const QSet<QString> extensions{
        "jpg",  "jpeg", "jpe",  "png", "bmp", "gif", "webp", "tif", "tiff", "heic",
        "heif", "hif",  "avif", "cr2", "cr3", "crw", "nef",  "nrw", "arw",  "srf",
        "sr2",  "dng",  "orf",  "rw2", "raf", "pef", "srw",  "3fr", "erf",  "kdc",
        "dcr",  "mrw",  "mos",  "iiq", "rwl", "x3f", "mef",  "raw"};
    return extensions;
}

// What editors write beside a picture: XMP metadata, Apple's edit notes,
// RawTherapee's processing profiles.
const QSet<QString>& SidecarExtensions() {
    static const QSet<QString> extensions{"xmp", "aae", "pp3"};
    return extensions;
}

// A name split at its last dot; a name without one (or only a leading one)
// has no extension.
struct Split {
    QString stem;
    QString extension; // lower case
};

Split SplitName(const QString& name) {
    const int dot = name.lastIndexOf(u'.');
    if (dot <= 0 || dot == name.size() - 1)
        return {name, {}};
    return {name.left(dot), name.mid(dot + 1).toLower()};
}

bool IsPicture(const Split& split) {
    return PictureExtensions().contains(split.extension);
}

} // namespace

QStringList CompanionNames(const QString& name, const QStringList& folderNames) {
    const Split leader = SplitName(name);
    if (!IsPicture(leader))
        return {};
    QSet<QString> pictures{name}; // the names a sidecar may be written after
    for (const QString& other : folderNames)
        if (const Split split = SplitName(other); IsPicture(split) && split.stem == leader.stem)
            pictures.insert(other);
    QStringList companions;
    for (const QString& other : folderNames) {
        if (other == name || other.startsWith(u'.'))
            continue;
        const Split split = SplitName(other);
        const bool sidecar = SidecarExtensions().contains(split.extension) &&
                             (split.stem == leader.stem || pictures.contains(split.stem));
        if (sidecar || pictures.contains(other))
            companions.append(other);
    }
    return companions;
}

SendPlan PlanSend(const SendMember& file, bool withCompanions) {
    SendPlan plan{file, {}};
    const QString name = FileNameOf(file.source);
    if (!withCompanions || name.isEmpty())
        return plan;
    const QString folder = ParentFolder(file.source), target = ParentFolder(file.destination);
    for (const QString& companion :
         CompanionNames(name, ListFilesStartingWith(folder, SplitName(name).stem)))
        plan.companions.push_back({JoinPath(folder, companion), JoinPath(target, companion)});
    return plan;
}

} // namespace sorvane
