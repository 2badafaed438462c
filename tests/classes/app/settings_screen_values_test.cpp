#include "settings_screen_fixture.h"

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

size_t count(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST_F(SettingsScreenTest, EachSwitchShowsItsOwnColumn)
{
    // Sound on, Popup off, and the reverse: a swap of the two would show.
    for (const SettingsRow& row : {SettingsRow{1, 0, 1, 1, 0, 11, 0, 0},
                                   SettingsRow{0, 1, 0, 0, 1, 11, 0, 1}}) {
        fs::remove(settingsFile());
        store(row);
        InfoViewController& s = open();
        EXPECT_EQ(s.switchCtl->isOn(), row[0] == 1);
        EXPECT_EQ(s.switchAge->isOn(), row[1] == 1);
        EXPECT_EQ(s.switchSigno->isOn(), row[2] == 1);
        EXPECT_EQ(s.switchSound->isOn(), row[3] == 1);
        EXPECT_EQ(s.switchPopup->isOn(), row[4] == 1);
        EXPECT_EQ(s.switchStandby->isOn(), row[7] == 1);
        EXPECT_EQ(memory(), row);
        save();
    }
}

TEST_F(SettingsScreenTest, OpeningAndSavingWritesBackWhatWasRead)
{
    const SettingsRow row{1, 0, 1, 0, 1, 23, 59, 1};
    store(row);
    open();
    save();
    EXPECT_FALSE(isOpen());
    EXPECT_EQ(stored(), row);
}

TEST_F(SettingsScreenTest, AStoredTwoShowsOffAndSurvivesUntilOneOfTheFiveSwitchesChanges)
{
    store({2, 2, 2, 2, 2, 7, 30, 2});
    InfoViewController& s = open();
    for (const auto& control : {s.switchCtl, s.switchAge, s.switchSigno, s.switchSound,
                                s.switchPopup, s.switchStandby})
        EXPECT_FALSE(control->isOn());

    // Sound rewrites only its own value.
    toggle(*s.switchSound);
    toggle(*s.switchSound);
    EXPECT_EQ(memory(), (SettingsRow{2, 2, 2, 0, 2, 7, 30, 2}));

    toggle(*s.switchAge);
    EXPECT_EQ(memory(), (SettingsRow{0, 1, 0, 0, 0, 7, 30, 0}));
    save();
    EXPECT_EQ(stored(), (SettingsRow{0, 1, 0, 0, 0, 7, 30, 0}));
}

TEST_F(SettingsScreenTest, AStoredTwoIsWrittenBackUnchangedWhenNoSwitchMoved)
{
    store({2, 2, 2, 2, 2, 7, 30, 2});
    open();
    save();
    EXPECT_EQ(stored(), (SettingsRow{2, 2, 2, 2, 2, 7, 30, 2}));
}

TEST_F(SettingsScreenTest, ASwitchChangesItsValueAtOnceAndTheFileOnlyOnSave)
{
    store({1, 0, 0, 1, 1, 11, 0, 0});
    InfoViewController& s = open();
    toggle(*s.switchSigno);
    toggle(*s.switchStandby);
    EXPECT_EQ(bHideSigno, 1);
    EXPECT_EQ(bStandby, 1);
    EXPECT_EQ(stored(), (SettingsRow{1, 0, 0, 1, 1, 11, 0, 0}));
    save();
    EXPECT_EQ(stored(), (SettingsRow{1, 0, 1, 1, 1, 11, 0, 1}));
}

TEST_F(SettingsScreenTest, SaveClosesTheScreenAndKeepsTheValuesWhenTheFileTakesNothing)
{
    store({1, 0, 0, 1, 1, 11, 0, 0});
    InfoViewController& s = open();
    toggle(*s.switchCtl);
    fs::remove(settingsFile());
    fs::create_directory(settingsFile()); // no file can be opened there
    save();
    EXPECT_FALSE(isOpen());
    EXPECT_EQ(memory(), (SettingsRow{0, 0, 0, 1, 1, 11, 0, 0}));
}

TEST_F(SettingsScreenTest, SaveClosesTheScreenWhenAnotherProcessHoldsTheFile)
{
    store({1, 0, 0, 1, 1, 11, 0, 0});
    InfoViewController& s = open();
    toggle(*s.switchPopup);

    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(settingsFile().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    const auto timeout = settings::busyTimeout();
    settings::setBusyTimeout(std::chrono::milliseconds(50));
    save();
    settings::setBusyTimeout(timeout);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    EXPECT_FALSE(isOpen());
    EXPECT_EQ(bPopup, 0);
    EXPECT_EQ(stored(), (SettingsRow{1, 0, 0, 1, 1, 11, 0, 0}));
}

TEST_F(SettingsScreenTest, SoundOnPlaysOnceAndOffPlaysNothing)
{
    fs::create_directories(device.path("/var/mobile/Library/Tortamos"));
    fs::copy_file(fs::path(TORTAMOS_SOURCE_DIR) / "resources/sounds/birthday.wav",
                  device.path(InfoViewController::kSoundPath));
    store({1, 0, 0, 0, 1, 11, 0, 0});
    InfoViewController& s = open();
    const std::string line = std::string("sound ") + InfoViewController::kSoundPath;

    toggle(*s.switchSound);
    EXPECT_EQ(bSound, 1);
    EXPECT_EQ(count(device.journal(), line), 1u);
    toggle(*s.switchSound);
    EXPECT_EQ(bSound, 0);
    EXPECT_EQ(count(device.journal(), line), 1u);
}

TEST_F(SettingsScreenTest, SoundIsSetAlsoWithoutASoundFile)
{
    store({1, 0, 0, 0, 1, 11, 0, 0});
    InfoViewController& s = open();
    toggle(*s.switchSound);
    EXPECT_EQ(bSound, 1);
    EXPECT_EQ(count(device.journal(), "sound "), 0u);
}

} // namespace
