// Importing a file as an application does: the result says what came in, which cards did not
// and why nothing did.
#include "Sha256.h"
#include "TempDevice.h"
#include "addressbook/InMemoryAddressBook.h"
#include "vcard/VCardImport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <optional>

namespace {

using contacts::CardErrors;
using contacts::ImportFailure;

std::string card(const std::string& body)
{
    return "BEGIN:VCARD\nVERSION:3.0\n" + body + "END:VCARD\n";
}

const std::string kAna = card("N:Um;Ana;;;\nBDAY:1980-03-05\n"); // lines 1-5
const std::string kBad = card("N:Dois;Bia;;;\nBDAY:1980-02-30\n"); // its BDAY on line 4 of 5
const std::string kRui = card("N:Tres;Rui;;;\n");

TEST(VCardImport, ABadCardAmongGoodOnesIsNamedAndTheOthersComeIn)
{
    ab::InMemoryAddressBook book;
    const std::string text = kAna + kBad + kRui;

    const auto refused = contacts::import_vcard_text(book, text, CardErrors::kRefuseFile);
    EXPECT_EQ(refused.failure, ImportFailure::kBadFile);
    EXPECT_EQ(refused.line, 9);
    EXPECT_EQ(refused.reason, "birthday '1980-02-30' is no valid date");
    EXPECT_EQ(book.personCount(), 0u);

    const auto skipped = contacts::import_vcard_text(book, text, CardErrors::kSkipCard);
    EXPECT_EQ(skipped.failure, ImportFailure::kNone) << skipped.reason;
    ASSERT_EQ(skipped.skipped.size(), 1u);
    EXPECT_EQ(skipped.skipped[0].line, 9);
    EXPECT_EQ(skipped.skipped[0].message, "birthday '1980-02-30' is no valid date");
    EXPECT_EQ(contacts::counts_text(skipped.counts), "added 2, updated 0, unchanged 0");
    EXPECT_EQ(book.personCount(), 2u);

    const auto again = contacts::import_vcard_text(book, kAna + kRui, CardErrors::kSkipCard);
    EXPECT_EQ(contacts::counts_text(again.counts), "added 0, updated 0, unchanged 2");
    EXPECT_EQ(contacts::counts_text({1, 2, 3, 4}, contacts::MergeMode::kSync),
              "added 1, updated 2, removed 3, unchanged 4");
}

// A store another program holds locked.
class LockedBook : public ab::InMemoryAddressBook {
public:
    bool change(const std::function<ab::Changes(const std::vector<ab::Person>&)>&) override
    {
        return false;
    }
    std::optional<ab::StoreProblem> lastProblem() const override
    {
        return ab::StoreProblem{ab::StoreProblem::kLocked, {}};
    }
};

TEST(VCardImport, AFileThatCannotBeUsedSaysWhyAndWritesNothing)
{
    TempDevice device;
    const auto folder = device.root();
    struct Case {
        const char* what;
        std::optional<std::string> text; // the file's; nullopt for no file
        ImportFailure failure;
        int line;
        std::string reason;
        bool locked = false;
    } cases[] = {
        {"missing", std::nullopt, ImportFailure::kUnreadable, 0, "No such file or directory"},
        {"badly framed", kAna + "BEGIN:VCARD\nN:A;B;;;\n", ImportFailure::kBadFile, 6,
         "vCard without END:VCARD"},
        {"empty", "", ImportFailure::kBadFile, 1, "no vCard in the file"},
        {"bad cards only", kBad + kBad, ImportFailure::kNoCards, 0, ""},
        {"store locked", kAna, ImportFailure::kStore, 0, "it is locked by another program", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto file = folder / "import.vcf";
        std::filesystem::remove(file);
        if (c.text)
            std::ofstream(file, std::ios::binary) << *c.text;
        LockedBook locked;
        ab::InMemoryAddressBook open;
        ab::AddressBook& book = c.locked ? static_cast<ab::AddressBook&>(locked) : open;
        const auto result = contacts::import_vcard_file(book, file, CardErrors::kSkipCard);
        EXPECT_EQ(result.failure, c.failure);
        EXPECT_EQ(result.line, c.line);
        EXPECT_EQ(result.reason, c.reason);
        EXPECT_EQ(book.personCount(), 0u);
    }
    // Only a regular file is read, and only so much of it: a device would be read until memory
    // runs out, a pipe that no one writes would wait for ever.
    const auto pipe = folder / "pipe.vcf";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const auto zero = folder / "zero.vcf";
    std::filesystem::create_symlink("/dev/zero", zero);
    const auto huge = folder / "huge.vcf";
    std::ofstream(huge) << kAna;
    std::filesystem::resize_file(huge, contacts::kMaxVCardFileBytes + 1);
    for (const auto& [file, reason] :
         std::initializer_list<std::pair<std::filesystem::path, const char*>>{
             {folder, "is a folder"},
             {pipe, "is a pipe"},
             {zero, "is a device"},
             {huge, "is larger than 256 MB"}}) {
        const auto result = contacts::read_vcard_file(file, CardErrors::kSkipCard);
        EXPECT_EQ(result.failure, ImportFailure::kUnreadable) << file;
        EXPECT_EQ(result.reason, reason) << file;
    }
}

} // namespace

TEST(Sha256, KnownDigests)
{
    const struct {
        std::string text, hex;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        // 56 bytes: the length no longer fits the last block, so a second one is added.
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
    };
    for (const auto& c : cases) {
        std::string hex;
        for (const uint8_t byte :
             contacts::sha256(reinterpret_cast<const uint8_t*>(c.text.data()), c.text.size())) {
            static constexpr char kHex[] = "0123456789abcdef";
            hex += kHex[byte >> 4];
            hex += kHex[byte & 15];
        }
        EXPECT_EQ(hex, c.hex) << c.text;
    }
}
