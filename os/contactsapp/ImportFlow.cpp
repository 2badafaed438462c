#include "ImportFlow.h"

#include "foundation/DeviceText.h"
#include "uikit/FileChooser.h"
#include "uikit/UIAlertView.h"
#include "vcard/VCardImport.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace contactsapp {
namespace {

// The cards in error an alert names; the rest are counted.
constexpr size_t kCardsNamed = 3;
// A reader's message quotes the card, which may be of any length, and an alert wraps lines
// between words only: a long message is cut, and so is any long word in it.
constexpr size_t kMessageBytes = 80;
constexpr size_t kWordCharacters = 24;

std::string shortened(const std::string& text)
{
    std::string result;
    size_t word = 0; // characters of the word so far
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool startsCharacter = (byte & 0xC0) != 0x80;
        if (startsCharacter && result.size() >= kMessageBytes)
            return result + "…";
        if (startsCharacter)
            word = byte == ' ' ? 0 : word + 1;
        if (word > kWordCharacters) {
            if (word == kWordCharacters + 1 && startsCharacter)
                result += "…";
            continue;
        }
        result += text[i];
    }
    return result;
}

// The reader's reason in the user's language, with what it quotes from the file.
std::string reasonText(const contacts::Diagnostic& diagnostic)
{
    const std::vector<std::string_view> values(diagnostic.values.begin(), diagnostic.values.end());
    return os::deviceText(diagnostic.reason, values);
}

// "Ana Silva, line 10: birthday '1980-02-30' is no valid date", each card by the name it gives
// its person, one a line, the first few only.
std::string errorLines(const std::vector<contacts::Diagnostic>& errors)
{
    std::string text;
    for (size_t i = 0; i < errors.size() && i < kCardsNamed; ++i) {
        const std::string line = std::to_string(errors[i].line);
        const std::string reason = shortened(reasonText(errors[i]));
        text += "\n" + (errors[i].name.empty()
                            ? os::deviceText("Line %1: %2", {line, reason})
                            : os::deviceText("%1, line %2: %3",
                                             {shortened(errors[i].name), line, reason}));
    }
    if (errors.size() > kCardsNamed)
        text += "\n" + os::deviceText("and %1 more", {std::to_string(errors.size() - kCardsNamed)});
    return text;
}

void showAlert(const std::string& title, const std::string& message)
{
    std::make_shared<UIAlertView>(title, message, nullptr, os::deviceText("OK"))->show();
}

// Why the file could not be read, in the user's language where the device has the words.
std::string unreadableText(const contacts::ReadFailure& failure)
{
    switch (failure.kind) {
    case contacts::ReadFailure::kSystem: break;
    case contacts::ReadFailure::kFolder: return os::deviceText("is a folder");
    case contacts::ReadFailure::kDevice: return os::deviceText("is a device");
    case contacts::ReadFailure::kPipe: return os::deviceText("is a pipe");
    case contacts::ReadFailure::kSocket: return os::deviceText("is a socket");
    case contacts::ReadFailure::kTooLarge:
        return os::deviceText("is larger than %1 MB",
                              {std::to_string(contacts::megabytes(failure.limit))});
    }
    return contacts::read_failure_text(failure);
}

// Why the file brought nothing in, for the user.
std::string failureText(const std::string& name, const contacts::ImportResult& result)
{
    switch (result.failure) {
    case contacts::ImportFailure::kNone: break;
    case contacts::ImportFailure::kUnreadable:
        return os::deviceText("%1 cannot be read: %2.", {name, unreadableText(result.unreadable)});
    case contacts::ImportFailure::kBadFile:
        return os::deviceText(
            "%1 is not a vCard file that can be imported: line %2: %3.",
            {name, std::to_string(result.line), shortened(reasonText(result.bad_file))});
    case contacts::ImportFailure::kNoCards:
        return os::deviceText("Every card in %1 has an error; nothing was imported.", {name}) +
               errorLines(result.skipped);
    case contacts::ImportFailure::kStore:
        return os::deviceText("The address book cannot be written: %1. Nothing was imported.",
                              {result.reason});
    }
    return {};
}

// Holds a file's cards read while the user decides what to do with the ones in error.
class PendingImport : public UIAlertViewDelegate {
public:
    PendingImport(std::shared_ptr<ab::AddressBook> book, BookChanged changed)
        : book_(std::move(book)), changed_(std::move(changed))
    {
    }

    void run(const std::filesystem::path& file, std::shared_ptr<PendingImport> self)
    {
        name_ = shortened(file.filename().string());
        result_ = contacts::read_vcard_file(file, contacts::CardErrors::kSkipCard);
        if (result_.failed()) {
            showAlert(os::deviceText("Import Failed"), failureText(name_, result_));
            return;
        }
        if (result_.skipped.empty()) {
            write();
            return;
        }
        // Kept by itself until the user answers.
        self_ = std::move(self);
        const std::string message =
            os::deviceTextForCount(result_.skipped.size(), "%1 card in %2 has an error:",
                                   "%1 cards in %2 have an error:", {name_}) +
            errorLines(result_.skipped) + "\n\n" +
            os::deviceTextForCount(result_.cards.size(), "Import the other %1 card?",
                                   "Import the other %1 cards?");
        std::make_shared<UIAlertView>(os::deviceText("Import"), message, this,
                                      os::deviceText("Cancel"),
                                      std::vector<std::string>{os::deviceText("Import Others")})
            ->show();
    }

    void alertView_didDismissWithButtonIndex(UIAlertView* alert, int index) override
    {
        const auto self = std::move(self_);
        if (index != alert->cancelButtonIndex())
            write();
    }

private:
    void write()
    {
        contacts::write_cards(*book_, result_);
        if (result_.failed()) {
            showAlert(os::deviceText("Import Failed"), failureText(name_, result_));
            return;
        }
        if ((result_.counts.added > 0 || result_.counts.updated > 0) && changed_)
            changed_();
        // The contacts tool's words in English, which its users know.
        const auto& counts = result_.counts;
        showAlert(os::deviceText("Import"),
                  os::deviceText("added %1, updated %2, unchanged %3",
                                 {std::to_string(counts.added), std::to_string(counts.updated),
                                  std::to_string(counts.unchanged)}));
    }

    std::shared_ptr<ab::AddressBook> book_;
    BookChanged changed_;
    contacts::ImportResult result_;
    std::string name_; // the file's, as the alerts show it
    std::shared_ptr<PendingImport> self_;
};

} // namespace

void importFile(const std::filesystem::path& file, std::shared_ptr<ab::AddressBook> book,
                BookChanged changed)
{
    auto pending = std::make_shared<PendingImport>(std::move(book), std::move(changed));
    pending->run(file, pending);
}

void chooseAndImport(std::shared_ptr<ab::AddressBook> book, BookChanged changed)
{
    uikit::chooseFile(os::deviceText("Import Contacts"),
                      {os::deviceText("vCard files") + " (*.vcf *.vcard)"},
                      [book = std::move(book),
                       changed = std::move(changed)](std::optional<std::filesystem::path> file) {
                          if (file)
                              importFile(*file, book, changed);
                      });
}

} // namespace contactsapp
