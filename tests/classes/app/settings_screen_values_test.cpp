#include "DumpQuery.h"
#include "ScopedEnv.h"
#include "settings_screen_fixture.h"

#include <chrono>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

TEST_F(SettingsScreenTest, EachSwitchShowsItsOwnColumnAndSavingWritesBackWhatWasRead)
{
    // Sound on and Popup off, then the reverse: a swap of the two would show.
    for (const SettingsRow& row :
         {SettingsRow{1, 0, 1, 1, 0, 23, 59, 0}, SettingsRow{0, 1, 0, 0, 1, 11, 0, 1}}) {
        fs::remove(file());
        store(row);
        InfoViewController& s = open();
        const SettingsRow shown{s.switchCtl->isOn(),
                                s.switchAge->isOn(),
                                s.switchSigno->isOn(),
                                s.switchSound->isOn(),
                                s.switchPopup->isOn(),
                                row[5],
                                row[6],
                                s.switchStandby->isOn()};
        EXPECT_EQ(shown, row);
        tap("Save");
        EXPECT_FALSE(isOpen());
        EXPECT_EQ(stored(), row);
    }
}

TEST_F(SettingsScreenTest, AStoredTwoShowsOffAndIsKeptUntilOneOfTheFiveSwitchesChanges)
{
    store({2, 2, 2, 2, 2, 7, 30, 2});
    InfoViewController& s = open();
    for (const auto& control :
         {s.switchCtl, s.switchAge, s.switchSigno, s.switchSound, s.switchPopup, s.switchStandby})
        EXPECT_FALSE(control->isOn());
    toggle(*s.switchSound); // rewrites only its own value
    toggle(*s.switchSound);
    EXPECT_EQ(memory(), (SettingsRow{2, 2, 2, 0, 2, 7, 30, 2}));
    EXPECT_EQ(stored(), (SettingsRow{2, 2, 2, 2, 2, 7, 30, 2})); // the file only on Save

    toggle(*s.switchAge);
    tap("Save");
    EXPECT_EQ(stored(), (SettingsRow{0, 1, 0, 0, 0, 7, 30, 0}));
}

// A file held by another program past the busy timeout, or one that cannot be opened: Save says
// so, and the screen stays with the edited values until a Save succeeds or the user closes it.
TEST_F(SettingsScreenTest, ASaveThatWritesNothingSaysSoAndKeepsTheScreenOpen)
{
    const auto alertTitle = [] {
        const uikit::DumpRecord dump = uikit::dumpScreen();
        const auto alerts = shownWith(dump, "class", "UIAlertView");
        return alerts.empty() ? std::string("(none)") : alerts[0]->text("text").value_or("");
    };
    // Only a Save that wrote tells the agent, at once: a window left open never quits.
    const auto notices = [this] {
        const std::string journal = device.journal();
        size_t n = 0;
        for (auto at = journal.find(" notify kTortamosBadge\n"); at != std::string::npos;
             at = journal.find(" notify kTortamosBadge\n", at + 1))
            ++n;
        return n;
    };
    tortamos::settings_file::setBusyTimeout(std::chrono::milliseconds(100));
    store({1, 0, 0, 1, 1, 11, 0, 0});
    InfoViewController& s = open();
    toggle(*s.switchCtl);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(file().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    tap("Save");
    EXPECT_TRUE(isOpen());
    EXPECT_EQ(alertTitle(), "Settings not saved");
    tap("OK");
    EXPECT_EQ(alertTitle(), "(none)");
    EXPECT_FALSE(s.switchCtl->isOn());
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    EXPECT_EQ(notices(), 0u);
    tap("Save"); // once the other program let go
    EXPECT_FALSE(isOpen());
    EXPECT_EQ(stored(), (SettingsRow{0, 0, 0, 1, 1, 11, 0, 0}));
    EXPECT_EQ(notices(), 1u);

    // A device that cannot be written never saves: "Close" leaves without saving.
    toggle(*open().switchCtl);
    fs::remove(file());
    fs::create_directory(file()); // no database opens there
    tap("Save");
    EXPECT_TRUE(isOpen());
    EXPECT_EQ(alertTitle(), "Settings not saved");
    tap("Close");
    EXPECT_FALSE(isOpen());
    EXPECT_EQ(memory(), (SettingsRow{1, 0, 0, 1, 1, 11, 0, 0}));

    // Opened while the file was held, the screen shows values that are not the stored ones:
    // Save never writes them over the settings, even once the file is free again.
    fs::remove(file());
    store({1, 1, 1, 1, 1, 9, 30, 1});
    ASSERT_EQ(sqlite3_open(file().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    open();
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    tap("Save");
    EXPECT_EQ(alertTitle(), "Settings not saved");
    tap("Close");
    EXPECT_EQ(stored(), (SettingsRow{1, 1, 1, 1, 1, 9, 30, 1}));
    EXPECT_EQ(notices(), 1u);
    tortamos::settings_file::setBusyTimeout(tortamos::settings_file::kBusyTimeout);

    NSBundle::setMainBundlePath(TORTAMOS_APP_DIR);
    ScopedEnv portuguese("LANGUAGE", "pt");
    EXPECT_EQ(NSBundle::mainBundle().localizedStringForKey("Settings not saved", "", ""),
              "Ajustes n\u00e3o salvos");
}

TEST_F(SettingsScreenTest, SoundOnPlaysTheSoundOnceAndOffPlaysNothing)
{
    fs::create_directories(file().parent_path());
    fs::copy_file(fs::path(TORTAMOS_SOURCE_DIR) / "resources/sounds/birthday.wav",
                  device.path(InfoViewController::kSoundPath));
    store({1, 0, 0, 0, 1, 11, 0, 0});
    InfoViewController& s = open();
    toggle(*s.switchSound);
    EXPECT_EQ(bSound, 1);
    toggle(*s.switchSound);
    EXPECT_EQ(bSound, 0);
    const std::string journal = device.journal();
    const std::string line = std::string("sound ") + InfoViewController::kSoundPath + "\n";
    EXPECT_NE(journal.find(line), std::string::npos);
    EXPECT_EQ(journal.find(line), journal.rfind(line));
}

} // namespace
