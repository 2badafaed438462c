// The import of the Contacts application, driven through the toolkit as a user drives it: the
// file chooser answered, the alerts read and their buttons tapped.
#include "DumpQuery.h"
#include "ImportFlow.h"
#include "ScopedEnv.h"
#include "TempDevice.h"
#include "addressbook/InMemoryAddressBook.h"
#include "uikit/Automation.h"
#include "uikit/FileChooser.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string card(const std::string& body)
{
    return "BEGIN:VCARD\nVERSION:3.0\n" + body + "END:VCARD\n";
}

const std::string kAna = card("N:Um;Ana;;;\nBDAY:1980-03-05\n"); // five lines
const std::string kRui = card("N:Tres;Rui;;;\n");
// Five lines, the bad birthday on the fourth.
std::string badCard(int year)
{
    return card("N:Dois;Bia;;;\nBDAY:" + std::to_string(year) + "-02-30\n");
}
const std::string kFourBad =
    kAna + badCard(1980) + badCard(1981) + badCard(1982) + badCard(1983) + kRui;

// The alert in front, as "Title: message"; empty when none shows.
std::string frontAlert()
{
    uikit::runPendingWork();
    std::string shown;
    walkShown(uikit::dumpScreen(), [&](const uikit::DumpRecord& record) {
        if (record.text("class") == "UIAlertView")
            shown = *record.text("text") + ": " + *record.text("message");
    });
    return shown;
}

TEST(ImportFlow, AlertsTellTheOutcomeAndCardsInErrorWaitForTheUser)
{
    TempDevice device;
    const auto framework = device.path("/System/Library/Frameworks/UIKit.framework");
    std::filesystem::create_directories(framework.parent_path());
    std::filesystem::create_directory_symlink(TORTAMOS_BUILD_DIR "/UIKit.framework", framework);
    const std::string question = "Import: 4 cards in import.vcf have an error:\n"
                                 "Bia Dois, line 9: birthday '1980-02-30' is no valid date\n"
                                 "Bia Dois, line 14: birthday '1981-02-30' is no valid date\n"
                                 "Bia Dois, line 19: birthday '1982-02-30' is no valid date\n"
                                 "and 1 more\n\nImport the other 2 cards?";
    struct Case {
        const char* what;
        std::optional<std::string> text; // the file's; nullopt for no file
        bool chosen; // through the file chooser, else handed over by the desktop
        std::vector<std::string> alerts; // in order, each answered by the button after it
        std::vector<std::string> answers;
        size_t stored;
        const char* language = "C";
        bool pipe = false; // the file is a named pipe that no one writes
    } cases[] = {
        {"good cards", kAna + kRui, true, {"Import: added 2, updated 0, unchanged 0"}, {"OK"}, 2},
        {"import others",
         kFourBad,
         false,
         {question, "Import: added 2, updated 0, unchanged 0"},
         {"Import Others", "OK"},
         2},
        {"cancel", kFourBad, true, {question}, {"Cancel"}, 0},
        // The reader's reasons too, each card named as it names its person.
        {"in Portuguese",
         kFourBad,
         true,
         {"Importar: 4 cartões em import.vcf têm erros:\n"
          "Bia Dois, linha 9: aniversário '1980-02-30' não é uma data válida\n"
          "Bia Dois, linha 14: aniversário '1981-02-30' não é uma data válida\n"
          "Bia Dois, linha 19: aniversário '1982-02-30' não é uma data válida\n"
          "e mais 1\n\nImportar os 2 cartões restantes?",
          "Importar: 2 adicionados, 0 atualizados, 0 inalterados"},
         {"Importar os Outros", "OK"},
         2,
         "pt_BR"},
        {"unreadable",
         std::nullopt,
         false,
         {"Import Failed: import.vcf cannot be read: No such file or directory."},
         {"OK"},
         0},
        // Refused before anything is read, in the device's words.
        {"a pipe",
         std::nullopt,
         false,
         {"Falha na Importação: Não é possível ler import.vcf: é um pipe."},
         {"OK"},
         0,
         "pt_BR",
         true},
        {"badly framed",
         kAna + "BEGIN:VCARD\nN:A;B;;;\n",
         false,
         {"Import Failed: import.vcf is not a vCard file that can be imported: line 6: vCard "
          "without END:VCARD."},
         {"OK"},
         0},
        // A card's quote is cut, so that the alert can wrap it.
        {"every card bad",
         card("N:Dois;Bia;;;\nBDAY:" + std::string(200, '9') + "\n"),
         false,
         {"Import Failed: Every card in import.vcf has an error; nothing was imported.\n"
          "Bia Dois, line 4: birthday '99999999999999999999999… is not a date"},
         {"OK"},
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedEnv language("LANGUAGE", c.language);
        const auto file = device.root() / "import.vcf";
        std::filesystem::remove(file);
        if (c.text)
            std::ofstream(file, std::ios::binary) << *c.text;
        if (c.pipe) {
            ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
        }
        auto book = std::make_shared<ab::InMemoryAddressBook>();
        int changes = 0;
        const auto changed = [&] { ++changes; };
        if (c.chosen) {
            contactsapp::chooseAndImport(book, changed);
            ASSERT_TRUE(uikit::isFileChooserOpen());
            EXPECT_EQ(frontAlert(), "") << "nothing happens before a file is chosen";
            ASSERT_TRUE(uikit::answerFileChooser(file));
        } else {
            contactsapp::importFile(file, book, changed);
        }
        for (size_t i = 0; i < c.alerts.size(); ++i) {
            EXPECT_EQ(frontAlert(), c.alerts[i]);
            EXPECT_EQ(book->personCount(), i + 1 < c.alerts.size() ? 0u : c.stored)
                << "nothing imported before the user answers";
            ASSERT_TRUE(uikit::tap(c.answers[i]));
        }
        EXPECT_EQ(frontAlert(), "");
        EXPECT_EQ(book->personCount(), c.stored);
        EXPECT_EQ(changes, c.stored > 0 ? 1 : 0);
    }

    contactsapp::chooseAndImport(std::make_shared<ab::InMemoryAddressBook>(), [] {});
    ASSERT_TRUE(uikit::answerFileChooser(std::nullopt));
    EXPECT_FALSE(uikit::isFileChooserOpen());
    EXPECT_EQ(frontAlert(), "") << "a cancelled chooser imports nothing";
}

} // namespace
