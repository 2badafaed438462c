// Damaged vCard files: random byte changes and cuts of the fixtures must give a clean error or
// clean persons, never a crash (run under AddressSanitizer). Seeded, so a failure repeats.
#include "VCardFixtures.h"
#include "vcard/VCardReader.h"
#include "vcard/VCardWriter.h"

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr int kMutationsPerFixture = 1000;

std::string mutate(std::string text, std::mt19937& random)
{
    const auto pick = [&](size_t bound) {
        return std::uniform_int_distribution<size_t>(0, bound)(random);
    };
    // Bytes that matter to the syntax are tried more often than others.
    static constexpr char kSpecial[] = ":;,=\"\\\r\n -.T^\xC3\xA9\x80\xFF";
    const int edits = 1 + int(pick(3));
    for (int e = 0; e < edits && !text.empty(); ++e) {
        const size_t at = pick(text.size() - 1);
        switch (pick(5)) {
        case 0: text[at] = char(pick(255)); break;
        case 1: text[at] = kSpecial[pick(sizeof kSpecial - 2)]; break;
        case 2: text.erase(at, pick(40)); break;
        case 3: text.insert(at, 1 + pick(3), kSpecial[pick(sizeof kSpecial - 2)]); break;
        case 4: text.resize(at); break;
        default: text.insert(at, text.substr(pick(text.size() - 1), pick(80))); break;
        }
    }
    return text;
}

// Lines end at LF, CRLF or a lone CR.
size_t line_count(const std::string& text)
{
    size_t lines = 1;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++lines;
    return lines;
}

} // namespace

TEST(VCardMutation, DamagedFilesGiveAnErrorOrCleanPersons)
{
    std::mt19937 random(20240229);
    int errors = 0;
    int read = 0;
    for (const char* name :
         {"apple-3.0.vcf", "nextcloud-4.0.vcf", "android-2.1.vcf", "malformed.vcf"}) {
        const std::string original = read_vcard_fixture(name);
        ASSERT_FALSE(original.empty()) << name;
        for (int i = 0; i < kMutationsPerFixture; ++i) {
            const std::string text = mutate(original, random);
            const auto result = contacts::read_vcards(text);
            if (result.error) {
                ++errors;
                EXPECT_GE(result.error->line, 1);
                EXPECT_LE(size_t(result.error->line), line_count(text)) << name << " #" << i;
                EXPECT_FALSE(result.error->message.empty());
                EXPECT_TRUE(result.entries.empty());
                continue;
            }
            ++read;
            ASSERT_FALSE(result.entries.empty()) << name << " #" << i;
            for (const auto& entry : result.entries) {
                const auto& person = entry.person;
                EXPECT_TRUE(!person.birthday || ab::is_valid_birthday(*person.birthday));
                EXPECT_EQ(entry.photo_line == 0, person.image_data.empty());
                // Whatever was read can be written and read again.
                const auto again = contacts::read_vcards(contacts::write_vcard(person));
                ASSERT_FALSE(again.error) << name << " #" << i << ": " << again.error->message;
                EXPECT_EQ(again.entries.at(0).person, person) << name << " #" << i;
            }
        }
    }
    // Both outcomes must have been exercised, or the mutations test nothing.
    EXPECT_GT(errors, 100);
    EXPECT_GT(read, 100);
}
