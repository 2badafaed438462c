#include "AppBundles.h"
#include "HomeScreen.h"
#include "IconView.h"
#include "TempDevice.h"
#include "uikit/Automation.h"

#include <gtest/gtest.h>

namespace {

using springboard::HomeScreen;
using springboard::InstalledApplication;

class HomeScreenTest : public ::testing::Test {
protected:
    HomeScreenTest()
    {
        for (int i = 1; i <= 6; ++i) {
            const std::string name = "App" + std::to_string(i);
            write_bundle(device.path("/Applications/" + name + ".app"),
                         entry("CFBundleIdentifier", "com.example." + name));
        }
    }
    HomeScreen make()
    {
        return HomeScreen(
            springboard::installed_applications(device.path("/Applications")),
            [this](const InstalledApplication& app) { launched.push_back(app.identifier); });
    }
    TempDevice device;
    std::vector<std::string> launched;
};

TEST_F(HomeScreenTest, EveryBadgeSetIsAJournalLineAndOnlyInstalledApplicationsHaveBadges)
{
    HomeScreen home = make();
    EXPECT_TRUE(home.setBadge("com.example.App2", "3"));
    EXPECT_TRUE(home.setBadge("com.example.App2", "3"));
    EXPECT_TRUE(home.setBadge("com.example.App5", "say \"hi\""));
    EXPECT_TRUE(home.setBadge("com.example.App2", ""));
    EXPECT_FALSE(home.setBadge("com.example.Missing", "1"));
    EXPECT_EQ(home.badge("com.example.App5"), "say \"hi\"");
    EXPECT_EQ(home.badge("com.example.App2"), "");

    std::string journal = device.journal();
    std::vector<std::string> events;
    for (size_t line = 0; line < journal.size();) {
        const size_t end = journal.find('\n', line);
        const std::string text = journal.substr(line, end - line);
        events.push_back(text.substr(text.find(' ') + 1));
        line = end + 1;
    }
    EXPECT_EQ(events, (std::vector<std::string>{"badge com.example.App2 \"3\"",
                                                "badge com.example.App2 \"3\"",
                                                "badge com.example.App5 \"say \\\"hi\\\"\"",
                                                "badge com.example.App2 \"\""}));
}

TEST_F(HomeScreenTest, ShowsTheIconsFourToARowWithTheBadgesSetBefore)
{
    HomeScreen home = make();
    home.setBadge("com.example.App3", "12");
    home.show();
    uikit::runPendingWork();
    const auto& icons = home.icons();
    ASSERT_EQ(icons.size(), 6u);
    EXPECT_EQ(icons[0]->identifier(), "com.example.App1");
    EXPECT_EQ(icons[1]->screenFrame().origin.y, icons[0]->screenFrame().origin.y);
    EXPECT_GT(icons[1]->screenFrame().origin.x, icons[0]->screenFrame().origin.x);
    EXPECT_GT(icons[4]->screenFrame().origin.y, icons[3]->screenFrame().origin.y);
    EXPECT_EQ(icons[4]->screenFrame().origin.x, icons[0]->screenFrame().origin.x);
    EXPECT_EQ(icons[2]->badge(), "12");
    EXPECT_EQ(icons[0]->badge(), "");

    home.setBadge("com.example.App1", "1");
    EXPECT_EQ(icons[0]->badge(), "1");

    const std::string dump = uikit::dumpScreen().toJson();
    EXPECT_NE(dump.find("\"badge\": \"12\""), std::string::npos) << dump;
    EXPECT_NE(dump.find("\"text\": \"App6\""), std::string::npos) << dump;
}

TEST_F(HomeScreenTest, TappingAnIconLaunchesItsApplication)
{
    HomeScreen home = make();
    home.show();
    uikit::runPendingWork();
    ASSERT_TRUE(uikit::tap("App5"));
    uikit::runPendingWork();
    const CGRect first = home.icons()[0]->screenFrame();
    uikit::tapAt({first.origin.x + first.size.width / 2, first.origin.y + 30});
    uikit::runPendingWork();
    EXPECT_EQ(launched, (std::vector<std::string>{"com.example.App5", "com.example.App1"}));
}

} // namespace
