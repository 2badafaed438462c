#include <uikit/NSURL.h>
#include <uikit/UIApplication.h>

#include "TempDevice.h"

#include <gtest/gtest.h>

namespace {

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

TEST(NSURL, PercentEncodingKeepsOnlyUnreservedAndChosenCharacters)
{
    EXPECT_EQ(NSURLPercentEncoded("a-Z.9_~"), "a-Z.9_~");
    EXPECT_EQ(NSURLPercentEncoded("+55 11;x", "+;"), "+55%2011;x");
    EXPECT_EQ(NSURLPercentEncoded("ana@exa mple.com", "@"), "ana@exa%20mple.com");
    EXPECT_EQ(NSURLPercentEncoded("\xC3\xA9%"), "%C3%A9%25");
    EXPECT_EQ(NSURLPercentEncoded(""), "");
}

} // namespace
