#include "AppBundles.h"
#include "HomeScreen.h"
#include "HomeScreenClasses.h"
#include "IconView.h"
#include "TempDevice.h"
#include "springboard/SpringBoardServices.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// The classes exist once per process, so one test walks through all of them.
TEST(HomeScreenClasses, AnswerWhatExtensionsSendAndReachTheHomeScreen)
{
    TempDevice device;
    write_bundle(device.path("/Applications/Tortamos.app"),
                 entry("CFBundleIdentifier", "com.Qarvex.Tortamos"));
    write_bundle(device.path("/Applications/Other.app"),
                 entry("CFBundleIdentifier", "com.example.other") +
                     entry("CFBundleDisplayName", "Other"));
    springboard::HomeScreen home(springboard::installed_applications(device.path("/Applications")),
                                 [](const springboard::InstalledApplication&) {});

    EXPECT_EQ(SBSSpringBoardServerPort(), 0u) << "no home screen runs in this process yet";
    EXPECT_NE(SBSetApplicationBadge(static_cast<mach_port_t>(getpid()), "com.Qarvex.Tortamos", "9"),
              0);

    id springboard = springboard::define_home_screen_classes(home);
    ASSERT_NE(springboard, nullptr);
    EXPECT_EQ(springboard::define_home_screen_classes(home), nullptr) << "once per process";
    EXPECT_EQ(object_getClass(springboard), objc_getClass("SpringBoard"));

    id controller =
        objc_msgSend(objc_getClass("SBApplicationController"), "sharedInstance").object();
    EXPECT_EQ(objc_msgSend(objc_getClass("SBApplicationController"), "sharedInstance").object(),
              controller);
    id tortamos =
        objc_msgSend(controller, "applicationWithDisplayIdentifier:", "com.Qarvex.Tortamos")
            .object();
    ASSERT_NE(tortamos, nullptr);
    EXPECT_EQ(objc_msgSend(tortamos, "displayIdentifier").text(), "com.Qarvex.Tortamos");
    id other =
        objc_msgSend(controller, "applicationWithDisplayIdentifier:", "com.example.other").object();
    EXPECT_EQ(objc_msgSend(other, "displayName").text(), "Other");
    EXPECT_TRUE(
        objc_msgSend(controller, "applicationWithDisplayIdentifier:", "com.example.none").isNil());

    // The route of later systems: an icon made for the application carries the badge.
    id icon = objc_msgSend(objc_getClass("SBApplicationIcon"), "alloc").object();
    icon = objc_msgSend(icon, "initWithApplication:", tortamos).object();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(objc_msgSend(icon, "application").object(), tortamos);
    objc_msgSend(icon, "setBadge:", "2");
    objc_release(icon);
    EXPECT_EQ(home.badge("com.Qarvex.Tortamos"), "2");
    EXPECT_EQ(objc_msgSend(tortamos, "badge").text(), "2");
    objc_msgSend(objc_msgSend(objc_getClass("SBIconModel"), "sharedInstance").object(),
                 "noteIconStateChangedExternally");

    id orphan = objc_msgSend(objc_getClass("SBApplicationIcon"), "alloc").object();
    EXPECT_TRUE(objc_msgSend(orphan, "initWithApplication:", nullptr).isNil())
        << "an icon needs an application";

    // The route of older systems, through the services library.
    const mach_port_t port = SBSSpringBoardServerPort();
    EXPECT_EQ(port, static_cast<mach_port_t>(getpid()));
    EXPECT_EQ(SBSetApplicationBadge(port, "com.Qarvex.Tortamos", "5"), 0);
    EXPECT_EQ(home.badge("com.Qarvex.Tortamos"), "5");
    EXPECT_NE(SBSetApplicationBadge(port + 1, "com.Qarvex.Tortamos", "6"), 0);
    EXPECT_NE(SBSetApplicationBadge(port, "com.example.none", "6"), 0);
    EXPECT_NE(SBSetApplicationBadge(port, nullptr, "6"), 0);
    EXPECT_NE(SBSetApplicationBadge(port, "com.Qarvex.Tortamos", nullptr), 0);
    EXPECT_EQ(home.badge("com.Qarvex.Tortamos"), "5");

    // The application's own launch shows the home screen with the badges so far.
    objc_msgSend(springboard, "applicationDidFinishLaunching:", Value());
    ASSERT_EQ(home.icons().size(), 2u);
    EXPECT_EQ(home.icons()[1]->identifier(), "com.Qarvex.Tortamos");
    EXPECT_EQ(home.icons()[1]->badge(), "5");

    const std::string journal = device.journal();
    EXPECT_NE(journal.find("badge com.Qarvex.Tortamos \"2\"\n"), std::string::npos) << journal;
    EXPECT_NE(journal.find("badge com.Qarvex.Tortamos \"5\"\n"), std::string::npos) << journal;
    EXPECT_EQ(journal.find("\"6\""), std::string::npos) << journal;
    EXPECT_EQ(journal.find("\"9\""), std::string::npos) << journal;
}

} // namespace
