#include "AppBundles.h"
#include "InstalledApplications.h"
#include "TempDevice.h"

#include <gtest/gtest.h>

namespace {

using springboard::installed_applications;

TEST(InstalledApplications, AreTheIdentifiedBundlesInOrderOfTheirNames)
{
    TempDevice device;
    const auto apps = device.path("/Applications");
    write_bundle(apps / "Zeta.app", entry("CFBundleIdentifier", "com.example.zeta") +
                                        entry("CFBundleDisplayName", "Zeta &amp; Co") +
                                        entry("CFBundleName", "Ignored") +
                                        entry("CFBundleExecutable", "ZetaBin") +
                                        entry("CFBundleIconFile", "zeta.png"));
    write_bundle(apps / "Alpha.app", entry("CFBundleName", "Alpha Name") +
                                         entry("CFBundleIdentifier", "com.example.alpha"));
    write_bundle(apps / "Bare.app", entry("CFBundleIdentifier", "com.example.bare"));
    write_bundle(apps / "NoIdentifier.app", entry("CFBundleName", "Nobody"));
    std::filesystem::create_directories(apps / "NoPlist.app");
    std::filesystem::create_directories(apps / "Folder");
    std::ofstream(apps / "File.app") << "not a bundle";

    const auto found = installed_applications(apps);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].identifier, "com.example.alpha");
    EXPECT_EQ(found[0].displayName, "Alpha Name");
    EXPECT_EQ(found[0].executable, apps / "Alpha.app" / "Alpha");
    EXPECT_EQ(found[0].icon, apps / "Alpha.app" / "icon.png");
    EXPECT_EQ(found[1].displayName, "Bare");
    EXPECT_EQ(found[2].identifier, "com.example.zeta");
    EXPECT_EQ(found[2].displayName, "Zeta & Co");
    EXPECT_EQ(found[2].bundle, apps / "Zeta.app");
    EXPECT_EQ(found[2].executable, apps / "Zeta.app" / "ZetaBin");
    EXPECT_EQ(found[2].icon, apps / "Zeta.app" / "zeta.png");
}

TEST(InstalledApplications, FilesNamedByABundleStayInsideIt)
{
    TempDevice device;
    const auto apps = device.path("/Applications");
    write_bundle(apps / "Sly.app", entry("CFBundleIdentifier", "com.example.sly") +
                                       entry("CFBundleExecutable", "../../../bin/sh") +
                                       entry("CFBundleIconFile", ".."));
    const auto found = installed_applications(apps);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].executable, apps / "Sly.app" / "sh");
    EXPECT_EQ(found[0].icon, apps / "Sly.app" / "icon.png");
}

TEST(InstalledApplications, MissingFolderHasNone)
{
    TempDevice device;
    EXPECT_TRUE(installed_applications(device.path("/Applications")).empty());
}

} // namespace
