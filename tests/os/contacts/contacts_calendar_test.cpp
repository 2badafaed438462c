// `contacts calendar`: what the birthdays look like to calendar programs, read back with libical
// and with a second reader (Python's icalendar), and what a rerun leaves alone.
#include "ContactsToolRun.h"
#include "TempDevice.h"
#include "foundation/Device.h"
#include "foundation/DeviceIdentifier.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <map>
#include <memory>

namespace {

namespace fs = std::filesystem;

struct FreeComponent {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, FreeComponent>;

// One event as a calendar program sees it: what it shows, the days it falls on in a common and
// a leap year, and when its reminders go off, in seconds from the start of the day.
struct Seen {
    std::string summary;
    std::string description;
    std::string in_2023;
    std::string in_2024;
    std::vector<int> triggers;
    friend bool operator==(const Seen&, const Seen&) = default;
};

void PrintTo(const Seen& seen, std::ostream* out)
{
    *out << seen.summary << " | " << seen.description << " | " << seen.in_2023 << " "
         << seen.in_2024 << " |";
    for (const int trigger : seen.triggers)
        *out << " " << trigger;
}

std::string occurrence_in(icalcomponent* event, int year)
{
    const icalproperty* rule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
    const icaltimetype start = icalcomponent_get_dtstart(event);
    icalrecur_iterator* it = icalrecur_iterator_new(icalproperty_get_rrule(rule), start);
    std::string found;
    for (icaltimetype day = icalrecur_iterator_next(it);
         !icaltime_is_null_time(day) && day.year <= year && found.empty();
         day = icalrecur_iterator_next(it))
        if (day.year == year)
            found = icaltime_as_ical_string(day);
    icalrecur_iterator_free(it);
    return found;
}

// The events of a calendar text by UID, read with libical. The first occurrence must be the
// start itself, or a calendar shows a day the rule never gives.
std::map<std::string, Seen> read_with_libical(const std::string& text)
{
    std::map<std::string, Seen> events;
    const Component calendar(icalparser_parse_string(text.c_str()));
    if (!calendar)
        return events;
    for (icalcomponent* event =
             icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
         event; event = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
        Seen seen{icalcomponent_get_summary(event),
                  "",
                  occurrence_in(event, 2023),
                  occurrence_in(event, 2024),
                  {}};
        if (const char* description = icalcomponent_get_description(event))
            seen.description = description;
        const icaltimetype start = icalcomponent_get_dtstart(event);
        EXPECT_EQ(occurrence_in(event, start.year), icaltime_as_ical_string(start)) << seen.summary;
        for (icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
             alarm; alarm = icalcomponent_get_next_component(event, ICAL_VALARM_COMPONENT)) {
            const auto trigger = icalproperty_get_trigger(
                icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY));
            seen.triggers.push_back(icaldurationtype_as_int(trigger.duration));
        }
        events[icalcomponent_get_uid(event)] = seen;
    }
    return events;
}

// "UID|SUMMARY|DTSTART|TRIGGER seconds..." per event of the files, read by Python's icalendar.
std::string read_with_python(const TempDevice& device, const std::vector<fs::path>& files)
{
    const auto script = device.root() / "read.py";
    write_text(
        script,
        "import sys, icalendar\n"
        "for name in sys.argv[1:]:\n"
        "    for e in icalendar.Calendar.from_ical(open(name, 'rb').read()).walk('VEVENT'):\n"
        "        t = [str(int(a['TRIGGER'].dt.total_seconds())) for a in e.walk('VALARM')]\n"
        "        print('|'.join([str(e['UID']), str(e['SUMMARY']),\n"
        "                        e['DTSTART'].dt.isoformat()] + t))\n");
    std::string command = "/usr/bin/python3 " + quoted(script.string());
    for (const auto& file : files)
        command += " " + quoted(file.string());
    const auto out = device.root() / "python.txt";
    EXPECT_EQ(run_command(command + " >" + quoted(out.string())), 0);
    return read_text(out);
}

// The suffix of the UIDs of persons added on this device.
std::string here()
{
    std::error_code error;
    return "@" + os::device_identifier(error).value_or("?");
}

void add(const TempDevice& device, const std::vector<std::string>& args)
{
    auto all = args;
    all.insert(all.begin(), "add");
    ASSERT_EQ(contacts_tool(device, all).status, 0);
}

} // namespace

TEST(ContactsCalendar, EachBirthdayIsAYearlyEventWithItsRemindersForEveryReader)
{
    TempDevice device;
    add(device, {"--first", "Ana", "--last", "Silva, Júnior", "--birthday", "1980-02-29"});
    add(device, {"--first", "Костя", "--last", "Константинопольский-Преображенский", "--birthday",
                 "--02-29"});
    add(device, {"--first", "Sem", "--last", "Data"});
    const auto card = device.root() / "bo.vcf";
    write_text(card, "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:urn:uuid:bo/1\r\nN:;Bo;;;\r\nFN:Bo\r\n"
                     "BDAY:1990-07-01\r\nEND:VCARD\r\n");
    ASSERT_EQ(contacts_tool(device, {"import", card.string()}).status, 0);

    const auto folder = device.root() / "birthdays";
    const auto file = device.root() / "birthdays.ics";
    const auto made =
        contacts_tool(device, {"calendar", folder, "--remind", "7,0", "--at", "08:30"});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.out, "added 3, updated 0, removed 0, unchanged 0\n");
    ASSERT_EQ(
        contacts_tool(device, {"calendar", "--ics", file, "--remind=0,7", "--at=08:30"}).status, 0);

    const int on_the_day = 8 * 3600 + 30 * 60, week_ahead = on_the_day - 7 * 86400;
    const std::map<std::string, Seen> expected = {
        {"person-1-birthday" + here(),
         {"Birthday: Ana Silva, Júnior",
          "Born in 1980",
          "20230301",
          "20240229",
          {on_the_day, week_ahead}}},
        {"person-2-birthday" + here(),
         {"Birthday: Костя Константинопольский-Преображенский",
          "",
          "20230301",
          "20240229",
          {on_the_day, week_ahead}}},
        {"urn:uuid:bo/1-birthday",
         {"Birthday: Bo", "Born in 1990", "20230701", "20240701", {on_the_day, week_ahead}}},
    };
    const std::vector<fs::path> files = {folder / ("person-1-birthday" + here() + ".ics"),
                                         folder / ("person-2-birthday" + here() + ".ics"),
                                         folder / "urn_3Auuid_3Abo_2F1-birthday.ics"};
    std::map<std::string, Seen> in_folder;
    for (const auto& path : files)
        in_folder.merge(read_with_libical(read_text(path)));
    EXPECT_EQ(in_folder, expected);
    EXPECT_EQ(read_with_libical(read_text(file)), expected);

    const std::string python = "person-1-birthday" + here() +
                               "|Birthday: Ana Silva, Júnior|1980-02-29|30600|-574200\n"
                               "person-2-birthday" +
                               here() +
                               "|Birthday: Костя "
                               "Константинопольский-Преображенский|1900-03-01|30600|-574200\n"
                               "urn:uuid:bo/1-birthday|Birthday: Bo|1990-07-01|30600|-574200\n";
    EXPECT_EQ(read_with_python(device, files), python);
    EXPECT_EQ(read_with_python(device, {file}), python);
}

TEST(ContactsCalendar, ARerunWritesOnlyWhatChangedAndRemovesOnlyItsOwnEventsOfPersonsGone)
{
    TempDevice device;
    add(device, {"--first", "Ana", "--birthday", "1980-03-05"});
    add(device, {"--first", "Bo", "--birthday", "1990-07-01"});
    add(device, {"--first", "Cy", "--birthday", "--12-24"});
    const auto folder = device.root() / "birthdays";
    ASSERT_EQ(contacts_tool(device, {"calendar", folder}).status, 0);
    // What other programs keep in the same folder.
    write_text(folder / "dentist.ics",
               "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\n"
               "BEGIN:VEVENT\r\nUID:dentist\r\nDTSTAMP:20240101T000000Z\r\n"
               "DTSTART:20240102T100000Z\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    write_text(folder / "notes.txt", "not a calendar");
    const auto long_ago = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365);
    std::map<std::string, std::string> before;
    for (const auto& entry : fs::directory_iterator(folder)) {
        fs::last_write_time(entry.path(), long_ago);
        before[entry.path().filename()] = read_text(entry.path());
    }
    const auto modified = [&](const std::string& name) {
        return fs::last_write_time(folder / name) != long_ago;
    };

    const struct {
        std::vector<std::string> change;
        std::string printed;
        std::vector<std::string> rewritten, gone;
    } runs[] = {
        {{}, "added 0, updated 0, removed 0, unchanged 3\n", {}, {}},
        {{"edit", "2", "--birthday", "1990-07-02"},
         "added 0, updated 1, removed 0, unchanged 2\n",
         {"person-2-birthday" + here() + ".ics"},
         {}},
        {{"remove", "1"},
         "added 0, updated 0, removed 1, unchanged 2\n",
         {},
         {"person-1-birthday" + here() + ".ics"}},
        {{"edit", "3", "--birthday", "1970-01-01"},
         "added 0, updated 1, removed 0, unchanged 1\n",
         {"person-3-birthday" + here() + ".ics"},
         {}},
    };
    for (const auto& run : runs) {
        for (const auto& [name, text] : before)
            fs::last_write_time(folder / name, long_ago);
        if (!run.change.empty()) {
            ASSERT_EQ(contacts_tool(device, run.change).status, 0);
        }
        const auto outcome = contacts_tool(device, {"calendar", folder});
        EXPECT_EQ(outcome.out, run.printed) << outcome.err;
        for (const auto& name : run.gone) {
            EXPECT_FALSE(fs::exists(folder / name));
            before.erase(name);
        }
        for (const auto& [name, text] : before) {
            const bool rewritten =
                std::find(run.rewritten.begin(), run.rewritten.end(), name) != run.rewritten.end();
            EXPECT_EQ(modified(name), rewritten) << run.printed << name;
            if (!rewritten) {
                EXPECT_EQ(read_text(folder / name), text) << name;
            }
        }
        for (const auto& name : run.rewritten)
            before[name] = read_text(folder / name);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 4)
        << "no half-written file stays behind";
}

// A folder shared through a calendar server holds the events of other devices and programs, an
// older version's events, and what a killed run left; a run replaces or removes only its own.
TEST(ContactsCalendar, TouchesOnlyTheFilesOfItsOwnEventsAndLeavesNoneHalfWritten)
{
    TempDevice device;
    const std::string id = "0123456789abcdef0123456789abcdef";
    fs::create_directories(os::device_path(os::kDeviceIdentifierPath).parent_path());
    write_text(os::device_path(os::kDeviceIdentifierPath), id + "\n");
    add(device,
        {"--first", "Ana", "--last", "\x1B]0;owned\x07Lee\xC2\x9B", "--birthday", "1980-03-05"});
    add(device, {"--first", "Bo", "--birthday", "1990-07-01"});
    const auto calendar = [](const std::string& product, const std::vector<std::string>& uids) {
        std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:" + product + "\r\n";
        for (const auto& uid : uids)
            text += "BEGIN:VEVENT\r\nUID:" + uid +
                    "\r\nDTSTAMP:20240101T000000Z\r\nDTSTART;VALUE=DATE:19800305\r\nEND:VEVENT\r\n";
        return text + "END:VCALENDAR\r\n";
    };
    const std::string ours = "-//Tortamos//contacts calendar//EN";
    const std::string other_device = "person-1-birthday@ffffffffffffffffffffffffffffffff";
    const std::string bo = "person-2-birthday@" + id + ".ics";
    const struct {
        std::string name, text;
        bool kept;
    } files[] = {
        {other_device + ".ics", calendar(ours, {other_device}), true},
        {"person-1-birthday.ics", calendar(ours, {"person-1-birthday"}), false}, // older version
        {"person-9-birthday.ics", calendar(ours, {"person-9-birthday", "dentist"}), true},
        {bo, calendar("-//Other//EN", {"person-2-birthday@" + id}), true},
        {".notes.txt.partial-99999999", "not ours", true},
        {".person-3-birthday@" + id + ".ics.partial-99999999", "killed", false},
    };
    const auto folder = device.root() / "birthdays";
    fs::create_directories(folder);
    for (const auto& file : files)
        write_text(folder / file.name, file.text);
    // A link planted where the run makes its hidden file, by the PID it runs as.
    const auto victim = device.root() / "victim";
    write_text(victim, "precious");
    const auto err = device.root() / "stderr.txt";
    const auto run_as_planted = [&](const std::string& hidden, const std::string& args) {
        return run_command("cd " + quoted(folder) + " && ln -s " + quoted(victim) + " '" + hidden +
                           ".partial-'$$ && exec " +
                           quoted(std::string(TORTAMOS_BIN_DIR) + "/contacts") + " calendar " +
                           args + " >/dev/null 2>" + quoted(err));
    };
    EXPECT_NE(run_as_planted(".person-1-birthday@" + id + ".ics", quoted(folder)), 0)
        << "Bo's birthday is left out for the file under its name";
    EXPECT_NE(read_text(err).find(bo + ": not an event of this calendar"), std::string::npos)
        << read_text(err);
    EXPECT_EQ(run_as_planted(".all.ics", "--ics all.ics"), 0);
    fs::remove(folder / "all.ics");

    EXPECT_EQ(read_text(victim), "precious");
    for (const auto& file : files)
        EXPECT_EQ(fs::exists(folder / file.name), file.kept) << file.name;
    for (const auto& file : files)
        if (file.kept) {
            EXPECT_EQ(read_text(folder / file.name), file.text);
        }
    const auto ana = read_text(folder / ("person-1-birthday@" + id + ".ics"));
    EXPECT_NE(ana.find("SUMMARY:Birthday: Ana ]0\\;ownedLee\r\n"), std::string::npos) << ana;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 5)
        << "Ana's event besides the files kept, no hidden file";
}
