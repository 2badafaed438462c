#include "AgentFixture.h"
#include "addressbook/DeviceAddressBook.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cmath>
#include <fstream>

namespace {

using Events = std::vector<std::string>;

class AddressBookWatch : public AgentFixture {
protected:
    std::filesystem::path store() const { return device.path(ab::kDeviceStorePath); }

    void touch(platform::Moment modified)
    {
        if (!std::filesystem::exists(store())) {
            std::filesystem::create_directories(store().parent_path());
            std::ofstream(store()) << "book";
        }
        const double seconds = std::floor(modified / 1000.0);
        const timespec times[2] = {
            {static_cast<time_t>(seconds), 0},
            {static_cast<time_t>(seconds), static_cast<long>((modified / 1000.0 - seconds) * 1e9)}};
        ASSERT_EQ(utimensat(AT_FDCWD, store().c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
    }

    // Runs one ten-second tick; tells whether it recounted.
    bool tick_recounts()
    {
        birthdaysActivate2();
        return !take_events().empty();
    }
};

TEST_F(AddressBookWatch, FirstTickAlwaysRecountsThenOnlyANewStampDoes)
{
    bBadge = 1;
    now_running(at(2009, 3, 10, 9, 0));
    touch(at(2009, 3, 1, 8, 0));
    add_birthday(1980, 3, 10);
    EXPECT_EQ(nsAddressBookDate, "zerado");
    birthdaysActivate2();
    EXPECT_EQ(take_events(), Events{"badge 1"});
    EXPECT_FALSE(tick_recounts());
    EXPECT_FALSE(tick_recounts());
    touch(at(2009, 3, 10, 9, 5));
    EXPECT_TRUE(tick_recounts());
    EXPECT_FALSE(tick_recounts());
}

TEST_F(AddressBookWatch, ChangesTwelveHoursApartAreBothNoticed)
{
    now_running(at(2009, 3, 10, 13, 0));
    touch(at(2009, 3, 10, 1, 0, 0));
    EXPECT_TRUE(tick_recounts());
    touch(at(2009, 3, 10, 13, 0, 0));
    EXPECT_TRUE(tick_recounts());
}

TEST_F(AddressBookWatch, ChangesWithinOneSecondAreBothNoticed)
{
    now_running(at(2009, 3, 10, 13, 0));
    touch(at(2009, 3, 10, 12, 59, 30) + 100);
    EXPECT_TRUE(tick_recounts());
    touch(at(2009, 3, 10, 12, 59, 30) + 700);
    EXPECT_TRUE(tick_recounts());
}

TEST_F(AddressBookWatch, MissingFileCountsAnEmptyBookOnceAndNoticesTheFileWhenItComes)
{
    ab::DeviceAddressBook device_book;
    agent::environment().addressBook = &device_book;
    bBadge = 1;
    bAlert = true;
    now_running(platform::system_clock().now());

    birthdaysActivate2();
    EXPECT_EQ(take_events(), Events{"badge "});
    EXPECT_FALSE(bAlert);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(tick_recounts()) << "no recount while it stays missing";
    EXPECT_FALSE(std::filesystem::exists(store()));

    const auto today = platform::Calendar().components(clock.now());
    ab::Person person;
    person.first_name = "Ana";
    person.birthday = ab::CivilDate{1990, today.month, today.day};
    ASSERT_TRUE(ab::AddressBook::create()->save(person));
    birthdaysActivate2();
    EXPECT_EQ(take_events(), Events{"badge 1"});

    std::filesystem::remove(store());
    birthdaysActivate2();
    EXPECT_EQ(take_events(), Events{"badge "}) << "a store that goes away is a change too";
}

// An address book another program holds past the busy timeout: every read fails.
class HeldAddressBook final : public ab::InMemoryAddressBook {
public:
    bool visitAllPeople(ab::PersonVisitor&) const override
    {
        ++reads;
        return false;
    }
    mutable int reads = 0;
};

TEST_F(AddressBookWatch, ABookThatCannotBeReadKeepsTheCountAndIsCountedAgainAtTheNextTick)
{
    bBadge = 1;
    now_running(at(2009, 3, 10, 9, 0));
    touch(at(2009, 3, 10, 8, 0));
    add_birthday(1980, 3, 10);
    birthdaysActivate2();
    EXPECT_EQ(take_events(), Events{"badge 1"});

    HeldAddressBook held;
    agent::environment().addressBook = &held;
    touch(at(2009, 3, 10, 9, 1));
    birthdaysActivate2();
    birthdaysActivate2();
    EXPECT_EQ(take_events(), Events{}) << "the badge stays";
    EXPECT_TRUE(bAlert) << "the alert stays owed";
    EXPECT_EQ(held.reads, 2) << "each tick counts again";

    agent::environment().addressBook = &book;
    birthdaysActivate2();
    EXPECT_EQ(take_events(), Events{"badge 1"});
    EXPECT_FALSE(tick_recounts()) << "one read that succeeds is enough";
}

} // namespace
