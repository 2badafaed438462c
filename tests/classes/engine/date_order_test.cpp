// The by-date order against a plain comparison sort of the same records: this year's birthday,
// then the month of birth, then the address-book order, whatever order the list had before.
#include "EngineTest.h"

#include <algorithm>
#include <random>
#include <tuple>

namespace {

class DateOrder : public EngineTest {
protected:
    // Many persons on few days (and on 29 February), so that ties are the rule.
    void importRandomPersons(int n)
    {
        std::mt19937 random(7);
        for (int i = 0; i < n; ++i) {
            const int month = 1 + static_cast<int>(random() % 12);
            const int day = 1 + static_cast<int>(random() % (month == 2 ? 29 : 31));
            const int year = 1950 + static_cast<int>(random() % 3);
            add_person(book, person(std::string(1, char('a' + random() % 26)), std::nullopt,
                                    ab::CivilDate{year, month, day}));
        }
        list().PopulateAddressBook(today);
    }

    std::vector<const engine::BirthdayRecord*> shownOrder()
    {
        std::vector<const engine::BirthdayRecord*> order;
        for (const auto& record : list().listArray())
            order.push_back(record.get());
        return order;
    }

    std::vector<const engine::BirthdayRecord*> comparisonSorted()
    {
        auto order = shownOrder();
        std::sort(order.begin(), order.end(), [](const auto* a, const auto* b) {
            return std::tie(a->NiverEvent, a->Month, a->addressBookIndex) <
                   std::tie(b->NiverEvent, b->Month, b->addressBookIndex);
        });
        return order;
    }
};

} // namespace

TEST_F(DateOrder, EqualsAComparisonSortFromAnyOrderBefore)
{
    for (const int year : {2009, 2012}) { // a common year, where 29 February moves, and a leap year
        setToday(year, 6, 15);
        importRandomPersons(3000);
        list().PopulateSection_byDate(true);
        const auto expected = comparisonSorted();
        EXPECT_EQ(shownOrder(), expected) << year << " first build";
        list().PopulateSection_byName();
        list().PopulateSection_byDate(false);
        EXPECT_EQ(shownOrder(), expected) << year << " after the list by name";
        list().PopulateSection_byDate(true);
        EXPECT_EQ(shownOrder(), expected) << year << " again";
        expectSectionsConsistent();
    }
}
