// contacts: the command-line face of the device's address book.
#include "Commands.h"
#include "foundation/CommandLine.h"
#include "uikit/UIImage.h"

#include <iostream>

namespace {

constexpr const char* kUsage = R"(Usage: contacts COMMAND [ARGUMENTS]
Keeps the address book of the device (the folder named by DEVICE_ROOT, "/" when unset).

Commands:
  import FILE.vcf... [--skip-invalid]
                          bring in the persons of vCard files (versions 2.1, 3.0 and 4.0): a
                          card with the UID of a stored person (or, without one, the same
                          first name, last name and birthday) updates that person, the others
                          are added; a file with an error is reported as FILE:LINE: reason
                          and nothing changes; --skip-invalid leaves out the cards with an
                          error instead, each reported as FILE:LINE: card skipped: reason,
                          and brings in the others (a file that cannot be read or whose
                          BEGIN/END lines do not pair up still changes nothing)
  sync FOLDER             make the address book mirror a vdir folder (one .vcf file per
                          contact, as vdirsyncer and khard keep it): adds, updates and removes
                          the persons that came from the folder; persons added on the device
                          stay; a file with an error is reported and nothing changes
  calendar FOLDER|--ics FILE [--remind DAYS[,DAYS...]] [--at HH:MM]
                          the birthdays as yearly all-day events, with a reminder so many
                          days before each (0: on the day, the default) at the time given
                          (09:00 when not): FOLDER is kept a vdir calendar (one .ics file per
                          person, as vdirsyncer and khal keep it), where a run writes only the
                          events that changed and removes those of persons gone, leaving
                          every other file alone; --ics writes one calendar file to subscribe to
  export [--vcard-version 3.0|4.0] [FILE]
                          write every person as vCard 3.0 (or 4.0) to FILE, or to standard
                          output
  list                    one person per line: ID, name, birthday, phone numbers, and
                          the labelled dates (anniversary...) of a person who has any
  add [--first NAME] [--last NAME] [--birthday YYYY-MM-DD|--MM-DD]
      [--anniversary YYYY-MM-DD|--MM-DD]
      [--phone LABEL:NUMBER]... [--email LABEL:ADDRESS]... [--photo FILE]
                          add a person (with a first or a last name) and print its ID
  edit ID [the options of add]
                          change the person: each option given replaces that part, and
                          phone numbers or e-mail addresses given replace the whole list
  remove ID               remove the person with that ID
  --help                  show this text
  --version               show the version

Exit status: 0 done (with --skip-invalid, also when cards were skipped), 1 failed (nothing
changed), 2 bad usage.
)";

} // namespace

int main(int argc, char** argv)
{
    if (os::answered_help_or_version(argc, argv, kUsage))
        return 0;
    // The commands say in their own words which photos they left out.
    UIImage::silenceDecoderMessages();
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return contacts::usage_error("no command given");
    const std::string& command = args[0];
    const contacts::Arguments rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    // A handle opens the store only when a command first reads or writes it.
    const auto book = ab::AddressBook::create();
    if (command == "import")
        return contacts::import_command(*book, rest);
    if (command == "sync")
        return contacts::sync_command(*book, rest);
    if (command == "calendar")
        return contacts::calendar_command(*book, rest);
    if (command == "export")
        return contacts::export_command(*book, rest);
    if (command == "list")
        return contacts::list_command(*book, rest);
    if (command == "add")
        return contacts::add_command(*book, rest);
    if (command == "edit")
        return contacts::edit_command(*book, rest);
    if (command == "remove")
        return contacts::remove_command(*book, rest);
    return contacts::usage_error("unknown command '" + command + "'");
}
