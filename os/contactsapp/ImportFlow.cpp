#include "ImportFlow.h"

#include "VCardImport.h"

#include "uikit/FileChooser.h"
#include "uikit/UIAlertView.h"

#include <string>
#include <utility>

namespace contactsapp {
namespace {

constexpr const char* kTitle = "Import";
constexpr const char* kFailedTitle = "Import Failed";
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

std::string cardsText(size_t count)
{
    return std::to_string(count) + (count == 1 ? " card" : " cards");
}

// "Line 10: birthday '1980-02-30' is no valid date", one a line, the first few only.
std::string errorLines(const std::vector<contacts::Diagnostic>& errors)
{
    std::string text;
    for (size_t i = 0; i < errors.size() && i < kCardsNamed; ++i)
        text += "\nLine " + std::to_string(errors[i].line) + ": " + shortened(errors[i].message);
    if (errors.size() > kCardsNamed)
        text += "\nand " + std::to_string(errors.size() - kCardsNamed) + " more";
    return text;
}

void showAlert(const std::string& title, const std::string& message)
{
    std::make_shared<UIAlertView>(title, message, nullptr, "OK")->show();
}

// Why the file brought nothing in, for the user.
std::string failureText(const std::string& name, const contacts::ImportResult& result)
{
    switch (result.failure) {
    case contacts::ImportFailure::kNone: break;
    case contacts::ImportFailure::kUnreadable:
        return name + " cannot be read: " + result.reason + ".";
    case contacts::ImportFailure::kBadFile:
        return name + " is not a vCard file that can be imported: line " +
               std::to_string(result.line) + ": " + shortened(result.reason) + ".";
    case contacts::ImportFailure::kNoCards:
        return "Every card in " + name + " has an error; nothing was imported." +
               errorLines(result.skipped);
    case contacts::ImportFailure::kStore:
        return "The address book cannot be written: " + result.reason + ". Nothing was imported.";
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
            showAlert(kFailedTitle, failureText(name_, result_));
            return;
        }
        if (result_.skipped.empty()) {
            write();
            return;
        }
        // Kept by itself until the user answers.
        self_ = std::move(self);
        const std::string message = cardsText(result_.skipped.size()) + " in " + name_ +
                                    (result_.skipped.size() == 1 ? " has" : " have") +
                                    " an error:" + errorLines(result_.skipped) +
                                    "\n\nImport the other " + cardsText(result_.cards.size()) + "?";
        std::make_shared<UIAlertView>(kTitle, message, this, "Cancel",
                                      std::vector<std::string>{"Import Others"})
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
            showAlert(kFailedTitle, failureText(name_, result_));
            return;
        }
        if ((result_.counts.added > 0 || result_.counts.updated > 0) && changed_)
            changed_();
        showAlert(kTitle, contacts::counts_text(result_.counts));
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
    uikit::chooseFile("Import Contacts", {"vCard files (*.vcf *.vcard)"},
                      [book = std::move(book),
                       changed = std::move(changed)](std::optional<std::filesystem::path> file) {
                          if (file)
                              importFile(*file, book, changed);
                      });
}

} // namespace contactsapp
