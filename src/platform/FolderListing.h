#pragma once

#include "platform/FolderWatch.h"
#include "platform/NameOrder.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace sorvane {

// The files of one folder as ListFiles lists them, kept current without
// reading the whole folder again: a refresh re-checks only the names the
// folder watch reports (and the symbolic links, whose targets change
// unseen), removing or inserting each at its sorted place. When the watch
// cannot tell what changed, or too much changed, the folder is read afresh.
// An observer hears of every row removed or inserted as it happens.
class FolderListing {
public:
    class Observer {
    public:
        virtual ~Observer() = default;
        virtual void beginRemove(int row) = 0;
        virtual void endRemove() = 0;
        virtual void beginInsert(int row) = 0;
        virtual void endInsert() = 0;
        virtual void beginReset() = 0;
        virtual void endReset() = 0;
    };

    explicit FolderListing(Observer* observer = nullptr) : observer_(observer) {}

    // Reads the folder afresh and watches it from now on.
    void open(const QString& folder);
    // Brings the names up to date with the disk.
    void refresh();

    const QString& folder() const { return folder_; }
    const QStringList& names() const { return names_; }
    int count() const { return int(names_.size()); }
    int indexOf(const QString& name) const; // -1 when not listed

private:
    // Where a row's quick key lies among quickKeys_, and its collator key.
    struct Place {
        qint32 quickAt = 0;
        qint32 quickSize = 0; // 0: no quick key
        std::optional<QCollatorSortKey> full;
    };
    class Lookup;

    void readAll();
    void sortRead(QStringList& names);
    std::vector<int> sortedRows(const QStringList& names) const;
    Place placeOf(const QString& name);
    NameOrder::Key keyOf(const Place& place) const;
    void recheck(const QString& name);
    int sortedPlace(const NameOrder::Key& key, const QString& name) const;
    void insertAt(int row, const QString& name);
    void removeAt(int row);

    Observer* observer_;
    NameOrder order_;
    FolderWatch watch_;
    QString folder_;
    QStringList names_;
    std::vector<Place> places_; // beside names_, row for row
    QByteArray quickKeys_;      // one after another; a removed row leaves its key behind
    QSet<QString> links_;       // symbolic links, listed or not
};

} // namespace sorvane
