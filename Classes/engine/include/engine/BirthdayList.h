#pragma once
// The birthday list engine behind the main screen: imports the address book into birthday
// records, arranges them into the sections of the list chosen with the tab bar, answers the
// list table's questions and fills the values of each row. Plain C++; the screen shows what it
// holds and reloads its table after a build.
//
// Calling order: PopulateAddressBook with today's date first; it dates the records in today's
// year and keeps the date for everything up to the next import. Then one build
// (PopulateSection_byDate / PopulateSection_byName), after which the table answers and rows
// describe the new sections. A tab change rebuilds from the records in memory; only
// PopulateAddressBook reads the address book. The engine reads no stored settings: the caller
// loads them before a build if it wants them fresh, and passes them to each row.
//
// Thread: the main thread only. Failure: an address book that cannot be read gives no records.
#include "addressbook/AddressBook.h"
#include "engine/BirthdayRecord.h"
#include "engine/NameSections.h"
#include "engine/RowValues.h"
#include "platform/DateServices.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace engine {

// What the screen does after a tab item was chosen.
enum class TabAction { ReloadTable, OpenSettings, Nothing };

class BirthdayList {
public:
    static constexpr int kTabNextBirthdays = 0;
    static constexpr int kTabAllByDate = 1;
    static constexpr int kTabAllByName = 2;
    static constexpr int kTabSettings = 3;
    static constexpr float kRowHeight = 68.0f;
    static constexpr int kAccessoryDisclosureIndicator = 1;

    // The date services take the default time zone of this moment.
    explicit BirthdayList(const ab::AddressBook& addressBook);

    // Logs "PopulateAddressBook...", replaces listArray with one record per person who has a
    // birthday, in address-book order, and logs "PopulateAddressBook OK...". Records are dated
    // in today's year, and the builds and rows that follow count from today. Before the first
    // import there are no records and no today.
    void PopulateAddressBook(const platform::DateParts& today);

    // Sorts the records by this year's birthday and groups them by month: with comingOnly, only
    // the birthdays from today to the end of the year. Counts today's birthdays into the badge.
    void PopulateSection_byDate(bool comingOnly);
    // Sorts the records by name (code-point order: upper-case Latin before lower-case) and
    // groups them by the upper-cased first character. Leaves the badge as it was.
    void PopulateSection_byName();

    // Records the chosen tag and rebuilds the list that tags 0, 1 and 2 choose, so the table's
    // answers are ready before the screen reloads it.
    TabAction tabBar_didSelectItem(int tag);
    // Whether choosing the tag builds a list: tags 0, 1 and 2.
    static constexpr bool buildsList(int tag)
    {
        return tag == kTabNextBirthdays || tag == kTabAllByDate || tag == kTabAllByName;
    }

    // The table's questions. Out-of-range sections and rows give 0, empty texts and no record.
    int numberOfSectionsInTableView() const;
    int tableView_numberOfRowsInSection(int section) const;
    // The section's month or initial; for an empty list the one header is the localised "No
    // futures birthdays this year" on the first tab, else "No birthdays in your database".
    std::string tableView_titleForHeaderInSection(int section) const;
    const BirthdayRecord* recordAt(int section, int row) const;

    // The values of a record's row on the date of the last import, with the given settings.
    RowValues rowValues(const BirthdayRecord& record, ListSettings settings) const;

    // The lists, as the screen shows them. Each section has at least one record;
    // tempMutableTypeArray may hold one empty list past the last section, which is never shown.
    const std::vector<RecordRef>& listArray() const { return listArray_; }
    const std::vector<std::vector<RecordRef>>& tempMutableTypeArray() const { return sections_; }
    const std::vector<std::string>& dataArraySection() const { return sectionTitles_; }
    const std::vector<int32_t>& dataArraySectionCount() const { return sectionCounts_; }
    int32_t itemTabSelected() const { return itemTabSelected_; }
    // The badge of the first tab item: the number of birthdays today, none when there are none.
    const std::optional<std::string>& tabItem1BadgeValue() const { return tabItem1Badge_; }

private:
    void startBuild();
    void sortByDate();
    void closeSection(const std::string& title, int32_t rows);

    const ab::AddressBook& addressBook_;
    platform::DateParts today_; // of the last import
    platform::Calendar calendar_;
    NameSections nameSections_;
    RowWords rowWords_;

    std::shared_ptr<const std::vector<BirthdayRecord>> records_; // of the last import, in its order
    // Month * 32 + day of birth of each of those records: what the by-date lists read of them,
    // kept together so that a build need not visit every record.
    std::vector<uint16_t> birthDays_;
    std::vector<RecordRef> listArray_;
    std::vector<std::vector<RecordRef>> sections_;
    std::vector<std::string> sectionTitles_;
    std::vector<int32_t> sectionCounts_;
    int32_t itemTabSelected_ = 0;
    std::optional<std::string> tabItem1Badge_;
};

} // namespace engine
