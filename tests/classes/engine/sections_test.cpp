#include "EngineTest.h"

using engine::TabAction;
using Names = std::vector<std::vector<std::string>>;
using Titles = std::vector<std::string>;
using Counts = std::vector<int32_t>;

namespace {

class Sections : public EngineTest {
protected:
    void import(std::initializer_list<ab::Person> persons)
    {
        for (const ab::Person& p : persons)
            add_person(book, ab::Person(p));
        list().PopulateAddressBook(today);
    }
};

} // namespace

TEST_F(Sections, WorkedExampleOnTenthOfMarch)
{
    setToday(2009, 3, 10);
    import({born("Bruno", 3, 1), born("ana", 15, 3), born("Carla", 20, 3), born("Davi", 10, 3)});

    EXPECT_EQ(list().tabBar_didSelectItem(0), TabAction::ReloadTable);
    expectSectionsConsistent();
    EXPECT_EQ(list().dataArraySection(), (Titles{"March"}));
    EXPECT_EQ(list().dataArraySectionCount(), (Counts{3}));
    EXPECT_EQ(sectionNames(), (Names{{"Davi", "ana", "Carla"}}));
    EXPECT_EQ(list().tabItem1BadgeValue(), "1");

    EXPECT_EQ(list().tabBar_didSelectItem(1), TabAction::ReloadTable);
    expectSectionsConsistent();
    EXPECT_EQ(list().dataArraySection(), (Titles{"January", "March"}));
    EXPECT_EQ(list().dataArraySectionCount(), (Counts{1, 3}));
    EXPECT_EQ(sectionNames(), (Names{{"Bruno"}, {"Davi", "ana", "Carla"}}));
    EXPECT_EQ(list().tabItem1BadgeValue(), "1");

    EXPECT_EQ(list().tabBar_didSelectItem(2), TabAction::ReloadTable);
    expectSectionsConsistent();
    EXPECT_EQ(list().dataArraySection(), (Titles{"B", "C", "D", "A"}));
    EXPECT_EQ(list().dataArraySectionCount(), (Counts{1, 1, 1, 1}));
    EXPECT_EQ(sectionNames(), (Names{{"Bruno"}, {"Carla"}, {"Davi"}, {"ana"}}));
    EXPECT_EQ(list().tabItem1BadgeValue(), "1");

    // Back to the first tab without a new import: the same records, sorted by date again.
    list().tabBar_didSelectItem(0);
    EXPECT_EQ(sectionNames(), (Names{{"Davi", "ana", "Carla"}}));
    EXPECT_EQ(list().itemTabSelected(), 0);
}

// Today is each list's own: a list imported on another day neither sees nor changes it.
TEST_F(Sections, EachListCountsFromTheDayOfItsImport)
{
    setToday(2009, 3, 10);
    import({born("Ana", 10, 3), born("Soon", 20, 12)});
    engine::BirthdayList december(book);
    december.PopulateAddressBook({2009, 12, 15});
    list().PopulateSection_byDate(true);
    december.PopulateSection_byDate(true);

    EXPECT_EQ(list().dataArraySection(), (Titles{"March", "December"}));
    EXPECT_EQ(list().tabItem1BadgeValue(), "1");
    EXPECT_EQ(list().rowValues(*list().recordAt(0, 0), {}).countdownText, "Today");
    EXPECT_EQ(december.dataArraySection(), (Titles{"December"}));
    EXPECT_EQ(december.tabItem1BadgeValue(), std::nullopt);
    EXPECT_EQ(december.rowValues(*december.recordAt(0, 0), {}).countdownText, "in 5 days");
}

TEST_F(Sections, TableAnswers)
{
    setToday(2009, 3, 10);
    import({born("Bruno", 3, 1), born("ana", 15, 3), born("Carla", 20, 3)});
    list().PopulateSection_byDate(false);
    EXPECT_EQ(list().numberOfSectionsInTableView(), 2);
    EXPECT_EQ(list().tableView_numberOfRowsInSection(0), 1);
    EXPECT_EQ(list().tableView_numberOfRowsInSection(1), 2);
    EXPECT_EQ(list().tableView_numberOfRowsInSection(2), 0);
    EXPECT_EQ(list().tableView_numberOfRowsInSection(-1), 0);
    EXPECT_EQ(list().tableView_titleForHeaderInSection(0), "January");
    EXPECT_EQ(list().tableView_titleForHeaderInSection(1), "March");
    EXPECT_EQ(list().tableView_titleForHeaderInSection(2), "");
    EXPECT_EQ(list().recordAt(1, 1)->Name, "Carla");
    EXPECT_EQ(list().recordAt(1, 2), nullptr);
    EXPECT_EQ(list().recordAt(2, 0), nullptr);
    EXPECT_EQ(engine::BirthdayList::kRowHeight, 68.0f);
    EXPECT_EQ(engine::BirthdayList::kAccessoryDisclosureIndicator, 1);
}

TEST_F(Sections, ComingBirthdaysFromTodayOn)
{
    setToday(2009, 3, 10);
    import({born("Nine", 9, 3), born("Ten", 10, 3), born("Eleven", 11, 3), born("Ten Too", 10, 3)});
    list().PopulateSection_byDate(true);
    EXPECT_EQ(sectionNames(), (Names{{"Ten", "Ten Too", "Eleven"}}));
    EXPECT_EQ(list().tabItem1BadgeValue(), "2");
    list().PopulateSection_byDate(false);
    EXPECT_EQ(sectionNames(), (Names{{"Nine", "Ten", "Ten Too", "Eleven"}}));
    EXPECT_EQ(list().tabItem1BadgeValue(), "2");
}

TEST_F(Sections, FifteenthOfDecemberDoesNotWrapIntoNextYear)
{
    setToday(2009, 12, 15);
    import({born("January", 3, 1), born("Soon", 20, 12)});
    list().tabBar_didSelectItem(0);
    EXPECT_EQ(list().dataArraySection(), (Titles{"December"}));
    EXPECT_EQ(sectionNames(), (Names{{"Soon"}}));
    EXPECT_EQ(list().tabItem1BadgeValue(), std::nullopt);
}

TEST_F(Sections, NoBirthdayLeftThisYear)
{
    setToday(2009, 12, 15);
    import({born("January", 3, 1), born("Gone", 14, 12)});
    list().tabBar_didSelectItem(0);
    expectSectionsConsistent();
    EXPECT_TRUE(list().dataArraySection().empty());
    EXPECT_EQ(list().numberOfSectionsInTableView(), 1);
    EXPECT_EQ(list().tableView_numberOfRowsInSection(0), 0);
    EXPECT_EQ(list().tableView_titleForHeaderInSection(0), "No futures birthdays this year");
    EXPECT_EQ(list().recordAt(0, 0), nullptr);
}

TEST_F(Sections, NoRecordsOnEachTab)
{
    setToday(2009, 3, 10);
    list().PopulateAddressBook(today);
    const char* expected[] = {"No futures birthdays this year", "No birthdays in your database",
                              "No birthdays in your database"};
    for (int tag : {0, 1, 2}) {
        list().tabBar_didSelectItem(tag);
        expectSectionsConsistent();
        EXPECT_EQ(list().numberOfSectionsInTableView(), 1) << tag;
        EXPECT_EQ(list().tableView_numberOfRowsInSection(0), 0) << tag;
        EXPECT_EQ(list().tableView_titleForHeaderInSection(0), expected[tag]) << tag;
    }
    EXPECT_EQ(list().tabItem1BadgeValue(), std::nullopt);

    ScopedEnv portuguese("LANGUAGE", "pt");
    list().tabBar_didSelectItem(0);
    EXPECT_EQ(list().tableView_titleForHeaderInSection(0), "Nenhum aniversário futuro este ano");
}

TEST_F(Sections, SettingsTabAndUnknownTagsBuildNothing)
{
    setToday(2009, 3, 10);
    import({born("Ana", 10, 3)});
    list().tabBar_didSelectItem(2);
    EXPECT_EQ(list().tabBar_didSelectItem(3), TabAction::OpenSettings);
    EXPECT_EQ(list().itemTabSelected(), 3);
    EXPECT_EQ(list().tabBar_didSelectItem(7), TabAction::Nothing);
    EXPECT_EQ(list().itemTabSelected(), 7);
    EXPECT_EQ(list().dataArraySection(), (Titles{"A"}));
}

TEST_F(Sections, BadgeCountsTodayAndByNameLeavesIt)
{
    setToday(2009, 3, 10);
    import({born("Ana", 10, 3), born("Bia", 10, 3, 1990), born("Caio", 11, 3)});
    list().PopulateSection_byDate(true);
    EXPECT_EQ(list().tabItem1BadgeValue(), "2");
    list().PopulateSection_byName();
    EXPECT_EQ(list().tabItem1BadgeValue(), "2");

    book.remove(1);
    book.remove(2);
    list().PopulateAddressBook(today);
    list().PopulateSection_byDate(false);
    EXPECT_EQ(list().tabItem1BadgeValue(), std::nullopt);
}

TEST_F(Sections, ByNameUpperCaseInitialsBeforeLowerCase)
{
    setToday(2009, 3, 10);
    import({born("alice", 1, 1), born("Zoe", 2, 2), born("Anna", 3, 3)});
    list().PopulateSection_byName();
    expectSectionsConsistent();
    EXPECT_EQ(list().dataArraySection(), (Titles{"A", "Z", "A"}));
    EXPECT_EQ(sectionNames(), (Names{{"Anna"}, {"Zoe"}, {"alice"}}));
}

TEST_F(Sections, ByNameKeysOfUnusualNames)
{
    setToday(2009, 3, 10);
    import({person(std::nullopt, std::nullopt, ab::CivilDate{1980, 1, 1}),
            person("", std::nullopt, ab::CivilDate{1980, 1, 2}),
            born("\xF0\x9D\x92\x9C"
                 "da",
                 3, 1), // U+1D49C, outside the basic plane
            born("e\xCC\x81rica", 4, 1), // e + combining acute accent
            born("\xC3\xA9lio", 5, 1), // é
            born("\xC3\x9F"
                 "a",
                 6, 1), // ß upper-cases to SS
            born("\xF0\x9F\x87\xA7\xF0\x9F\x87\xB7 fan", 7, 1)}); // a flag: two code points
    list().PopulateSection_byName();
    expectSectionsConsistent();
    EXPECT_EQ(list().dataArraySection(),
              (Titles{"#", "(", "E\xCC\x81", "SS", "\xC3\x89", "\xF0\x9D\x92\x9C",
                      "\xF0\x9F\x87\xA7\xF0\x9F\x87\xB7"}));
    EXPECT_EQ(list().recordAt(0, 0)->Name, "");
    EXPECT_EQ(list().recordAt(1, 0)->Name, "(null)");
}

TEST_F(Sections, EqualKeysKeepAddressBookOrder)
{
    setToday(2009, 3, 10);
    import({born("Same", 5, 5), born("Other", 5, 5), born("Same", 1, 1), born("Other", 1, 1)});
    list().PopulateSection_byName();
    std::vector<int> days;
    for (const auto& r : list().listArray())
        days.push_back(r->Day);
    EXPECT_EQ(days, (std::vector<int>{5, 1, 5, 1}));
    list().PopulateSection_byDate(false); // after the name sort, still address-book order
    EXPECT_EQ(sectionNames(), (Names{{"Same", "Other"}, {"Same", "Other"}}));
}

TEST_F(Sections, TwentyNinthOfFebruaryInACommonYear)
{
    import({});
    add_person(book, born("Early", 1, 3));
    add_person(book, born("Leap", 29, 2));
    add_person(book, born("Feb", 28, 2));
    setToday(2009, 3, 1);
    list().PopulateAddressBook(today);
    list().PopulateSection_byDate(false);
    expectSectionsConsistent();
    EXPECT_EQ(list().dataArraySection(), (Titles{"February", "March"}));
    EXPECT_EQ(sectionNames(), (Names{{"Feb", "Leap"}, {"Early"}}));
    EXPECT_EQ(list().tabItem1BadgeValue(), "2"); // kept on 1 March

    list().PopulateSection_byDate(true);
    EXPECT_EQ(sectionNames(), (Names{{"Leap"}, {"Early"}}));
    EXPECT_EQ(list().tabItem1BadgeValue(), "2");

    setToday(2009, 2, 28);
    list().PopulateAddressBook(today);
    list().PopulateSection_byDate(true);
    EXPECT_EQ(sectionNames(), (Names{{"Feb", "Leap"}, {"Early"}}));
    EXPECT_EQ(list().tabItem1BadgeValue(), "1");

    setToday(2009, 3, 2);
    list().PopulateAddressBook(today);
    list().PopulateSection_byDate(true);
    EXPECT_TRUE(list().dataArraySection().empty());
}

TEST_F(Sections, TwentyNinthOfFebruaryInALeapYear)
{
    import({});
    add_person(book, born("Early", 1, 3));
    add_person(book, born("Leap", 29, 2));
    setToday(2012, 2, 29);
    list().PopulateAddressBook(today);
    list().PopulateSection_byDate(true);
    EXPECT_EQ(sectionNames(), (Names{{"Leap"}, {"Early"}}));
    EXPECT_EQ(list().tabItem1BadgeValue(), "1");

    setToday(2012, 3, 1);
    list().PopulateAddressBook(today);
    list().PopulateSection_byDate(true);
    EXPECT_EQ(sectionNames(), (Names{{"Early"}}));
    EXPECT_EQ(list().tabItem1BadgeValue(), "1");
}
