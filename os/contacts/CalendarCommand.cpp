// `contacts calendar`: the birthdays of the address book as a calendar that any calendar program
// shows and reminds of ahead of the day, either a vdir folder kept in step (one .ics file per
// event, as vdirsyncer and khal keep calendars) or one file to subscribe to.
#include "BirthdayCalendar.h"
#include "Commands.h"
#include "Printable.h"
#include "foundation/AtomicFile.h"
#include "foundation/Device.h"
#include "foundation/DeviceIdentifier.h"
#include "vcard/ReadFile.h"

#include <algorithm>
#include <charconv>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <unordered_set>

namespace contacts {
namespace {

// Leaves room for a hidden ".NAME.partial-PID" beside the file in a 255-byte file name.
constexpr size_t kLongestFileName = 200;
constexpr int kMostDaysAhead = 365;
// An event file of ours is a few hundred bytes; a larger file is no event of ours.
constexpr size_t kMaxEventFileBytes = 1024 * 1024;

struct CalendarOptions {
    std::string folder;
    std::string file; // --ics
    Reminders reminders;
};

// The whole text as a number from 0 to `most`, or -1.
int number(std::string_view text, int most)
{
    int value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 0 && value <= most
               ? value
               : -1;
}

std::optional<std::vector<int>> parse_days(std::string_view text)
{
    std::vector<int> days;
    for (size_t start = 0;;) {
        const size_t comma = std::min(text.find(',', start), text.size());
        const int value = number(text.substr(start, comma - start), kMostDaysAhead);
        if (value < 0)
            return std::nullopt;
        days.push_back(value);
        if (comma == text.size())
            break;
        start = comma + 1;
    }
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return days;
}

std::optional<int> parse_time_of_day(std::string_view text)
{
    if (text.size() != 5 || text[2] != ':')
        return std::nullopt;
    const int hour = number(text.substr(0, 2), 23), minute = number(text.substr(3, 2), 59);
    if (hour < 0 || minute < 0)
        return std::nullopt;
    return hour * 60 + minute;
}

// Reads the arguments into `options`; 0, or the status of the error it reported.
int read_options(const Arguments& args, CalendarOptions& options)
{
    std::unordered_set<std::string> given;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string option = args[i];
        if (!option.starts_with("--")) {
            if (!options.folder.empty() || !options.file.empty())
                return usage_error("calendar: give one folder or --ics FILE");
            options.folder = option;
            continue;
        }
        std::optional<std::string> value;
        if (const auto equals = option.find('='); equals != std::string::npos) {
            value = option.substr(equals + 1);
            option.resize(equals);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        }
        if (option != "--ics" && option != "--remind" && option != "--at")
            return usage_error("calendar: unknown option '" + option + "'");
        if (!value)
            return usage_error("calendar: " + option + " needs a value");
        if (!given.insert(option).second)
            return usage_error("calendar: " + option + " given twice");
        if (option == "--ics") {
            if (!options.folder.empty() || value->empty())
                return usage_error("calendar: give one folder or --ics FILE");
            options.file = *value;
        } else if (option == "--remind") {
            const auto days = parse_days(*value);
            if (!days)
                return usage_error("calendar: --remind takes days before the birthday from 0 to " +
                                   std::to_string(kMostDaysAhead) + ", like 0,7, not '" + *value +
                                   "'");
            options.reminders.days_before = *days;
        } else {
            const auto minute = parse_time_of_day(*value);
            if (!minute)
                return usage_error("calendar: --at takes a time of day HH:MM, not '" + *value +
                                   "'");
            options.reminders.minute_of_day = *minute;
        }
    }
    if (options.folder.empty() && options.file.empty())
        return usage_error("calendar: give a folder or --ics FILE");
    return 0;
}

// The file of an event in the folder: its UID, with every byte that is not safe in a file name
// on any system (and a leading dot, which hides a file) written as "_XX".
std::string file_name(const std::string& uid)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string name;
    for (const char c : uid) {
        const auto byte = static_cast<unsigned char>(c);
        const bool safe = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                          (byte >= '0' && byte <= '9') || byte == '-' || byte == '@' ||
                          (byte == '.' && !name.empty());
        if (safe) {
            name += c;
        } else {
            name += '_';
            name += kHex[byte >> 4];
            name += kHex[byte & 15];
        }
    }
    return name + ".ics";
}

// One event per person with a birthday. Its UID follows the person's own vCard UID, so the event
// stays the same one when the person is synced away and back, and is the same event on every
// device that has the card; a person added on the device has its record identifier and the
// device's identifier, so that two devices pushing into one calendar never take each other's
// events. A UID that another person's event already has, or that makes too long a file name,
// falls back to the record identifier, so no event overwrites another.
std::vector<BirthdayEvent> birthday_events(const std::vector<ab::Person>& persons,
                                           const std::string& device)
{
    std::vector<BirthdayEvent> events;
    std::unordered_set<std::string> taken;
    for (const auto& person : persons) {
        if (!person.birthday)
            continue;
        const std::string own = "person-" + std::to_string(person.id) + "-birthday@" + device;
        const std::string card_uid = person.uid ? without_controls(*person.uid) : "";
        std::string uid = card_uid.empty() ? own : card_uid + "-birthday";
        if (file_name(uid).size() > kLongestFileName || taken.contains(uid))
            uid = own;
        while (!taken.insert(uid).second)
            uid += "-" + std::to_string(person.id);
        events.push_back({uid, display_name(person), *person.birthday});
    }
    return events;
}

// Whether this device wrote the event of that UID, in the file of that name. Its UIDs end in
// "-birthday" (a card's own UID, or a record identifier as older versions of this tool wrote it,
// so that their events are replaced rather than doubled) or in "-birthday@" and the device's
// identifier; an event of another device sharing the calendar ends in that device's.
bool written_here(const OurEvent& event, const std::string& name, const std::string& device)
{
    return file_name(event.uid) == name &&
           (event.uid.ends_with("-birthday") || event.uid.ends_with("-birthday@" + device));
}

int cannot_write(const std::filesystem::path& file, const std::error_code& code)
{
    std::cerr << "contacts: cannot write " << printable(file.string()) << ": " << code.message()
              << "\n";
    return 1;
}

// Writes the events that changed, removes the events of this tool whose person is gone, and
// leaves every other file of the folder alone. An event unchanged since it was written keeps its
// file, stamp and modification time, so a sync program has nothing to send.
int update_folder(const std::filesystem::path& folder, const std::vector<BirthdayEvent>& events,
                  const Reminders& reminders, const std::string& device)
{
    std::error_code code;
    std::filesystem::create_directories(folder, code);
    if (!std::filesystem::is_directory(folder, code)) {
        std::cerr << printable(folder.string())
                  << ": not a folder\ncontacts: calendar not written\n";
        return 1;
    }
    os::remove_abandoned_partials(folder,
                                  [](const std::string& name) { return name.ends_with(".ics"); });
    const std::time_t now = std::time(nullptr);
    size_t added = 0, updated = 0, removed = 0, unchanged = 0;
    std::vector<std::string> foreign;
    std::unordered_set<std::string> names;
    for (const auto& event : events) {
        const auto name = file_name(event.uid);
        names.insert(name);
        const auto path = folder / name;
        ReadFailure failure;
        const auto old = read_file(path.string(), kMaxEventFileBytes, failure);
        if (old || std::filesystem::symlink_status(path, code).type() !=
                       std::filesystem::file_type::not_found) {
            const auto ours = old ? our_single_event(*old) : std::nullopt;
            if (!ours || ours->uid != event.uid) {
                foreign.push_back(name);
                continue;
            }
            if (calendar_text({event}, reminders, ours->stamp) == *old) {
                ++unchanged;
                continue;
            }
        }
        const auto text = calendar_text({event}, reminders, now);
        if (const auto failed =
                os::write_file_atomically(path, [&](std::ostream& out) { out << text; }))
            return cannot_write(path, failed);
        ++(old ? updated : added);
    }
    // Removed once the listing is read, so that the listing never meets its own changes.
    std::vector<std::filesystem::path> gone;
    for (std::filesystem::directory_iterator it(folder, code), end; !code && it != end;
         it.increment(code)) {
        const auto name = it->path().filename().string();
        if (name.starts_with(".") || it->path().extension() != ".ics" || names.contains(name))
            continue;
        ReadFailure failure;
        const auto text = read_file(it->path().string(), kMaxEventFileBytes, failure);
        const auto ours = text ? our_single_event(*text) : std::nullopt;
        if (ours && written_here(*ours, name, device))
            gone.push_back(it->path());
    }
    if (code) {
        std::cerr << printable(folder.string()) << ": cannot read: " << code.message() << "\n";
        return 1;
    }
    for (const auto& path : gone) {
        if (!std::filesystem::remove(path, code) && code)
            return cannot_write(path, code);
        ++removed;
    }
    std::cout << "added " << added << ", updated " << updated << ", removed " << removed
              << ", unchanged " << unchanged << "\n";
    // Another program's file under an event's name is never replaced: that event stays out.
    for (const auto& name : foreign)
        std::cerr << printable((folder / name).string())
                  << ": not an event of this calendar, left as it is and its birthday left out\n";
    return foreign.empty() ? 0 : 1;
}

} // namespace

int calendar_command(ab::AddressBook& book, const Arguments& args)
{
    CalendarOptions options;
    if (const int status = read_options(args, options))
        return status;
    const auto persons = book.copyAllPersons();
    if (!persons)
        return store_error(book, "read");
    std::error_code code;
    const auto device = os::device_identifier(code);
    if (!device) {
        std::cerr << "contacts: cannot read the device's identifier "
                  << printable(os::device_path(os::kDeviceIdentifierPath).string()) << ": "
                  << code.message() << "\ncontacts: calendar not written\n";
        return 1;
    }
    const auto events = birthday_events(*persons, *device);
    if (!options.folder.empty())
        return update_folder(options.folder, events, options.reminders, *device);
    const std::filesystem::path file = options.file;
    const auto name = file.filename().string();
    os::remove_abandoned_partials(file.parent_path().empty() ? "." : file.parent_path(),
                                  [&](const std::string& target) { return target == name; });
    if (const auto failed = os::write_file_atomically(file, [&](std::ostream& out) {
            write_calendar(out, events, options.reminders, std::time(nullptr));
        }))
        return cannot_write(file, failed);
    return 0;
}

} // namespace contacts
