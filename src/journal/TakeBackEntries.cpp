#include "journal/TakeBackEntries.h"

#include "platform/NativeName.h"
#include "platform/Paths.h"
#include "sorting/FailureText.h"
#include "sorting/SendOperations.h"

#include <QCoreApplication>

#include <algorithm>
#include <functional>

namespace sorvane {
namespace {

// Why the entry cannot be taken back as it stands; empty when it can.
QString Refusal(const SendJournal::Entry& entry) {
    const JournalEvent& event = entry.event;
    if (event.action == JournalAction::Delete)
        return QCoreApplication::translate("sorvane::TakeBackEntries",
                                           "削除したファイルは戻せません。");
    if (event.action == JournalAction::Undo || event.action == JournalAction::TakeBack)
        return QCoreApplication::translate("sorvane::TakeBackEntries",
                                           "取り消しの記録は戻せません。");
    if (entry.reversedBy != 0)
        return QCoreApplication::translate("sorvane::TakeBackEntries",
                                           "すでに取り消してあります。");
    FileIdentity now;
    if (!IsRegularFile(event.destination) || !IdentityOf(event.destination, &now))
        return QCoreApplication::translate("sorvane::TakeBackEntries",
                                           "送り先にファイルがありません。");
    if (!SameRecordedFile(event.identity, now))
        return QCoreApplication::translate(
            "sorvane::TakeBackEntries", "送り先のファイルが送ったときのファイルではありません。");
    return {};
}

TakeBackResult TakeBackOne(SendJournal& journal, qint64 id) {
    TakeBackResult result{id, {}, false, {}, {}};
    SendJournal::Entry entry;
    if (!journal.entry(id, &entry)) {
        result.message =
            QCoreApplication::translate("sorvane::TakeBackEntries", "履歴にありません。");
        return result;
    }
    const JournalEvent& sent = entry.event;
    result.name = DisplayName(FileNameOf(sent.source));
    result.message = Refusal(entry);
    if (!result.message.isEmpty())
        return result;
    const bool copy = sent.action == JournalAction::Copy;
    // One file a record: a companion sent with it has a record of its own.
    const TakeBackOutcome outcome =
        TakeBack({sent.source, sent.destination, copy, sent.replaced, {}});
    if (outcome.sent != FileError::None) {
        result.message = FailureReason(outcome.sent);
        return result;
    }
    result.done = true;
    result.destination = sent.destination;
    if (outcome.replaced != FileError::None)
        result.message = NotPutBackText(outcome.notPutBack, outcome.replaced);
    JournalEvent back{
        JournalAction::TakeBack, sent.destination, sent.source, sent.slot, {}, {}, id};
    IdentityOf(sent.source, &back.identity);
    if (!journal.record(back))
        result.message += JournalFailedText();
    return result;
}

} // namespace

bool SameRecordedFile(const FileIdentity& recorded, const FileIdentity& now) {
    return recorded.size == now.size && recorded.modifiedSeconds == now.modifiedSeconds &&
           recorded.modifiedNanoseconds == now.modifiedNanoseconds &&
           (!recorded.inodeKept || !now.inodeKept || recorded.inode == now.inode);
}

QList<TakeBackResult> TakeBackEntries(SendJournal& journal, QList<qint64> ids) {
    // Newest first: a file sent on twice goes back along its way.
    std::sort(ids.begin(), ids.end(), std::greater<>());
    QList<TakeBackResult> results;
    for (qint64 id : ids)
        results.append(TakeBackOne(journal, id));
    return results;
}

} // namespace sorvane
