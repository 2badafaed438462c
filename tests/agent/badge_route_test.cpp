#include "AgentFixture.h"
#include "RunningHomeScreen.h"
#include "springboard/SpringBoardServices.h"

#include <dlfcn.h>

#include <fstream>

namespace {

class BadgeRoute : public AgentFixture {
protected:
    void SetUp() override
    {
        AgentFixture::SetUp();
        running_home_screen().setBadge("com.Qarvex.Tortamos", "none yet");
    }
    void running(const std::string& version)
    {
        agent::environment().systemVersion = [version] { return version; };
    }
    std::filesystem::path services_library() const
    {
        return device.path(kSpringBoardServicesLibrary);
    }
    void install_library(const char* built)
    {
        std::filesystem::create_directories(services_library().parent_path());
        std::filesystem::copy_file(built, services_library(),
                                   std::filesystem::copy_options::overwrite_existing);
    }
    std::string badge_after(const char* text)
    {
        badge("com.Qarvex.Tortamos", text);
        return running_home_screen().badge("com.Qarvex.Tortamos");
    }
};

TEST_F(BadgeRoute, LaterSystemsSetTheBadgeThroughTheHomeScreensIconClasses)
{
    for (const char* version : {"3.1.3", ""}) {
        running(version);
        EXPECT_EQ(badge_after("3"), "3") << version;
        EXPECT_EQ(badge_after(""), "") << version;
    }
    EXPECT_NE(device.journal().find(" badge com.Qarvex.Tortamos \"3\"\n"), std::string::npos);
}

TEST_F(BadgeRoute, SystemsOneAndTwoSetTheBadgeThroughTheServicesLibraryOnly)
{
    for (const char* version : {"2.2.1", "1.1.4"}) {
        running(version);
        EXPECT_EQ(badge_after("2"), "none yet") << "no library: " << version;
        install_library(SERVICES_LIBRARY);
        EXPECT_EQ(badge_after("2"), "2") << version;
        EXPECT_EQ(badge_after(""), "") << version;
        std::filesystem::remove(services_library());
        running_home_screen().setBadge("com.Qarvex.Tortamos", "none yet");
    }
    running("3.1.3");
    install_library(SERVICES_LIBRARY);
    badge_after("1");
    EXPECT_EQ(dlopen(services_library().c_str(), RTLD_LAZY | RTLD_NOLOAD), nullptr)
        << "later systems never load it";
}

TEST_F(BadgeRoute, UnresolvableServicesLibrarySetsNoBadgeAndFailsNothing)
{
    running("2.2.1");
    std::filesystem::create_directories(services_library().parent_path());
    std::ofstream(services_library()) << "\x7f"
                                         "ELF but not really";
    EXPECT_EQ(badge_after("2"), "none yet") << "not a library";
    install_library(LIBRARY_WITHOUT_BADGE_FUNCTIONS);
    EXPECT_EQ(badge_after("2"), "none yet") << "a library without the functions";
}

TEST_F(BadgeRoute, CountsReachTheIconThroughSearchNivers)
{
    agent::environment().setBadge = badge;
    running("3.1.3");
    bBadge = 1;
    now_running(at(2009, 3, 10, 9, 0));
    add_birthday(1980, 3, 10);
    add_birthday(1990, 3, 10);
    SearchNivers();
    EXPECT_EQ(running_home_screen().badge("com.Qarvex.Tortamos"), "2");
}

} // namespace
