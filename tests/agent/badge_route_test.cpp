#include "AgentFixture.h"
#include "HomeScreenFakes.h"

#include <springboard/SpringBoardServices.h>

#include <dlfcn.h>

#include <fstream>

namespace {

using Events = std::vector<std::string>;

class BadgeRoute : public AgentFixture {
protected:
    void SetUp() override {
        AgentFixture::SetUp();
        fakes::register_icon_classes();
        fakes::home_screen_events().clear();
    }
    void running(const std::string& version) {
        agent::environment().systemVersion = [version] { return version; };
    }
    std::filesystem::path services_library() const {
        return device.path(kSpringBoardServicesLibrary);
    }
    void install_library(const char* built) {
        std::filesystem::create_directories(services_library().parent_path());
        std::filesystem::copy_file(built, services_library());
    }
    Events badge_events(const char* text) {
        fakes::home_screen_events().clear();
        badge("com.Qarvex.Tortamos", text);
        return fakes::home_screen_events();
    }
};

TEST_F(BadgeRoute, LaterSystemsSetTheBadgeThroughAnApplicationIconAndRedraw) {
    install_library(SERVICES_LIBRARY); // present, but not the route for 3.x
    running("3.1.3");
    EXPECT_EQ(badge_events("3"), (Events{"icon com.Qarvex.Tortamos=3", "redraw"}));
    EXPECT_EQ(badge_events(""), (Events{"icon com.Qarvex.Tortamos=", "redraw"}));
    EXPECT_EQ(dlopen(services_library().c_str(), RTLD_LAZY | RTLD_NOLOAD), nullptr);
    running("");
    EXPECT_EQ(badge_events("1"), (Events{"icon com.Qarvex.Tortamos=1", "redraw"}));
}

TEST_F(BadgeRoute, SystemsOneAndTwoSetTheBadgeThroughTheServicesLibrary) {
    install_library(SERVICES_LIBRARY);
    for (const char* version : {"2.2.1", "1.1.4"}) {
        running(version);
        EXPECT_EQ(badge_events("2"), Events{"application com.Qarvex.Tortamos=2"}) << version;
        EXPECT_EQ(badge_events(""), Events{"application com.Qarvex.Tortamos="}) << version;
    }
}

TEST_F(BadgeRoute, UnresolvableServicesLibrarySetsNoBadgeAndFailsNothing) {
    running("2.2.1");
    EXPECT_EQ(badge_events("2"), Events{}) << "no library";

    std::filesystem::create_directories(services_library().parent_path());
    std::ofstream(services_library()) << "\x7f" "ELF but not really";
    EXPECT_EQ(badge_events("2"), Events{}) << "not a library";

    std::filesystem::remove(services_library());
    install_library(LIBRARY_WITHOUT_BADGE_FUNCTIONS);
    EXPECT_EQ(badge_events("2"), Events{}) << "a library without the functions";
}

TEST_F(BadgeRoute, CountsReachTheIconThroughSearchNivers) {
    agent::environment().setBadge = badge;
    running("3.1.3");
    bBadge = 1;
    now_running(at(2009, 3, 10, 9, 0));
    add_birthday(1980, 3, 10);
    add_birthday(1990, 3, 10);
    SearchNivers();
    EXPECT_EQ(fakes::home_screen_events(), (Events{"icon com.Qarvex.Tortamos=2", "redraw"}));
}

} // namespace
