#include "engine/BirthdayList.h"

#include "engine/Months.h"
#include "engine/RecordImport.h"
#include "engine/TodayDate.h"

#include "foundation/Bundle.h"
#include "foundation/Log.h"
#include "platform/CivilDates.h"

#include <algorithm>
#include <array>
#include <utility>

namespace engine {
namespace {

// Sorts the records by small keys kept side by side, which spares the comparisons a trip to
// each record. The keys order every record (the address-book index ends all ties), so the
// result does not depend on the order before.
template <class MakeKey, class Less>
void sortRecords(std::vector<RecordRef>& records, MakeKey makeKey, Less less) {
    using Key = decltype(makeKey(std::declval<const BirthdayRecord&>(), uint32_t{}));
    std::vector<Key> keys;
    keys.reserve(records.size());
    for (size_t i = 0; i < records.size(); ++i)
        keys.push_back(makeKey(*records[i], static_cast<uint32_t>(i)));
    std::sort(keys.begin(), keys.end(), less);
    std::vector<RecordRef> sorted;
    sorted.reserve(records.size());
    for (const Key& key : keys) sorted.push_back(std::move(records[key.position]));
    records.swap(sorted);
}

} // namespace

BirthdayList::BirthdayList(const platform::AddressBookAccess& addressBook,
                           std::function<void()> loadListSettings)
    : addressBook_(addressBook), loadListSettings_(std::move(loadListSettings)),
      rowWords_(RowWords::load()) {}

void BirthdayList::PopulateAddressBook() {
    NSLog("PopulateAddressBook...");
    listArray_.clear();
    const std::vector<ab::PersonSummary> people = addressBook_.copyArrayOfAllPeople();
    RecordImport import(calendar_, yearNow);
    // The records of one import share one allocation, which lives while any of them is shown.
    auto batch = std::make_shared<std::vector<BirthdayRecord>>();
    batch->reserve(std::count_if(people.begin(), people.end(),
                                 [](const ab::PersonSummary& p) { return p.birthday.has_value(); }));
    for (size_t i = 0; i < people.size(); ++i) {
        if (auto record = import.record(people[i], static_cast<uint32_t>(i)))
            batch->push_back(std::move(*record));
    }
    listArray_.reserve(batch->size());
    for (const BirthdayRecord& record : *batch) listArray_.emplace_back(batch, &record);
    NSLog("PopulateAddressBook OK...");
}

void BirthdayList::startBuild() {
    if (loadListSettings_) loadListSettings_();
    rowWords_ = RowWords::load();
    sections_.clear();
    sectionTitles_.clear();
    sectionCounts_.clear();
    sections_.emplace_back();
}

void BirthdayList::closeSection(const std::string& title, int32_t rows) {
    sectionCounts_.push_back(rows);
    sectionTitles_.push_back(title);
}

void BirthdayList::PopulateSection_byDate(bool comingOnly) {
    startBuild();
    // A 29 February birthday is dated 1 March in a common year; it sorts just before the
    // birthdays of 1 March, so its February section stays in one piece.
    struct DateKey {
        platform::Moment event;
        int32_t month;
        uint32_t addressBookIndex;
        uint32_t position;
    };
    sortRecords(
        listArray_,
        [](const BirthdayRecord& r, uint32_t position) {
            return DateKey{r.NiverEvent, r.Month, r.addressBookIndex, position};
        },
        [](const DateKey& a, const DateKey& b) {
            if (a.event != b.event) return a.event < b.event;
            if (a.month != b.month) return a.month < b.month;
            return a.addressBookIndex < b.addressBookIndex;
        });

    std::array<std::string, 13> titles;
    for (int month = 1; month <= 12; ++month) titles[month] = ConvertMonth(month);
    const int thresholdMonth = comingOnly ? monthNow : 0;
    const int thresholdDay = comingOnly ? dayNow : 0;

    int32_t rows = 0;
    int32_t today = 0;
    const std::string* current = nullptr;
    for (const RecordRef& record : listArray_) {
        const platform::DateParts observed =
            platform::observedBirthday(yearNow, record->Month, record->Day);
        if (observed.month < thresholdMonth ||
            (observed.month == thresholdMonth && observed.day < thresholdDay))
            continue;
        if (observed.month == monthNow && observed.day == dayNow) ++today;
        const std::string& title = titles[record->Month];
        if (current == nullptr) current = &title;
        if (title != *current) {
            sections_.emplace_back();
            closeSection(*current, rows);
            current = &title;
            rows = 0;
        }
        sections_.back().push_back(record);
        ++rows;
    }
    if (rows > 0) closeSection(*current, rows);
    tabItem1Badge_ = today > 0 ? std::optional<std::string>(std::to_string(today)) : std::nullopt;
}

void BirthdayList::PopulateSection_byName() {
    startBuild();
    // Most names differ in their first eight bytes, compared here as one number.
    struct NameKey {
        uint64_t prefix;
        const std::string* name;
        uint32_t addressBookIndex;
        uint32_t position;
    };
    sortRecords(
        listArray_,
        [](const BirthdayRecord& r, uint32_t position) {
            uint64_t prefix = 0;
            for (size_t i = 0; i < 8; ++i)
                prefix = prefix << 8 | (i < r.Name.size() ? static_cast<uint8_t>(r.Name[i]) : 0);
            return NameKey{prefix, &r.Name, r.addressBookIndex, position};
        },
        [](const NameKey& a, const NameKey& b) {
            if (a.prefix != b.prefix) return a.prefix < b.prefix;
            if (const int order = a.name->compare(*b.name); order != 0) return order < 0;
            return a.addressBookIndex < b.addressBookIndex;
        });

    int32_t rows = 0;
    std::string current;
    bool first = true;
    for (const RecordRef& record : listArray_) {
        std::string key = nameSections_.sectionKey(record->Name);
        if (first) {
            current = key;
            first = false;
        }
        if (key != current) {
            sections_.emplace_back();
            closeSection(current, rows);
            current = std::move(key);
            rows = 0;
        }
        sections_.back().push_back(record);
        ++rows;
    }
    if (rows > 0) closeSection(current, rows);
}

TabAction BirthdayList::tabBar_didSelectItem(int tag) {
    itemTabSelected_ = tag;
    switch (tag) {
    case kTabNextBirthdays: PopulateSection_byDate(true); return TabAction::ReloadTable;
    case kTabAllByDate: PopulateSection_byDate(false); return TabAction::ReloadTable;
    case kTabAllByName: PopulateSection_byName(); return TabAction::ReloadTable;
    case kTabSettings: return TabAction::OpenSettings;
    default: return TabAction::Nothing;
    }
}

int BirthdayList::numberOfSectionsInTableView() const {
    return sectionTitles_.empty() ? 1 : static_cast<int>(sectionTitles_.size());
}

int BirthdayList::tableView_numberOfRowsInSection(int section) const {
    if (section < 0 || static_cast<size_t>(section) >= sectionCounts_.size()) return 0;
    return sectionCounts_[section];
}

std::string BirthdayList::tableView_titleForHeaderInSection(int section) const {
    if (sectionTitles_.empty()) {
        if (section != 0) return {};
        return NSBundle::mainBundle().localizedStringForKey(
            itemTabSelected_ == kTabNextBirthdays ? "No futures birthdays this year"
                                                  : "No birthdays in your database",
            "", "");
    }
    if (section < 0 || static_cast<size_t>(section) >= sectionTitles_.size()) return {};
    return sectionTitles_[section];
}

const BirthdayRecord* BirthdayList::recordAt(int section, int row) const {
    if (section < 0 || static_cast<size_t>(section) >= sectionTitles_.size()) return nullptr;
    const auto& rows = sections_[section];
    if (row < 0 || static_cast<size_t>(row) >= rows.size()) return nullptr;
    return rows[row].get();
}

RowValues BirthdayList::rowValues(const BirthdayRecord& record, bool hideAge, bool hideSigno) const {
    return engine::rowValues(record, rowWords_, hideAge, hideSigno);
}

} // namespace engine
