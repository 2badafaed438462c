#include "EngineTest.h"
#include "engine/Signs.h"

using engine::CountdownColour;
using engine::RowValues;

namespace {

class Rows : public EngineTest {
protected:
    // The row of a person born on (day, month, year), on today's date.
    RowValues row(int day, int month, int year = 1980, bool hideAge = false, bool hideSigno = false)
    {
        ab::InMemoryAddressBook one;
        add_person(one, born("Someone", day, month, year));
        engine::BirthdayList rows(one);
        rows.PopulateAddressBook(today);
        return rows.rowValues(*rows.listArray().at(0), {hideAge, hideSigno});
    }
};

} // namespace

TEST_F(Rows, TenthOfMarch2009)
{
    setToday(2009, 3, 10);
    struct Expected {
        int day, month;
        const char* age;
        const char* countdown;
        CountdownColour colour;
    };
    const Expected table[] = {
        {10, 3, "Age: 29", "Today", CountdownColour::Red},
        {11, 3, "Age: 28", "Tomorrow", CountdownColour::Purple},
        {15, 3, "Age: 28", "in 5 days", CountdownColour::Brown},
        {10, 4, "Age: 28", "in 1 month", CountdownColour::Brown},
        {11, 4, "Age: 28", "in 1 month, 1 day", CountdownColour::Brown},
        {12, 5, "Age: 28", "in 2 months, 2 days", CountdownColour::Brown},
        {12, 12, "Age: 28", "in 9 months, 2 days", CountdownColour::Brown},
        {9, 3, "Age: 29", "", CountdownColour::Brown},
        {3, 1, "Age: 29", "", CountdownColour::Brown},
    };
    for (const Expected& e : table) {
        const RowValues values = row(e.day, e.month);
        EXPECT_EQ(values.ageText, e.age) << e.day << "/" << e.month;
        EXPECT_EQ(values.countdownText, e.countdown) << e.day << "/" << e.month;
        EXPECT_EQ(values.countdownColour, e.colour) << e.day << "/" << e.month;
        EXPECT_EQ(values.sign, engine::idForSigno(e.day, e.month));
    }
}

TEST_F(Rows, NameDatePhotoAndSign)
{
    setToday(2009, 3, 10);
    const ab::RecordID id =
        add_person(book, person("Ana", "Silva", ab::CivilDate{1980, 7, 22}, {7}));
    list().PopulateAddressBook(today);
    const RowValues values = list().rowValues(*list().listArray()[0], {});
    EXPECT_EQ(values.name, "Ana Silva");
    EXPECT_EQ(values.dateText, "July 22 1980");
    EXPECT_EQ(values.image, (engine::ImageRef{id, true}));
    EXPECT_EQ(values.sign, 5);
    const RowValues hidden = list().rowValues(*list().listArray()[0], {.hideSigno = true});
    EXPECT_EQ(hidden.sign, 0);
    EXPECT_EQ(hidden.name, values.name);
    EXPECT_EQ(hidden.ageText, values.ageText);
    EXPECT_EQ(hidden.countdownText, values.countdownText);
}

TEST_F(Rows, AgeOfThoseBornIn1900AndAfterThisYear)
{
    setToday(2009, 3, 10);
    EXPECT_EQ(row(9, 3, 1900, true).ageText, "");
    EXPECT_EQ(row(9, 3, 1900, false).ageText, "Age: 109");
    EXPECT_EQ(row(11, 3, 1900, false).ageText, "Age: 108");
    EXPECT_EQ(row(9, 3, 1901, true).ageText, "Age: 108");
    EXPECT_EQ(row(9, 3, 2011).ageText, "Age: 0");
    EXPECT_EQ(row(11, 3, 2009).ageText, "Age: 0");
}

TEST_F(Rows, TwentyNinthOfFebruary)
{
    setToday(2009, 2, 28);
    RowValues values = row(29, 2);
    EXPECT_EQ(values.countdownText, "Tomorrow");
    EXPECT_EQ(values.ageText, "Age: 28");
    EXPECT_EQ(values.sign, 12);
    setToday(2009, 3, 1);
    values = row(29, 2);
    EXPECT_EQ(values.countdownText, "Today");
    EXPECT_EQ(values.countdownColour, CountdownColour::Red);
    EXPECT_EQ(values.ageText, "Age: 29");
    setToday(2009, 1, 28);
    EXPECT_EQ(row(29, 2).countdownText, "in 1 month, 1 day");

    setToday(2012, 2, 28);
    EXPECT_EQ(row(29, 2).countdownText, "Tomorrow");
    setToday(2012, 3, 1);
    EXPECT_EQ(row(29, 2).countdownText, "");
}

TEST(RowsTimeZones, TomorrowOnADayWhoseMidnightDoesNotExist)
{
    NSBundle::setMainBundlePath(TORTAMOS_APP_DIR);
    platform::ScopedTimeZone zone("America/Sao_Paulo"); // 18 October 2009 began at 01:00
    ab::InMemoryAddressBook book;
    add_person(book, born("Tomorrow", 19, 10));
    add_person(book, born("Today", 18, 10));
    engine::BirthdayList list(book);
    list.PopulateAddressBook({2009, 10, 18});
    EXPECT_EQ(list.rowValues(*list.listArray()[0], {}).countdownText, "Tomorrow");
    EXPECT_EQ(list.rowValues(*list.listArray()[1], {}).countdownText, "Today");
}

TEST_F(Rows, PortugueseWords)
{
    ScopedEnv portuguese("LANGUAGE", "pt");
    setToday(2009, 3, 10);
    EXPECT_EQ(row(12, 5).countdownText, "em 2 meses, 2 dias");
    EXPECT_EQ(row(11, 4).countdownText, "em 1 mês, 1 dia");
    EXPECT_EQ(row(11, 3).countdownText, "Amanhã");
    EXPECT_EQ(row(10, 3).countdownText, "Hoje");
    EXPECT_EQ(row(10, 3).ageText, "Idade: 29");
}

TEST(CountdownColour, Rgb)
{
    EXPECT_EQ(engine::rgb(CountdownColour::Red), (engine::Rgb{1.0, 0.0, 0.0}));
    EXPECT_EQ(engine::rgb(CountdownColour::Purple), (engine::Rgb{0.5, 0.0, 0.5}));
    EXPECT_EQ(engine::rgb(CountdownColour::Brown), (engine::Rgb{0.6, 0.4, 0.2}));
}
