// The birthdays of the device reach a phone's calendar the way people sync calendars: `contacts
// calendar` keeps a vdir folder, vdirsyncer pushes it to a CalDAV server, and the server's own
// answer to a calendar query has the events with their reminders, on the days they fall.
#include "RadicaleServer.h"
#include "TempDevice.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

const std::string kBin = TORTAMOS_BIN_DIR;
// Every command is bounded, so a server that stops answering fails the test instead of hanging it.
const std::string kBounded = "timeout 60 ";

class CalDavBirthdays : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(folder / "status");
        std::ofstream(folder / "vdirsyncer.conf")
            << "[general]\nstatus_path = \"" << (folder / "status").string() << "/\"\n\n"
            << "[pair phone]\na = \"phone_birthdays\"\nb = \"server_birthdays\"\n"
               "collections = null\nconflict_resolution = \"a wins\"\n\n"
            << "[storage phone_birthdays]\ntype = \"filesystem\"\npath = \""
            << (folder / "vdir").string() << "/\"\nfileext = \".ics\"\n\n"
            << "[storage server_birthdays]\ntype = \"caldav\"\nurl = \""
            << server.url("/ana/birthdays/") << "\"\nusername = \"ana\"\npassword = \"-\"\n";
    }

    // The device's birthdays into the folder, the folder onto the server.
    void push_birthdays()
    {
        ASSERT_EQ(run_command(kBin + "/contacts calendar '" + (folder / "vdir").string() +
                              "' --remind 0,3 --at 08:00 >/dev/null"),
                  0);
        const std::string vdirsyncer =
            kBounded + "vdirsyncer -c '" + (folder / "vdirsyncer.conf").string() + "' ";
        ASSERT_EQ(run_command(vdirsyncer + "discover </dev/null >/dev/null 2>&1"), 0);
        ASSERT_EQ(run_command(vdirsyncer + "sync </dev/null >/dev/null 2>&1"), 0);
    }

    // The calendar data of the server's events that fall between the two UTC moments.
    std::string events_between(const std::string& start, const std::string& end)
    {
        const auto answer = folder / "answer.xml";
        const std::string query =
            "<?xml version=\"1.0\"?><C:calendar-query xmlns:D=\"DAV:\" "
            "xmlns:C=\"urn:ietf:params:xml:ns:caldav\"><D:prop><C:calendar-data/></D:prop>"
            "<C:filter><C:comp-filter name=\"VCALENDAR\"><C:comp-filter name=\"VEVENT\">"
            "<C:time-range start=\"" +
            start + "\" end=\"" + end +
            "\"/></C:comp-filter></C:comp-filter></C:filter></C:calendar-query>";
        EXPECT_EQ(run_command(kBounded +
                              "curl -sf -u ana:- -X REPORT -H 'Depth: 1' -H "
                              "'Content-Type: application/xml' --data '" +
                              query + "' " + server.url("/ana/birthdays/") + " -o '" +
                              answer.string() + "'"),
                  0);
        std::ifstream in(answer, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    TempDevice device;
    const std::filesystem::path folder = device.root() / "caldav";
    RadicaleServer server{device.root() / "radicale"};
};

TEST_F(CalDavBirthdays, EventsPushedByVdirsyncerComeBackFromTheServerWithTheirReminders)
{
    ASSERT_TRUE(server.running()) << "radicale did not start";
    ASSERT_EQ(run_command(kBounded +
                          "curl -sf -o /dev/null -u ana:- -X MKCOL -H 'Content-Type: "
                          "application/xml' --data '<?xml version=\"1.0\"?><mkcol "
                          "xmlns=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:caldav\">"
                          "<set><prop><resourcetype><collection/><C:calendar/>"
                          "</resourcetype></prop></set></mkcol>' " +
                          server.url("/ana/birthdays/")),
              0);
    for (const auto* person :
         {"--first Ana --birthday 1980-02-29", "--first Bo --birthday 1990-07-01"})
        ASSERT_EQ(run_command(kBin + "/contacts add " + person + " >/dev/null"), 0);
    push_birthdays();

    // 2025 is a common year: the server finds Ana's birthday on 1 March, as the device keeps it.
    const auto march = events_between("20250301T000000Z", "20250302T000000Z");
    EXPECT_NE(march.find("SUMMARY:Birthday: Ana"), std::string::npos) << march;
    EXPECT_NE(march.find("TRIGGER:PT8H"), std::string::npos) << march;
    EXPECT_NE(march.find("TRIGGER:-P2DT16H"), std::string::npos) << "three days ahead at 08:00";
    EXPECT_EQ(march.find("Birthday: Bo"), std::string::npos) << march;
    EXPECT_NE(events_between("20260701T000000Z", "20260702T000000Z").find("SUMMARY:Birthday: Bo"),
              std::string::npos);

    // Bo leaves the address book: the next push takes the event off the server.
    ASSERT_EQ(run_command(kBin + "/contacts remove 2 >/dev/null"), 0);
    push_birthdays();
    const auto all = events_between("19000101T000000Z", "21000101T000000Z");
    EXPECT_NE(all.find("Birthday: Ana"), std::string::npos) << all;
    EXPECT_EQ(all.find("Birthday: Bo"), std::string::npos) << all;
}

} // namespace
