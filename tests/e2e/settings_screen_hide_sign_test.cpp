#include "SettingsTable.h"
#include "TempDevice.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string kInstall = std::string(TORTAMOS_SOURCE_DIR) + "/scripts/install-device";
const std::string kContacts = std::string(TORTAMOS_BIN_DIR) + "/contacts";

std::string read(const fs::path& file)
{
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Runs the device's Tortamos with an automation script; its exit status.
int runTortamos(const TempDevice& device, const std::string& script)
{
    const fs::path file = device.root() / "script.txt";
    std::ofstream(file) << script;
    return run_command("UIKIT_AUTOMATION='" + file.string() + "' '" +
                       device.path("/Applications/Tortamos.app/Tortamos").string() +
                       "' 2>/dev/null </dev/null");
}

// The first switch after the label with the text, as the dump writes it (a settings row lists its
// name, then its control); empty when there is none.
std::string switchAfter(const std::string& dump, const std::string& text)
{
    const size_t label = dump.find("\"text\": \"" + text + "\"");
    const size_t control =
        label == std::string::npos ? label : dump.find("\"class\": \"UISwitch\"", label);
    const size_t close = control == std::string::npos ? control : dump.find('}', control);
    return close == std::string::npos ? std::string() : dump.substr(control, close - control);
}

// "tapat X Y" with the middle of the view whose dump record this is.
std::string tapAtMiddle(const std::string& record)
{
    const std::string key = "\"frame\": [";
    const size_t frame = record.find(key);
    if (frame == std::string::npos)
        return {};
    const char* at = record.c_str() + frame + key.size();
    char* end = nullptr;
    const double x = std::strtod(at, &end);
    const double y = std::strtod(end + 1, &end);
    const double width = std::strtod(end + 1, &end);
    const double height = std::strtod(end + 1, &end);
    return "tapat " + std::to_string(int(x + width / 2)) + " " +
           std::to_string(int(y + height / 2));
}

TEST(SettingsScreenEndToEnd, HideHoroscopeIsSavedAndTheNextListShowsNoSign)
{
    TempDevice device;
    ASSERT_EQ(run_command(kInstall + " --build '" + TORTAMOS_BUILD_DIR + "' '" +
                          device.root().string() + "' >/dev/null 2>&1"),
              0);
    ASSERT_EQ(run_command(kContacts + " add --first Ana --birthday 1980-03-10 >/dev/null"), 0);
    const fs::path before = device.root() / "before.json";
    const fs::path opened = device.root() / "opened.json";
    const fs::path toggled = device.root() / "toggled.json";
    const fs::path after = device.root() / "after.json";

    // Where the switch is once its row is scrolled to the top.
    ASSERT_EQ(runTortamos(device, "wait 100\ntap All by Date\nwait 100\ndump " + before.string() +
                                      "\ntap Settings\nwait 100\nscrollto 2 1\nwait 100\ndump " +
                                      opened.string() + "\nquit\n"),
              0);
    ASSERT_NE(read(before).find("\"text\": \"Pisces\""), std::string::npos);
    const std::string hideSign = switchAfter(read(opened), "Hide Horoscope");
    ASSERT_NE(hideSign.find("\"on\": false"), std::string::npos) << hideSign;
    const std::string tapAt = tapAtMiddle(hideSign);
    ASSERT_EQ(runTortamos(device, "wait 100\ntap Settings\nwait 100\nscrollto 2 1\nwait 100\n" +
                                      tapAt + "\nwait 100\ndump " + toggled.string() +
                                      "\ntap Save\nwait 100\ntap All by Date\nwait 100\ndump " +
                                      after.string() + "\nquit\n"),
              0);

    EXPECT_NE(switchAfter(read(toggled), "Hide Horoscope").find("\"on\": true"), std::string::npos);
    const auto row = settings_table(device.path(kSettingsFile));
    ASSERT_EQ(row.size(), 2u);
    EXPECT_EQ(row[0], "bBadge|bHideAge|bHideSigno|bPopup|bSound|iTimerHour|iTimerMinute|iStandby");
    EXPECT_EQ(row[1], "1|0|1|1|1|11|0|0");
    const std::string shown = read(after);
    EXPECT_NE(shown.find("\"text\": \"Ana\""), std::string::npos);
    EXPECT_EQ(shown.find("\"text\": \"Pisces\""), std::string::npos);
    EXPECT_EQ(shown.find("peixes.png"), std::string::npos);
}

} // namespace
