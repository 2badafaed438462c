// Contacts kept on a CardDAV server reach the device through the tools people use: vdirsyncer
// mirrors the server's address book into a vdir folder, `contacts sync` mirrors that folder into
// the address book, and the running home screen's badge follows at its next ten-second tick.
#include "RadicaleServer.h"
#include "SpringBoardProcess.h"
#include "TempDevice.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

const std::string kBin = TORTAMOS_BIN_DIR;
const std::string kBadge = " badge com.Qarvex.Tortamos ";
// Every command is bounded, so a server that stops answering fails the test instead of hanging it.
const std::string kBounded = "timeout 60 ";

std::string vcard(const std::string& uid, const std::string& first, const std::string& birthday)
{
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:" + uid + "\r\nN:;" + first + ";;;\r\nFN:" + first +
           "\r\nBDAY:" + birthday +
           "\r\nitem1.X-ABDATE:2015-06-03\r\nitem1.X-ABLabel:_$!<Anniversary>!$_\r\nEND:VCARD\r\n";
}

class CardDavSync : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(install_built_device(device));
        std::filesystem::create_directories(folder / "vdir");
        std::filesystem::create_directories(folder / "status");
        std::ofstream(folder / "vdirsyncer.conf")
            << "[general]\nstatus_path = \"" << (folder / "status").string() << "/\"\n\n"
            << "[pair phone]\na = \"phone_contacts\"\nb = \"server_contacts\"\n"
               "collections = null\nconflict_resolution = \"b wins\"\n\n"
            << "[storage phone_contacts]\ntype = \"filesystem\"\npath = \""
            << (folder / "vdir").string() << "/\"\nfileext = \".vcf\"\n\n"
            << "[storage server_contacts]\ntype = \"carddav\"\nurl = \""
            << server.url("/ana/contacts/") << "\"\nusername = \"ana\"\npassword = \"-\"\n";
    }

    int curl(const std::string& arguments)
    {
        return run_command(kBounded + "curl -sf -o /dev/null -u ana:- " + arguments);
    }
    void put_on_server(const std::string& uid, const std::string& first,
                       const std::string& birthday)
    {
        const auto file = folder / (uid + ".vcf");
        std::ofstream(file, std::ios::binary) << vcard(uid, first, birthday);
        ASSERT_EQ(curl("-H 'Content-Type: text/vcard' -T '" + file.string() + "' " +
                       server.url("/ana/contacts/" + uid + ".vcf")),
                  0);
    }
    // What a phone's sync job runs: the server into the folder, the folder into the book.
    void sync_device()
    {
        const std::string vdirsyncer =
            kBounded + "vdirsyncer -c '" + (folder / "vdirsyncer.conf").string() + "' ";
        ASSERT_EQ(run_command(vdirsyncer + "discover </dev/null >/dev/null 2>&1"), 0);
        ASSERT_EQ(run_command(vdirsyncer + "sync </dev/null >/dev/null 2>&1"), 0);
        ASSERT_EQ(run_command(kBounded + kBin + "/contacts sync '" + (folder / "vdir").string() +
                              "' >/dev/null"),
                  0);
    }

    TempDevice device;
    const std::filesystem::path folder = device.root() / "carddav";
    RadicaleServer server{device.root() / "radicale"};
};

TEST_F(CardDavSync, ContactsOnTheServerReachTheBadgeOfTheRunningHomeScreen)
{
    ASSERT_TRUE(server.running()) << "radicale did not start";
    ASSERT_EQ(curl("-X MKCOL -H 'Content-Type: application/xml' --data '<?xml version=\"1.0\"?>"
                   "<mkcol xmlns=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:carddav\"><set><prop>"
                   "<resourcetype><collection/><C:addressbook/></resourcetype></prop></set>"
                   "</mkcol>' " +
                   server.url("/ana/contacts/")),
              0);
    put_on_server("bruno-1", "Bruno", "1985-05-10");
    put_on_server("carla-2", "Carla", "1990-07-01");
    ASSERT_EQ(run_command(kBin + "/contacts add --first Hand --birthday 1970-05-10 >/dev/null"), 0);
    sync_device();
    // The server's copy of a card keeps its anniversary, and so does the device.
    const auto list = folder / "list.txt";
    ASSERT_EQ(run_command(kBin + "/contacts list >'" + list.string() + "'"), 0);
    std::ifstream listed(list);
    const std::string persons{std::istreambuf_iterator<char>(listed), {}};
    EXPECT_NE(persons.find("\tBruno\t1985-05-10\t\tanniversary:2015-06-03\n"), std::string::npos)
        << persons;

    SpringBoardProcess home(device, "2024-05-10 09:00:00");
    std::string journal = wait_for_journal(device, kBadge + "\"2\"");
    ASSERT_NE(journal.find(kBadge + "\"2\""), std::string::npos) << journal;

    // Carla's birthday moves to today on the server, and Dora comes: four at the next tick.
    put_on_server("carla-2", "Carla", "1990-05-10");
    put_on_server("dora-3", "Dora", "2000-05-10");
    sync_device();
    journal = wait_for_journal(device, kBadge + "\"4\"");
    EXPECT_NE(journal.find(kBadge + "\"4\""), std::string::npos) << journal;

    // Bruno is deleted on the server; the person added by hand stays.
    ASSERT_EQ(curl("-X DELETE " + server.url("/ana/contacts/bruno-1.vcf")), 0);
    sync_device();
    journal = wait_for_journal(device, kBadge + "\"3\"");
    EXPECT_NE(journal.find(kBadge + "\"3\""), std::string::npos) << journal;
    EXPECT_TRUE(home.running());
}

} // namespace
