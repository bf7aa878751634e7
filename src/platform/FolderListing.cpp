#include "platform/FolderListing.h"

#include "platform/FileOps.h"
#include "platform/NativeName.h"

#include <algorithm>
#include <numeric>

namespace sorvane {
namespace {

// Past this many changed names one refresh reads the whole folder: each
// change moves the rows after it, and a full read costs about as much as a
// few hundred such moves on a large folder.
constexpr int MostChangesOneByOne = 256;

// When more names than this share of the folder lack a quick key, they all
// take the collator's key: comparing a quick key with a missing one asks the
// collator each time.
constexpr int QuickKeyShare = 64;

// Eight bytes of a quick key from the given one on, as one number that
// orders as they do; 0 past the end. Key bytes are never 0, so a shorter
// key still sorts first.
quint64 HeadOf(QByteArrayView quick, qsizetype from) {
    quint64 head = 0;
    for (qsizetype i = from; i < from + 8; ++i)
        head = head << 8 | (i < quick.size() ? quint8(quick[i]) : 0);
    return head;
}

} // namespace

void FolderListing::open(const QString& folder) {
    folder_ = folder;
    watch_.watch(folder);
    readAll();
}

void FolderListing::refresh() {
    const FolderWatch::Changes changes = watch_.take();
    if (changes.everything || changes.names.size() > MostChangesOneByOne)
        return readAll();
    QSet<QString> rechecked;
    const QList<QString> links = links_.values();
    for (const QStringList& names : {changes.names, links}) {
        for (const QString& name : names) {
            if (!rechecked.contains(name))
                recheck(name);
            rechecked.insert(name);
        }
    }
}

void FolderListing::readAll() {
    QStringList names;
    QSet<QString> links;
    ReadFiles(folder_, [&](const char* name, bool listed, bool viaLink) {
        const QString text = FromNativeName(name);
        if (listed)
            names.append(text);
        if (viaLink)
            links.insert(text);
    });
    if (observer_)
        observer_->beginReset();
    sortRead(names);
    links_.swap(links);
    if (observer_)
        observer_->endReset();
}

// Sorts freshly read names into names_ and places_.
void FolderListing::sortRead(QStringList& names) {
    quickKeys_.clear();
    places_.clear();
    places_.reserve(size_t(names.size()));
    qsizetype lacking = 0;
    for (const QString& name : names) {
        places_.push_back(placeOf(name));
        lacking += places_.back().quickSize == 0;
    }
    for (qsizetype i = 0; lacking * QuickKeyShare > names.size() && i < names.size(); ++i)
        places_[size_t(i)].full = order_.fullKey(names[i]);
    const std::vector<int> rows = sortedRows(names);
    std::vector<Place> places;
    places.reserve(places_.size());
    names_.clear();
    names_.reserve(names.size());
    for (const int row : rows) {
        names_.append(std::move(names[row]));
        places.push_back(std::move(places_[size_t(row)]));
    }
    places_.swap(places);
}

// The rows of names (places_ beside them) in sorted order. The first
// sixteen bytes of the quick keys, held as two numbers beside each row,
// settle most comparisons without looking further.
std::vector<int> FolderListing::sortedRows(const QStringList& names) const {
    struct Item {
        quint64 head[2]; // 0 for a name without a quick key
        int row;
    };
    std::vector<Item> items;
    items.reserve(places_.size());
    for (const Place& place : places_) {
        const QByteArrayView quick = keyOf(place).quick;
        items.push_back({{HeadOf(quick, 0), HeadOf(quick, 8)}, int(items.size())});
    }
    std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        if (a.head[0] != 0 && b.head[0] != 0 && (a.head[0] != b.head[0] || a.head[1] != b.head[1]))
            return a.head[0] != b.head[0] ? a.head[0] < b.head[0] : a.head[1] < b.head[1];
        return order_.compare(keyOf(places_[size_t(a.row)]), names[a.row],
                              keyOf(places_[size_t(b.row)]), names[b.row]) < 0;
    });
    std::vector<int> rows;
    rows.reserve(items.size());
    for (const Item& item : items)
        rows.push_back(item.row);
    return rows;
}

// The place of a name about to get a row: its quick key added to the others.
FolderListing::Place FolderListing::placeOf(const QString& name) {
    Place place;
    place.quickAt = qint32(quickKeys_.size());
    if (order_.appendQuickKey(name, quickKeys_))
        place.quickSize = qint32(quickKeys_.size() - place.quickAt);
    if (place.quickSize == 0)
        place.full = order_.fullKey(name);
    return place;
}

NameOrder::Key FolderListing::keyOf(const Place& place) const {
    return {QByteArrayView(quickKeys_).sliced(place.quickAt, place.quickSize),
            place.full ? &*place.full : nullptr};
}

// A name's key while it is looked up, before it has a row (if ever).
class FolderListing::Lookup {
public:
    Lookup(const NameOrder& order, const QString& name) {
        if (!order.appendQuickKey(name, quick_))
            full_ = order.fullKey(name);
    }
    NameOrder::Key key() const { return {quick_, full_ ? &*full_ : nullptr}; }

private:
    QByteArray quick_;
    std::optional<QCollatorSortKey> full_;
};

// Looks at one name on disk again and adds or removes its row to match.
void FolderListing::recheck(const QString& name) {
    bool viaLink = false;
    const bool listed = IsListedFile(folder_, name, &viaLink);
    if (viaLink)
        links_.insert(name);
    else
        links_.remove(name);
    const Lookup lookup(order_, name);
    const int row = sortedPlace(lookup.key(), name);
    const bool present = row < count() && names_[row] == name;
    if (listed && !present)
        insertAt(row, name);
    else if (!listed && present)
        removeAt(row);
}

// The first row that does not sort before the name.
int FolderListing::sortedPlace(const NameOrder::Key& key, const QString& name) const {
    int low = 0;
    int high = count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (order_.compare(keyOf(places_[size_t(middle)]), names_[middle], key, name) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

int FolderListing::indexOf(const QString& name) const {
    const int row = sortedPlace(Lookup(order_, name).key(), name);
    return row < count() && names_[row] == name ? row : -1;
}

void FolderListing::insertAt(int row, const QString& name) {
    Place place = placeOf(name);
    if (observer_)
        observer_->beginInsert(row);
    names_.insert(row, name);
    places_.insert(places_.begin() + row, std::move(place));
    if (observer_)
        observer_->endInsert();
}

void FolderListing::removeAt(int row) {
    if (observer_)
        observer_->beginRemove(row);
    names_.removeAt(row);
    places_.erase(places_.begin() + row);
    if (observer_)
        observer_->endRemove();
}

} // namespace sorvane
