#include "ScopedEnv.h"
#include "TempDevice.h"
#include "foundation/Bundle.h"
#include "foundation/Device.h"
#include "foundation/DeviceIdentifier.h"
#include "foundation/FileAttributes.h"
#include "foundation/Journal.h"
#include "foundation/MoCatalog.h"
#include "foundation/Placeholders.h"
#include "foundation/Prefault.h"
#include "foundation/PropertyList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <regex>
#include <vector>

TEST(Device, PathsResolveUnderTheDeviceRoot)
{
    TempDevice device;
    EXPECT_EQ(os::device_path("/var/mobile/Library/Tortamos/birthdays.sql"),
              device.root() / "var/mobile/Library/Tortamos/birthdays.sql");
    ScopedEnv unset("DEVICE_ROOT", nullptr);
    EXPECT_EQ(os::device_path("/var/log/device.log"), std::filesystem::path("/var/log/device.log"));
}

// Made once and kept: the same on every call, another on another device, and a damaged file is
// refused rather than replaced, which would disown what was written under the old identifier.
TEST(DeviceIdentifier, MadeOnceKeptAndNeverReplaced)
{
    std::error_code error;
    std::string first;
    {
        TempDevice device;
        first = os::device_identifier(error).value_or("");
        EXPECT_TRUE(std::regex_match(first, std::regex("[0-9a-f]{32}"))) << error.message();
        EXPECT_EQ(os::device_identifier(error), first);
        std::ofstream(os::device_path(os::kDeviceIdentifierPath)) << "damaged\n";
        EXPECT_EQ(os::device_identifier(error), std::nullopt);
        EXPECT_TRUE(error);
    }
    TempDevice other;
    EXPECT_NE(os::device_identifier(error).value_or(first), first);
}

TEST(Journal, OneLinePerEventWithLocalIsoTimeFirst)
{
    TempDevice device;
    os::journal("notify kTortamosBadge");
    os::journal("alert " + os::journal_quote("Tortamos") + " " + os::journal_quote("a \"b\""));
    const std::string text = device.journal();
    const std::regex line(
        R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d\d:\d\d notify kTortamosBadge\n)"
        R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d\d:\d\d alert "Tortamos" "a \\"b\\""\n)");
    EXPECT_TRUE(std::regex_match(text, line)) << text;
}

TEST(Bundle, IdentifierComesFromInfoPlist)
{
    NSBundle app(TORTAMOS_APP_DIR);
    EXPECT_EQ(app.bundleIdentifier(), "com.Qarvex.Tortamos");
    EXPECT_EQ(app.objectForInfoDictionaryKey("CFBundleIdentifier"), "com.Qarvex.Tortamos");
    EXPECT_EQ(app.objectForInfoDictionaryKey("NoSuchKey"), std::nullopt);
    NSBundle none(std::filesystem::temp_directory_path() / "no-such-bundle");
    EXPECT_EQ(none.bundleIdentifier(), "");
    EXPECT_EQ(none.objectForInfoDictionaryKey("CFBundleIdentifier"), std::nullopt);
}

TEST(PropertyList, FindsStringsByExactKey)
{
    const std::string plist = "<dict><key>CFBundleName</key>\n <string> Spaced </string>"
                              "<key>Count</key><integer>3</integer>"
                              "<key>a.b</key><string>dot</string></dict>";
    EXPECT_EQ(os::plist_string(plist, "CFBundleName"), " Spaced ");
    EXPECT_EQ(os::plist_string(plist, "Count"), std::nullopt);
    EXPECT_EQ(os::plist_string(plist, "Name"), std::nullopt);
    EXPECT_EQ(os::plist_string(plist, "a.b"), "dot");
    EXPECT_EQ(os::plist_string(plist, "aXb"), std::nullopt);
    EXPECT_EQ(os::plist_string("", "CFBundleName"), std::nullopt);
    EXPECT_EQ(os::plist_string("<key>A</key><string>open", "A"), std::nullopt);
    EXPECT_EQ(os::plist_string("<key>AB</key><string>no</string><key>A</key><string>x &amp;lt; y"
                               "</string>",
                               "A"),
              "x &lt; y");
}

TEST(Bundle, PortugueseTableWithoutGeneratedLocales)
{
    NSBundle app(TORTAMOS_APP_DIR);
    {
        ScopedEnv language("LANGUAGE", "pt_BR:en");
        EXPECT_EQ(app.localizedStringForKey("Close"), "Fechar");
        EXPECT_EQ(app.localizedStringForKey("March"), "Março");
        EXPECT_EQ(app.localizedStringForKey("No such key"), "No such key");
    }
    {
        ScopedEnv language("LANGUAGE", nullptr);
        ScopedEnv lang("LANG", "pt_PT.UTF-8");
        ScopedEnv all("LC_ALL", nullptr);
        EXPECT_EQ(app.localizedStringForKey("Close"), "Fechar");
    }
    {
        ScopedEnv language("LANGUAGE", "C");
        ScopedEnv all("LC_ALL", "C.UTF-8");
        EXPECT_EQ(app.localizedStringForKey("Close"), "Close");
        EXPECT_EQ(app.localizedStringForKey("Close", "Shut"), "Shut");
    }
}

// The system's last English: the names of its bundles, and what Contacts, the vCard reader and the
// calendar export say, each from the table it is kept in.
TEST(Bundle, PortugueseNamesAndTextsOfTheSystem)
{
    const std::filesystem::path build = TORTAMOS_BUILD_DIR;
    const NSBundle contacts(build / "Contacts.app"), home(build / "SpringBoard.app"),
        system(build / "UIKit.framework");
    ScopedEnv language("LANGUAGE", "pt_BR:en");
    EXPECT_EQ(contacts.localizedObjectForInfoDictionaryKey("CFBundleDisplayName"), "Contatos");
    EXPECT_EQ(contacts.objectForInfoDictionaryKey("CFBundleDisplayName"), "Contacts");
    EXPECT_EQ(home.localizedObjectForInfoDictionaryKey("CFBundleDisplayName"),
              "Tela inicial do Tortamos");
    const struct {
        std::string_view english;
        std::vector<std::string_view> values;
        std::string portuguese;
    } texts[] = {
        {"birthday '%1' is no valid date",
         {"1979-02-30"},
         "aniversário '1979-02-30' não é uma data válida"},
        {"%1, line %2: %3", {"Bia Dois", "9", "…"}, "Bia Dois, linha 9: …"},
        {"Birthday: %1", {"Ana"}, "Aniversário: Ana"},
        {"Born in %1", {"1980"}, "Nasceu em 1980"},
    };
    for (const auto& text : texts)
        EXPECT_EQ(os::substituted(system.localizedStringForKey(text.english), text.values),
                  text.portuguese);
}

TEST(MoCatalog, MalformedFilesAreRejected)
{
    TempDevice device;
    const auto file = device.root() / "bad.mo";
    for (const std::string& bytes : {std::string(), std::string("short"),
                                     std::string("\xde\x12\x04\x95\x00\x00\x00\x00\xff\xff\xff\x7f"
                                                 "\x1c\x00\x00\x00\x1c\x00\x00\x00\x00\x00\x00\x00"
                                                 "\x00\x00\x00\x00",
                                                 28)}) {
        std::ofstream(file, std::ios::binary) << bytes;
        EXPECT_FALSE(os::MoCatalog::load(file).has_value());
    }
    EXPECT_FALSE(os::MoCatalog::load(device.root() / "missing.mo").has_value());
    const auto good = os::MoCatalog::load(std::filesystem::path(TORTAMOS_APP_DIR) /
                                          "locale/pt/LC_MESSAGES/Localizable.mo");
    ASSERT_TRUE(good.has_value());
    EXPECT_GT(good->size(), 40u);
}

TEST(FileAttributes, ModificationDateOfTheLinkItself)
{
    TempDevice device;
    const auto target = device.root() / "target";
    const auto link = device.root() / "link";
    EXPECT_FALSE(os::file_modification_date(target).has_value());
    std::ofstream(target) << "x";
    std::filesystem::last_write_time(target, std::filesystem::file_time_type::clock::now() -
                                                 std::chrono::hours(48));
    std::filesystem::create_symlink(target, link);
    const auto of_link = os::file_modification_date(link);
    const auto of_target = os::file_modification_date(link, true);
    ASSERT_TRUE(of_link && of_target);
    EXPECT_GT(*of_link - *of_target, std::chrono::hours(47));
}

// The widened range takes in the bytes on either side of the array, which belong to others.
TEST(Prefault, KeepsWhatTheMemoryAndItsNeighboursHold)
{
    std::vector<uint32_t> memory(3 * 1024 * 1024);
    for (size_t i = 0; i < memory.size(); ++i)
        memory[i] = static_cast<uint32_t>(i * 2654435761u);
    const std::vector<uint32_t> before = memory;
    os::prefault(memory.data() + 1000, (memory.size() - 2000) * sizeof(uint32_t));
    os::prefault(memory.data(), 0);
    EXPECT_TRUE(memory == before);
}
