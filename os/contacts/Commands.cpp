#include "Commands.h"

#include "Printable.h"
#include "addressbook/AddressBook.h"
#include "addressbook/PersonName.h"
#include "addressbook/PersonText.h"
#include "foundation/AtomicFile.h"
#include "vcard/PhotoCheck.h"
#include "vcard/StoreProblemText.h"
#include "vcard/VCardImport.h"
#include "vcard/VCardWriter.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <iterator>
#include <limits>
#include <set>

namespace contacts {

int store_error(const ab::AddressBook& book, const char* verb)
{
    std::cerr << "contacts: cannot " << verb << " the address book "
              << ab::AddressBook::device_store_path().string() << ": "
              << store_problem_text(book.lastProblem()) << "\n";
    return 1;
}

std::string display_name(const ab::Person& person)
{
    std::string name = ab::full_name(person);
    return name.empty() ? "(no name)" : name;
}

namespace {

std::string birthday_text(const std::optional<ab::CivilDate>& date)
{
    return date ? ab::iso_date_text(*date) : "-";
}

std::optional<ab::RecordID> parse_id(std::string_view text)
{
    ab::RecordID id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (error != std::errc() || end != text.data() + text.size() || id <= 0)
        return std::nullopt;
    return id;
}

// Adds the persons of a vCard file to `persons`, photos checked (those already stored taken from
// `stored`), and names each card left out; false, with the reason reported, when the file cannot
// be used at all.
bool read_card_file(const std::string& file, std::vector<ab::Person>& persons,
                    const PhotosBySource& stored, CardErrors card_errors = CardErrors::kRefuseFile)
{
    auto result = read_vcard_file(file, card_errors, &stored);
    if (result.failure == ImportFailure::kUnreadable) {
        std::cerr << printable(file) << ": cannot read: " << result.reason << "\n";
        return false;
    }
    if (result.failure == ImportFailure::kBadFile) {
        std::cerr << printable(file) << ":" << result.line << ": " << printable(result.reason)
                  << "\n";
        return false;
    }
    for (const auto& skipped : result.skipped)
        std::cerr << printable(file) << ":" << skipped.line
                  << ": card skipped: " << printable(skipped.message) << "\n";
    for (const auto& warning : result.warnings)
        std::cerr << printable(file) << ":" << warning.line
                  << ": warning: " << printable(warning.message) << "\n";
    persons.insert(persons.end(), std::make_move_iterator(result.cards.begin()),
                   std::make_move_iterator(result.cards.end()));
    return true;
}

// The vCard files of a vdir folder (vdirsyncer, khard): one card per ".vcf" file, in name
// order. Hidden files are the half-written files of a program that is syncing the folder.
std::optional<std::vector<std::string>> vdir_files(const std::string& folder)
{
    std::error_code code;
    std::vector<std::string> files;
    for (std::filesystem::directory_iterator it(folder, code), end; !code && it != end;
         it.increment(code)) {
        const auto name = it->path().filename().string();
        if (name.starts_with(".") || it->path().extension() != ".vcf")
            continue;
        if (!it->is_regular_file(code))
            continue;
        files.push_back(it->path().string());
    }
    if (code) {
        std::cerr << printable(folder) << ": cannot read: " << code.message() << "\n";
        return std::nullopt;
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Merges the cards into the book and prints what that did.
int merge_command(ab::AddressBook& book, std::vector<ab::Person> cards, MergeMode mode)
{
    ImportResult result;
    result.cards = std::move(cards);
    write_cards(book, result, mode);
    if (result.failed())
        return store_error(book, "write");
    std::cout << counts_text(result.counts, mode) << "\n";
    return 0;
}

} // namespace

int usage_error(const std::string& message)
{
    std::cerr << "contacts: " << printable(message) << "\nTry 'contacts --help'.\n";
    return 2;
}

int import_command(ab::AddressBook& book, const Arguments& args)
{
    auto card_errors = CardErrors::kRefuseFile;
    Arguments files;
    for (const auto& arg : args) {
        if (arg == "--skip-invalid")
            card_errors = CardErrors::kSkipCard;
        else
            files.push_back(arg);
    }
    if (files.empty())
        return usage_error("import: no vCard file given");
    // The book as it is, so that a photo imported before is recognised, not decoded again.
    const auto stored = book.copyAllPersons();
    if (!stored)
        return store_error(book, "read");
    const auto photos = photos_by_source(*stored);
    std::vector<ab::Person> cards;
    bool failed = false;
    for (const auto& file : files)
        failed = !read_card_file(file, cards, photos, card_errors) || failed;
    // Every card skipped is no import that was asked for, whatever the option says.
    if (failed || cards.empty()) {
        std::cerr << "contacts: nothing imported\n";
        return 1;
    }
    return merge_command(book, std::move(cards), MergeMode::kImport);
}

int sync_command(ab::AddressBook& book, const Arguments& args)
{
    if (args.size() != 1)
        return usage_error("sync: give one folder");
    std::error_code code;
    if (!std::filesystem::is_directory(args[0], code)) {
        std::cerr << printable(args[0]) << ": not a folder\ncontacts: nothing synced\n";
        return 1;
    }
    const auto files = vdir_files(args[0]);
    const auto stored = book.copyAllPersons();
    if (!stored)
        return store_error(book, "read");
    const auto photos = photos_by_source(*stored);
    std::vector<ab::Person> cards;
    bool failed = !files;
    if (files)
        for (const auto& file : *files)
            failed = !read_card_file(file, cards, photos) || failed;
    if (failed) {
        std::cerr << "contacts: nothing synced\n";
        return 1;
    }
    return merge_command(book, std::move(cards), MergeMode::kSync);
}

int export_command(ab::AddressBook& book, const Arguments& given)
{
    auto version = VCardVersion::k3_0;
    Arguments args;
    for (size_t i = 0; i < given.size(); ++i) {
        if (given[i] != "--vcard-version") {
            args.push_back(given[i]);
            continue;
        }
        const std::string value = i + 1 < given.size() ? given[++i] : "";
        if (value != "3.0" && value != "4.0")
            return usage_error("export: --vcard-version takes 3.0 or 4.0");
        version = value == "4.0" ? VCardVersion::k4_0 : VCardVersion::k3_0;
    }
    if (args.size() > 1)
        return usage_error("export: give at most one file");
    auto persons = book.copyAllPersons();
    if (!persons)
        return store_error(book, "read");
    for (auto& person : *persons) {
        // A store written before texts were checked may hold bytes that are not UTF-8, which
        // import refuses. The export stays a backup that comes back: such bytes are written as
        // U+FFFD, every other character and every person kept, and the user told which person.
        if (const char* field = ab::invalid_text_field(person)) {
            ab::make_texts_valid(person);
            std::cerr << "contacts: warning: person " << person.id << ": " << field
                      << " is not valid UTF-8, written with U+FFFD in place of the bad bytes\n";
        }
    }
    if (args.empty()) {
        for (const auto& person : *persons)
            std::cout << write_vcard(person, version);
        std::cout.flush();
        if (!std::cout) {
            std::cerr << "contacts: cannot write to standard output\n";
            return 1;
        }
        return 0;
    }
    const std::string target = args[0];
    const auto code = os::write_file_atomically(target, [&](std::ostream& out) {
        for (const auto& person : *persons)
            if (out)
                out << write_vcard(person, version);
    });
    if (code) {
        std::cerr << "contacts: cannot write " << printable(target) << ": " << code.message()
                  << "\n";
        return 1;
    }
    return 0;
}

int list_command(ab::AddressBook& book, const Arguments& args)
{
    if (!args.empty())
        return usage_error("list: takes no arguments");
    const auto persons = book.copyAllPersons();
    if (!persons)
        return store_error(book, "read");
    for (const auto& person : *persons) {
        std::string phones;
        for (const auto& phone : person.phones) {
            if (!phones.empty())
                phones += ", ";
            phones += phone.label.empty() ? phone.value : phone.label + ":" + phone.value;
        }
        std::cout << person.id << '\t' << printable(display_name(person)) << '\t'
                  << birthday_text(person.birthday) << '\t' << printable(phones);
        // A column of its own only when there are dates, so that the lines of a book without
        // any read as they always did.
        std::string dates;
        for (const auto& labeled : person.dates)
            dates +=
                (dates.empty() ? "" : ", ") + labeled.label + ":" + ab::iso_date_text(labeled.date);
        if (!dates.empty())
            std::cout << '\t' << printable(dates);
        std::cout << '\n';
    }
    return 0;
}

namespace {

// What the person options of `add` and `edit` change, in the order given: each option given
// replaces that part, and phone numbers or e-mail addresses given replace the whole list. The
// photo file is read and checked here, so that applying the changes is quick.
using PersonChanges = std::vector<std::function<void(ab::Person&)>>;

// Reads the person options into `changes`. Returns 0, or the status of the error it reported.
int read_person_options(const std::string& verb, const Arguments& args, PersonChanges& changes)
{
    std::set<std::string> given;
    bool phones_given = false, emails_given = false;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string option = args[i];
        std::optional<std::string> value;
        if (const auto equals = option.find('=');
            option.starts_with("--") && equals != std::string::npos) {
            value = option.substr(equals + 1);
            option.resize(equals);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        }
        static const char* const kOptions[] = {"--first", "--last",  "--birthday", "--anniversary",
                                               "--phone", "--email", "--photo"};
        if (std::find(std::begin(kOptions), std::end(kOptions), option) == std::end(kOptions))
            return usage_error(verb + ": unknown option '" + option + "'");
        if (!value)
            return usage_error(verb + ": " + option + " needs a value");
        const bool repeatable = option == "--phone" || option == "--email";
        if (!given.insert(option).second && !repeatable)
            return usage_error(verb + ": " + option + " given twice");
        // A stored text that is not UTF-8 would make every export a file no import takes back.
        if (option != "--photo" && !ab::is_valid_text(*value))
            return usage_error(verb + ": " + option + " '" + *value + "' is not valid UTF-8 text");

        if (option == "--first") {
            changes.push_back([name = *value](ab::Person& p) { p.first_name = name; });
        } else if (option == "--last") {
            changes.push_back([name = *value](ab::Person& p) { p.last_name = name; });
        } else if (option == "--birthday") {
            const auto date = ab::parse_iso_date(*value);
            if (!date)
                return usage_error(verb + ": birthday '" + *value +
                                   "' is not a date written YYYY-MM-DD or --MM-DD");
            changes.push_back([date](ab::Person& p) { p.birthday = date; });
        } else if (option == "--anniversary") {
            const auto date = ab::parse_iso_date(*value);
            if (!date)
                return usage_error(verb + ": anniversary '" + *value +
                                   "' is not a date written YYYY-MM-DD or --MM-DD");
            // Replaces the person's anniversary; the other dates stay.
            changes.push_back([date = *date](ab::Person& p) {
                const auto anniversary =
                    std::find_if(p.dates.begin(), p.dates.end(),
                                 [](const ab::LabeledDate& d) { return d.label == "anniversary"; });
                if (anniversary != p.dates.end())
                    anniversary->date = date;
                else
                    p.dates.push_back({"anniversary", date});
            });
        } else if (repeatable) {
            const auto colon = value->find(':');
            if (colon == std::string::npos || colon == 0 || colon + 1 == value->size())
                return usage_error(verb + ": " + option + " takes LABEL:VALUE, not '" + *value +
                                   "'");
            bool& replaced = option == "--phone" ? phones_given : emails_given;
            const bool first = !replaced;
            replaced = true;
            const auto list = option == "--phone" ? &ab::Person::phones : &ab::Person::emails;
            changes.push_back([list, first,
                               entry = ab::LabeledValue{value->substr(0, colon),
                                                        value->substr(colon + 1)}](ab::Person& p) {
                if (first)
                    (p.*list).clear();
                (p.*list).push_back(entry);
            });
        } else {
            std::string problem;
            auto photo = read_storable_photo(*value, problem);
            if (!photo) {
                std::cerr << printable(*value) << ": " << problem << "\n";
                return 1;
            }
            changes.push_back([photo = std::move(*photo)](ab::Person& p) { p.image_data = photo; });
        }
    }
    return 0;
}

} // namespace

int add_command(ab::AddressBook& book, const Arguments& args)
{
    PersonChanges changes;
    if (const int status = read_person_options("add", args, changes))
        return status;
    ab::Person person;
    for (const auto& change : changes)
        change(person);
    if (!person.first_name && !person.last_name)
        return usage_error("add: give --first or --last");
    if (!book.save(person))
        return store_error(book, "write");
    std::cout << person.id << "\n";
    return 0;
}

int edit_command(ab::AddressBook& book, const Arguments& args)
{
    if (args.empty())
        return usage_error("edit: give an ID and what to change");
    const auto id = parse_id(args[0]);
    if (!id)
        return usage_error("edit: '" + args[0] + "' is not an ID");
    const auto no_person = [&] {
        std::cerr << "contacts: no person with ID " << *id << "\n";
        return 1;
    };
    if (!book.personWithRecordID(*id))
        return no_person();
    const Arguments options(args.begin() + 1, args.end());
    if (options.empty())
        return usage_error("edit: nothing to change");
    PersonChanges changes;
    if (const int status = read_person_options("edit", options, changes))
        return status;
    // Applied to the person as stored when the write begins, not as read above: another
    // program's change made meanwhile (during a photo's check) to other fields stays.
    if (book.edit(*id, [&](ab::Person& person) {
            for (const auto& change : changes)
                change(person);
        }))
        return 0;
    const auto problem = book.lastProblem();
    if (problem && problem->kind == ab::StoreProblem::kInvalidPerson &&
        !book.personWithRecordID(*id))
        return no_person();
    return store_error(book, "write");
}

int remove_command(ab::AddressBook& book, const Arguments& args)
{
    if (args.size() != 1)
        return usage_error("remove: give one ID");
    const auto id = parse_id(args[0]);
    if (!id)
        return usage_error("remove: '" + args[0] + "' is not an ID");
    if (!book.personWithRecordID(*id)) {
        std::cerr << "contacts: no person with ID " << *id << "\n";
        return 1;
    }
    return book.remove(*id) ? 0 : store_error(book, "write");
}

} // namespace contacts
