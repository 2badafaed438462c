#include "AgentFixture.h"

#include <sqlite3.h>

void AgentFixture::SetUp()
{
    auto& env = agent::environment();
    env.clock = &clock;
    env.addressBook = &book;
    env.systemVersion = [] { return std::string("3.1.3"); };
    env.setBadge = [this](const char* application, const char* text) {
        EXPECT_STREQ(application, "com.Qarvex.Tortamos");
        events.push_back(std::string("badge ") + text);
    };
    env.showAlert = [this](const char* title, const char* message, const char* button,
                           const std::vector<std::string>& personNames) {
        events.push_back(std::string("alert ") + title + "|" + message + "|" + button);
        alertNames = personNames;
    };
    env.createSound = [this](std::string_view path, SystemSoundID* sound) -> OSStatus {
        *sound = next_sound_++;
        sounds_[*sound] = path;
        return kAudioServicesNoError;
    };
    env.playSound = [this](SystemSoundID sound) {
        const auto found = sounds_.find(sound);
        events.push_back(found == sounds_.end() ? "sound of nothing" : "sound " + found->second);
    };
    env.disposeSound = [this](SystemSoundID sound) -> OSStatus {
        return sounds_.erase(sound) == 1 ? kAudioServicesNoError
                                         : kAudioServicesSystemSoundUnspecifiedError;
    };

    bBadge = bSound = bPopup = iTimerHour = iTimerMinute = iStandby = 0;
    bAlert = false;
    todaysNames.clear();
    bPlayAlerts = true;
    bSettingsUnread = false;
    dateActive = clock.now();
    dateTicked.reset();
    lastAlert.reset();
    nsAddressBookDate = agent::kNoStampYet;
    soundID = trickID = 0;
}

void AgentFixture::add_birthday(int year, int month, int day)
{
    ab::Person person;
    person.first_name = "Person";
    person.birthday = ab::CivilDate{year, month, day};
    book.save(person);
}

void AgentFixture::write_settings(int badge, int sound, int popup, int hour, int minute,
                                  int standby)
{
    const auto file = device.path(databasePath);
    std::filesystem::create_directories(file.parent_path());
    std::filesystem::remove(file);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    const std::string sql =
        "CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER, bHideSigno INTEGER, bSound "
        "INTEGER, bPopup INTEGER, iTimerHour INTEGER, iTimerMinute INTEGER, iStandby INTEGER);"
        "INSERT INTO Settings VALUES (" +
        std::to_string(badge) + ", 0, 0, " + std::to_string(sound) + ", " + std::to_string(popup) +
        ", " + std::to_string(hour) + ", " + std::to_string(minute) + ", " +
        std::to_string(standby) + ");";
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}
