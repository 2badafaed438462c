#include "EngineTest.h"
#include "engine/Months.h"
#include "engine/RecordImport.h"
#include "platform/DateServices.h"

using engine::BirthdayRecord;

namespace {

class Import : public EngineTest {
protected:
    const BirthdayRecord& only()
    {
        EXPECT_EQ(list().listArray().size(), 1u);
        return *list().listArray().front();
    }
    static std::string fullDate(const BirthdayRecord& record)
    {
        return engine::fullDate(record, engine::RowWords::load());
    }
};

} // namespace

TEST(DisplayName, MissingPartsReadNullAndNullCountsAsMissing)
{
    using engine::displayName;
    EXPECT_EQ(displayName("Ana", "Silva"), "Ana Silva");
    EXPECT_EQ(displayName("Ana", std::nullopt), "Ana");
    EXPECT_EQ(displayName(std::nullopt, "Silva"), "Silva");
    EXPECT_EQ(displayName(std::nullopt, std::nullopt), "(null)");
    EXPECT_EQ(displayName("(null)", "Silva"), "Silva");
    EXPECT_EQ(displayName("Ana", "(null)"), "Ana");
    EXPECT_EQ(displayName("", std::nullopt), "");
}

TEST_F(Import, OneRecordPerPersonWithABirthdayInAddressBookOrder)
{
    setToday(2009, 3, 10);
    const ab::RecordID ana =
        add_person(book, person("Ana", "Silva", ab::CivilDate{1980, 3, 5}, {1, 2}));
    add_person(book, person("Sem", "Data", std::nullopt));
    const ab::RecordID twin1 = add_person(book, born("Twin One", 5, 3));
    const ab::RecordID twin2 = add_person(book, born("Twin Two", 5, 3));

    testing::internal::CaptureStderr();
    list().PopulateAddressBook(today);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("PopulateAddressBook...\n"), std::string::npos);
    EXPECT_NE(log.find("PopulateAddressBook OK...\n"), std::string::npos);
    EXPECT_LT(log.find("PopulateAddressBook..."), log.find("PopulateAddressBook OK..."));

    const auto& records = list().listArray();
    ASSERT_EQ(records.size(), 3u);
    const BirthdayRecord& first = *records[0];
    EXPECT_EQ(first.Name, "Ana Silva");
    EXPECT_EQ(fullDate(first), "March 5 1980");
    EXPECT_EQ(first.Day, 5);
    EXPECT_EQ(first.Month, 3);
    EXPECT_EQ(first.Year, 1980);
    EXPECT_EQ(first.RecordID, ana);
    EXPECT_EQ(first.Image, (engine::ImageRef{ana, true}));
    EXPECT_EQ(records[1]->RecordID, twin1);
    EXPECT_EQ(records[1]->Image, (engine::ImageRef{twin1, false}));
    EXPECT_EQ(records[2]->RecordID, twin2);
}

TEST_F(Import, FullDateInEnglishAndPortuguese)
{
    setToday(2009, 3, 10);
    add_person(book, born("Ana", 5, 3));
    list().PopulateAddressBook(today);
    EXPECT_EQ(fullDate(only()), "March 5 1980");

    ScopedEnv portuguese("LANGUAGE", "pt");
    list().PopulateAddressBook(today);
    EXPECT_EQ(fullDate(only()), "5 de Março de 1980");
    EXPECT_EQ(engine::ConvertMonth(3), "Março");
}

TEST(ConvertMonth, LocalisedNamesAndNothingOutsideTheYear)
{
    NSBundle::setMainBundlePath(TORTAMOS_APP_DIR);
    EXPECT_EQ(engine::ConvertMonth(1), "January");
    EXPECT_EQ(engine::ConvertMonth(12), "December");
    EXPECT_EQ(engine::ConvertMonth(0), "");
    EXPECT_EQ(engine::ConvertMonth(13), "");
    ScopedEnv portuguese("LANGUAGE", "pt_BR");
    EXPECT_EQ(engine::ConvertMonth(2), "Fevereiro");
}

TEST_F(Import, NiverEventIsLocalMidnightOfThisYearsBirthday)
{
    setToday(2009, 3, 10);
    add_person(book, born("Caio", 7, 1, 1990));
    list().PopulateAddressBook(today);
    EXPECT_EQ(only().NiverEvent, platform::DateFormatter("yyyyMMdd").dateFromString("20090107"));
    EXPECT_EQ(platform::DateFormatter("yyyy-MM-dd HH:mm").stringFromDate(only().NiverEvent),
              "2009-01-07 00:00");
    EXPECT_EQ(only().Year, 1990);
}

TEST_F(Import, TwentyNinthOfFebruary)
{
    add_person(book, born("Leap", 29, 2));
    const platform::DateFormatter day("yyyyMMdd");

    setToday(2009, 3, 10); // a common year: kept on 1 March
    list().PopulateAddressBook(today);
    EXPECT_EQ(day.stringFromDate(only().NiverEvent), "20090301");
    EXPECT_EQ(only().Day, 29);
    EXPECT_EQ(only().Month, 2);
    EXPECT_EQ(fullDate(only()), "February 29 1980");

    setToday(2012, 3, 10);
    list().PopulateAddressBook(today);
    EXPECT_EQ(day.stringFromDate(only().NiverEvent), "20120229");
}

TEST_F(Import, BirthdayWithoutAYearOn29February)
{
    setToday(2009, 3, 10);
    add_person(book, born("Unknown Year", 29, 2, 1900));
    list().PopulateAddressBook(today);
    EXPECT_EQ(only().Year, 1900);
    EXPECT_EQ(fullDate(only()), "February 29 1900");
}

TEST_F(Import, ImportingAgainReplacesTheRecords)
{
    setToday(2009, 3, 10);
    add_person(book, born("Ana", 5, 3));
    const ab::RecordID bia = add_person(book, born("Bia", 6, 3));
    add_person(book, born("Caio", 7, 3));
    list().PopulateAddressBook(today);
    list().PopulateAddressBook(today);
    EXPECT_EQ(list().listArray().size(), 3u);

    // Deleted between imports: gone from the records; the list on display keeps its records
    // alive until the next build.
    list().PopulateSection_byDate(false);
    book.remove(bia);
    list().PopulateAddressBook(today);
    ASSERT_EQ(list().listArray().size(), 2u);
    EXPECT_EQ(list().listArray()[0]->Name, "Ana");
    EXPECT_EQ(list().listArray()[1]->Name, "Caio");
    EXPECT_EQ(list().recordAt(0, 1)->Name, "Bia");
    list().PopulateSection_byDate(false);
    EXPECT_EQ(sectionNames(), (std::vector<std::vector<std::string>>{{"Ana", "Caio"}}));
}

// The same birthday on its own day from UTC-12 to UTC+14, at that zone's midnight.
TEST(ImportTimeZones, ABirthdayStaysOnItsDayInEveryZone)
{
    NSBundle::setMainBundlePath(TORTAMOS_APP_DIR);
    for (const char* id : {"Etc/GMT+12", "Pacific/Honolulu", "America/Sao_Paulo", "UTC",
                           "Asia/Kathmandu", "Pacific/Chatham", "Pacific/Kiritimati"}) {
        platform::ScopedTimeZone zone(id);
        ab::InMemoryAddressBook book;
        add_person(book, born("Ana", 1, 1, 1980));
        add_person(book, born("Bia", 31, 12, 1975));
        engine::BirthdayList list(book);
        list.PopulateAddressBook({2009, 6, 15});
        ASSERT_EQ(list.listArray().size(), 2u) << id;
        const platform::Calendar calendar;
        const platform::DateFormatter time("yyyyMMdd HH:mm");
        const auto& ana = *list.listArray()[0];
        EXPECT_EQ(ana.Day, 1) << id;
        EXPECT_EQ(ana.Month, 1) << id;
        EXPECT_EQ(engine::fullDate(ana, engine::RowWords::load()), "January 1 1980") << id;
        EXPECT_EQ(time.stringFromDate(ana.NiverEvent), "20090101 00:00") << id;
        const auto& bia = *list.listArray()[1];
        EXPECT_EQ(engine::fullDate(bia, engine::RowWords::load()), "December 31 1975") << id;
        EXPECT_EQ(time.stringFromDate(bia.NiverEvent), "20091231 00:00") << id;
    }
}

// Where a daylight-saving change skips midnight, the birthday begins at the first moment of
// its day, still after every birthday of the day before.
TEST(ImportTimeZones, AMidnightThatDoesNotExist)
{
    NSBundle::setMainBundlePath(TORTAMOS_APP_DIR);
    struct Gap {
        const char* zone;
        int year, month, day;
    };
    for (const Gap gap :
         {Gap{"America/Sao_Paulo", 2009, 10, 18}, Gap{"America/Havana", 2009, 3, 8}}) {
        platform::ScopedTimeZone zone(gap.zone);
        ab::InMemoryAddressBook book;
        add_person(book, born("Gap", gap.day, gap.month));
        add_person(book, born("Eve", gap.day - 1, gap.month));
        engine::BirthdayList list(book);
        list.PopulateAddressBook({gap.year, 1, 2});
        const auto& gapDay = *list.listArray()[0];
        const auto& eve = *list.listArray()[1];
        EXPECT_EQ(platform::DateFormatter("d HH:mm").stringFromDate(gapDay.NiverEvent),
                  std::to_string(gap.day) + " 01:00")
            << gap.zone;
        EXPECT_LT(eve.NiverEvent, gapDay.NiverEvent) << gap.zone;
        list.PopulateSection_byDate(true);
        EXPECT_EQ(list.recordAt(0, 0)->Name, "Eve") << gap.zone;
        EXPECT_EQ(list.recordAt(0, 1)->Name, "Gap") << gap.zone;
    }
}
