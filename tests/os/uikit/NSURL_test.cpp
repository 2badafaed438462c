#include "TempDevice.h"
#include "uikit/Automation.h"
#include "uikit/NSURL.h"
#include "uikit/OpenURLOrOfferCopy.h"
#include "uikit/UIApplication.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace {

namespace fs = std::filesystem;

TEST(NSURL, ParsesURLsAndKeepsTheirText)
{
    auto sms = NSURL::URLWithString("sms:+551198765432");
    ASSERT_TRUE(sms);
    EXPECT_EQ(sms->absoluteString(), "sms:+551198765432");
    EXPECT_EQ(sms->scheme(), "sms");
    EXPECT_EQ(sms->encodedString(), "sms:+551198765432");

    auto mail = NSURL::URLWithString("MAILTO:ana@example.com");
    ASSERT_TRUE(mail);
    EXPECT_EQ(mail->scheme(), "mailto");
}

TEST(NSURL, GivesNoURLForTextOutsideURLSyntax)
{
    for (const char* text : {"", "sms:+55 11 9876", "sms:+55\u00A011", "sms:12\"3", "sms:1%2",
                             "sms:12|3", "sms:12\\3", "sms:12\n3", "http://exa mple.com"})
        EXPECT_FALSE(NSURL::URLWithString(text)) << text;
}

TEST(UIApplicationOpenURL, WritesTheURLToTheJournalOnlyWhenThereIsOne)
{
    TempDevice device;
    UIApplication* application = UIApplication::sharedApplication();
    EXPECT_FALSE(application->openURL(nullptr));
    // A relative reference names nothing to open.
    EXPECT_FALSE(application->openURL(NSURL::URLWithString("1198765432").get()));
    EXPECT_EQ(device.journal(), "");

    EXPECT_TRUE(application->openURL(NSURL::URLWithString("sms:1198765432").get()));
    EXPECT_TRUE(application->openURL(NSURL::URLWithString("mailto:a%20b@example.com").get()));
    const std::string journal = device.journal();
    EXPECT_NE(journal.find(" openURL sms:1198765432\n"), std::string::npos) << journal;
    EXPECT_NE(journal.find(" openURL mailto:a%20b@example.com\n"), std::string::npos) << journal;
}

// A stand-in xdg-open, first on PATH, writes each URL it is given to a file beside the device.
class DesktopOpener {
public:
    explicit DesktopOpener(const fs::path& folder) : opened_(folder / "opened")
    {
        fs::create_directories(folder / "bin");
        std::ofstream(folder / "bin/xdg-open")
            << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << opened_.string() << "'\n";
        fs::permissions(folder / "bin/xdg-open", fs::perms::owner_all);
        const char* path = std::getenv("PATH");
        previousPath_ = path ? path : "";
        setenv("PATH", ((folder / "bin").string() + ":" + previousPath_).c_str(), 1);
    }
    ~DesktopOpener() { setenv("PATH", previousPath_.c_str(), 1); }

    // The URLs opened, once the file holds the text or two seconds have passed.
    std::string opened(const std::string& text) const
    {
        std::string content;
        for (int tries = 0; tries < 40 && content.find(text) == std::string::npos; ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            std::ifstream in(opened_);
            content.assign(std::istreambuf_iterator<char>(in), {});
        }
        return content;
    }

private:
    fs::path opened_;
    std::string previousPath_;
};

TEST(UIApplicationOpenURL, HandsTheURLToTheDesktopOnlyOnTheDeviceOfADesktopUser)
{
    TempDevice device;
    DesktopOpener opener(device.root() / "desktop");
    UIApplication* application = UIApplication::sharedApplication();

    // A test's device, as the demo's: the journal only.
    EXPECT_TRUE(application->openURL(NSURL::URLWithString("sms:111").get()));
    EXPECT_EQ(opener.opened("sms:111"), "");

    // The device the desktop's launcher laid out carries the package version.
    fs::create_directories(device.path("/var/lib/tortamos"));
    std::ofstream(device.path("/var/lib/tortamos/installed-version")) << "2.0.0\n";
    EXPECT_TRUE(application->openURL(NSURL::URLWithString("tel:222").get()));
    EXPECT_TRUE(application->openURL(NSURL::URLWithString("mailto:ana@example.com").get()));
    const std::string opened = opener.opened("mailto:ana@example.com");
    EXPECT_NE(opened.find("tel:222\n"), std::string::npos) << opened;
    EXPECT_NE(opened.find("mailto:ana@example.com\n"), std::string::npos) << opened;
    EXPECT_EQ(opened.find("sms:111"), std::string::npos) << opened;
    EXPECT_NE(device.journal().find(" openURL tel:222\n"), std::string::npos) << device.journal();

    // A URL longer than the system passes to a program never reaches the opener: not opened,
    // and the journal says so.
    const std::string huge = "sms:" + std::string(200000, '1');
    EXPECT_FALSE(application->openURL(NSURL::URLWithString(huge).get()));
    const std::string journal = device.journal();
    EXPECT_EQ(journal.find("openURL sms:1111"), std::string::npos);
    EXPECT_NE(journal.find(" URL not opened (xdg-open did not start: "), std::string::npos)
        << journal;
    EXPECT_NE(journal.find("): sms: URL of 200004 bytes\n"), std::string::npos) << journal;
}

// The desktop's xdg-mime names a program for tel: only: a text message is offered for copying.
TEST(UIApplicationOpenURL, AURLThatNoProgramOfTheDesktopOpensIsOfferedForCopyingInstead)
{
    TempDevice device;
    DesktopOpener opener(device.root() / "desktop");
    const fs::path mime = device.root() / "desktop/bin/xdg-mime";
    std::ofstream(mime) << "#!/bin/sh\n[ \"$3\" = x-scheme-handler/tel ] && echo kde.desktop\n"
                           "exit 0\n";
    fs::permissions(mime, fs::perms::owner_all);
    UIApplication* application = UIApplication::sharedApplication();
    EXPECT_TRUE(application->canOpenURL(NSURL::URLWithString("sms:111").get()))
        << "a test's device opens every URL into its journal";
    fs::create_directories(device.path("/var/lib/tortamos"));
    std::ofstream(device.path("/var/lib/tortamos/installed-version")) << "2.0.0\n";
    EXPECT_TRUE(application->canOpenURL(NSURL::URLWithString("tel:111").get()));
    EXPECT_FALSE(application->canOpenURL(NSURL::URLWithString("sms:111").get()));

    EXPECT_TRUE(uikit::openURLOrOfferCopy(NSURL::URLWithString("tel:222").get(), "222"));
    EXPECT_FALSE(
        uikit::openURLOrOfferCopy(NSURL::URLWithString("sms:1198765432").get(), "(11) 9876-5432"));
    uikit::runPendingWork();
    const uikit::DumpRecord screen = uikit::dumpScreen();
    EXPECT_NE(screen.toJson().find("Cannot Send Message"), std::string::npos);
    ASSERT_TRUE(uikit::tap("Copy Number"));
    uikit::runPendingWork();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "(11) 9876-5432");
    EXPECT_NE(opener.opened("tel:222").find("tel:222"), std::string::npos);
    EXPECT_EQ(device.journal().find("openURL sms:"), std::string::npos) << device.journal();
}

TEST(NSURL, PercentEncodingKeepsOnlyUnreservedAndChosenCharacters)
{
    EXPECT_EQ(NSURLPercentEncoded("a-Z.9_~"), "a-Z.9_~");
    EXPECT_EQ(NSURLPercentEncoded("+55 11;x", "+;"), "+55%2011;x");
    EXPECT_EQ(NSURLPercentEncoded("ana@exa mple.com", "@"), "ana@exa%20mple.com");
    EXPECT_EQ(NSURLPercentEncoded("\xC3\xA9%"), "%C3%A9%25");
    EXPECT_EQ(NSURLPercentEncoded(""), "");
}

} // namespace
