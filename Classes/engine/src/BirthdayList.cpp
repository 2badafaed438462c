#include "engine/BirthdayList.h"

#include "engine/RecordImport.h"
#include "foundation/Bundle.h"
#include "foundation/Log.h"
#include "foundation/Prefault.h"
#include "platform/BirthdayRules.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace engine {
namespace {

// Sorts the records by small keys kept side by side, which spares the comparisons a trip to
// each record. The keys order every record (the address-book index ends all ties), so the
// result does not depend on the order before.
template <class MakeKey, class Less>
void sortRecords(std::vector<RecordRef>& records, MakeKey makeKey, Less less)
{
    using Key = decltype(makeKey(std::declval<const BirthdayRecord&>(), uint32_t{}));
    std::vector<Key> keys;
    keys.reserve(records.size());
    for (size_t i = 0; i < records.size(); ++i)
        keys.push_back(makeKey(*records[i], static_cast<uint32_t>(i)));
    std::sort(keys.begin(), keys.end(), less);
    std::vector<RecordRef> sorted;
    sorted.reserve(records.size());
    for (const Key& key : keys)
        sorted.push_back(std::move(records[key.position]));
    records.swap(sorted);
}

constexpr int kBirthDaySlots = 13 * 32;

uint16_t birthDaySlot(int month, int day) { return static_cast<uint16_t>(month * 32 + day); }

} // namespace

BirthdayList::BirthdayList(const ab::AddressBook& addressBook)
    : addressBook_(addressBook), rowWords_(RowWords::load())
{
}

void BirthdayList::PopulateAddressBook(const platform::DateParts& today)
{
    NSLog("PopulateAddressBook...");
    today_ = today;
    listArray_.clear();
    records_.reset();
    birthDays_.clear();
    // The records are made straight from the store's rows, and those of one import share one
    // allocation, which lives while any of them is shown.
    struct Importer final : ab::PersonVisitor {
        RecordImport import;
        std::vector<BirthdayRecord> records;
        std::vector<uint16_t> birthDays;
        uint32_t index = 0;
        Importer(const platform::Calendar& calendar, int year) : import(calendar, year) {}
        void expect(size_t count) override
        {
            records.reserve(count);
            birthDays.reserve(count);
            os::prefault(records.data(), count * sizeof(BirthdayRecord));
        }
        void visit(const ab::PersonSummaryView& person) override
        {
            if (import.appendRecord(person, index++, records))
                birthDays.push_back(birthDaySlot(records.back().Month, records.back().Day));
        }
    } importer(calendar_, today_.year);
    if (addressBook_.visitAllPeople(importer)) {
        auto batch =
            std::make_shared<const std::vector<BirthdayRecord>>(std::move(importer.records));
        listArray_.reserve(batch->size());
        os::prefault(listArray_.data(), batch->size() * sizeof(RecordRef));
        for (const BirthdayRecord& record : *batch)
            listArray_.emplace_back(batch, &record);
        records_ = std::move(batch);
        birthDays_ = std::move(importer.birthDays);
    }
    NSLog("PopulateAddressBook OK...");
}

// Orders the records by (this year's birthday, month of birth, address-book index) as a
// comparison sort would, in linear time: the first two depend on the day of birth alone, so they
// rank the few days of the year, and the records are dealt into those ranks in address-book
// order.
void BirthdayList::sortByDate()
{
    if (!records_ || listArray_.empty())
        return;
    const BirthdayRecord* const first = records_->data();
    const size_t count = listArray_.size();
    std::vector<RecordRef> inBookOrder;
    // Right after an import, as at every start, the list is in book order already.
    const BirthdayRecord* expected = first;
    if (std::all_of(listArray_.begin(), listArray_.end(),
                    [&](const RecordRef& record) { return record.get() == expected++; })) {
        inBookOrder.swap(listArray_);
        listArray_.reserve(count);
        os::prefault(listArray_.data(), count * sizeof(RecordRef));
        listArray_.resize(count);
    } else {
        inBookOrder.reserve(count);
        os::prefault(inBookOrder.data(), count * sizeof(RecordRef));
        inBookOrder.resize(count);
        for (RecordRef& record : listArray_) {
            const size_t position = static_cast<size_t>(record.get() - first);
            inBookOrder[position] = std::move(record);
        }
    }

    // A 29 February birthday is dated 1 March in a common year; it sorts just before the
    // birthdays of 1 March, so its February section stays in one piece.
    struct Day {
        platform::Moment event;
        int32_t month;
        uint16_t slot;
    };
    std::array<bool, kBirthDaySlots> seen{};
    std::vector<Day> days;
    for (size_t position = 0; position < inBookOrder.size(); ++position) {
        const uint16_t slot = birthDays_[position];
        if (!seen[slot]) {
            seen[slot] = true;
            days.push_back({inBookOrder[position]->NiverEvent, slot / 32, slot});
        }
    }
    std::sort(days.begin(), days.end(), [](const Day& a, const Day& b) {
        return a.event != b.event ? a.event < b.event : a.month < b.month;
    });
    std::array<uint32_t, kBirthDaySlots> rank{};
    uint32_t ranks = 0;
    for (size_t i = 0; i < days.size(); ++i) {
        if (i > 0 && (days[i].event != days[i - 1].event || days[i].month != days[i - 1].month))
            ++ranks;
        rank[days[i].slot] = ranks;
    }

    std::vector<uint32_t> start(ranks + 2, 0);
    for (const uint16_t slot : birthDays_)
        ++start[rank[slot] + 1];
    for (size_t r = 1; r < start.size(); ++r)
        start[r] += start[r - 1];
    for (size_t position = 0; position < inBookOrder.size(); ++position)
        listArray_[start[rank[birthDays_[position]]]++] = std::move(inBookOrder[position]);
}

void BirthdayList::startBuild()
{
    rowWords_ = RowWords::load();
    sections_.clear();
    sectionTitles_.clear();
    sectionCounts_.clear();
    sections_.emplace_back();
}

void BirthdayList::closeSection(const std::string& title, int32_t rows)
{
    sectionCounts_.push_back(rows);
    sectionTitles_.push_back(title);
}

void BirthdayList::PopulateSection_byDate(bool comingOnly)
{
    startBuild();
    sortByDate();

    const std::array<std::string, 13>& titles = rowWords_.monthNames;
    // Whether the list shows each day of birth and whether it is today's, worked out once per
    // day of the year rather than once per record.
    const platform::DateParts now = today_;
    const int thresholdMonth = comingOnly ? now.month : 0;
    const int thresholdDay = comingOnly ? now.day : 0;
    struct DayOfBirth {
        bool shown = false;
        bool today = false;
    };
    std::array<DayOfBirth, kBirthDaySlots> daysOfBirth;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= 31; ++day) {
            const platform::DateParts observed = platform::observedBirthday(now.year, month, day);
            daysOfBirth[birthDaySlot(month, day)] = {
                observed.month > thresholdMonth ||
                    (observed.month == thresholdMonth && observed.day >= thresholdDay),
                observed.month == now.month && observed.day == now.day};
        }
    }

    int32_t rows = 0;
    int32_t today = 0;
    int month = 0; // of the record before, whose title is *current
    const std::string* current = nullptr;
    const BirthdayRecord* const first = records_ ? records_->data() : nullptr;
    for (const RecordRef& record : listArray_) {
        const uint16_t slot = birthDays_[static_cast<size_t>(record.get() - first)];
        const DayOfBirth dayOfBirth = daysOfBirth[slot];
        if (!dayOfBirth.shown)
            continue;
        if (dayOfBirth.today)
            ++today;
        if (slot / 32 != month) {
            month = slot / 32;
            const std::string& title = titles[month];
            if (current == nullptr)
                current = &title;
            if (title != *current) {
                sections_.emplace_back();
                closeSection(*current, rows);
                current = &title;
                rows = 0;
            }
        }
        sections_.back().push_back(record);
        ++rows;
    }
    if (rows > 0)
        closeSection(*current, rows);
    tabItem1Badge_ = today > 0 ? std::optional<std::string>(std::to_string(today)) : std::nullopt;
}

void BirthdayList::PopulateSection_byName()
{
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
            if (a.prefix != b.prefix)
                return a.prefix < b.prefix;
            if (const int order = a.name->compare(*b.name); order != 0)
                return order < 0;
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
    if (rows > 0)
        closeSection(current, rows);
}

TabAction BirthdayList::tabBar_didSelectItem(int tag)
{
    itemTabSelected_ = tag;
    switch (tag) {
    case kTabNextBirthdays: PopulateSection_byDate(true); return TabAction::ReloadTable;
    case kTabAllByDate: PopulateSection_byDate(false); return TabAction::ReloadTable;
    case kTabAllByName: PopulateSection_byName(); return TabAction::ReloadTable;
    case kTabSettings: return TabAction::OpenSettings;
    default: return TabAction::Nothing;
    }
}

int BirthdayList::numberOfSectionsInTableView() const
{
    return sectionTitles_.empty() ? 1 : static_cast<int>(sectionTitles_.size());
}

int BirthdayList::tableView_numberOfRowsInSection(int section) const
{
    if (section < 0 || static_cast<size_t>(section) >= sectionCounts_.size())
        return 0;
    return sectionCounts_[section];
}

std::string BirthdayList::tableView_titleForHeaderInSection(int section) const
{
    if (sectionTitles_.empty()) {
        if (section != 0)
            return {};
        return NSBundle::mainBundle().localizedStringForKey(itemTabSelected_ == kTabNextBirthdays
                                                                ? "No futures birthdays this year"
                                                                : "No birthdays in your database",
                                                            "", "");
    }
    if (section < 0 || static_cast<size_t>(section) >= sectionTitles_.size())
        return {};
    return sectionTitles_[section];
}

const BirthdayRecord* BirthdayList::recordAt(int section, int row) const
{
    if (section < 0 || static_cast<size_t>(section) >= sectionTitles_.size())
        return nullptr;
    const auto& rows = sections_[section];
    if (row < 0 || static_cast<size_t>(row) >= rows.size())
        return nullptr;
    return rows[row].get();
}

RowValues BirthdayList::rowValues(const BirthdayRecord& record, ListSettings settings) const
{
    return engine::rowValues(record, rowWords_, today_, settings);
}

} // namespace engine
