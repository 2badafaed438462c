#include "vcard/VCardReader.h"
#include "vcard/VCardWriter.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::vector<ab::Person> tricky_persons()
{
    std::vector<ab::Person> persons(6);
    persons[0].first_name = "Ana";
    persons[0].last_name = "Silva";
    persons[0].birthday = ab::CivilDate{1980, 3, 5};
    persons[0].phones = {{"mobile", "+55 11 91234-5678"},
                         {"home", "555,,12"},
                         {"", "0800"},
                         {"Grandma's house", "1"},
                         {"cell", "2"},
                         {"Mobile", "3"},
                         {"pref", "4"},
                         {"iphone", "5"}};
    persons[0].emails = {{"work", "ana@example.com"}, {"Clube; sócios", "c@d.e"}};
    persons[0].dates = {{"other", {2001, 9, 1}},
                        {"anniversary", {2010, 6, 3}},
                        {"Anniversary", {ab::kUnknownYear, 2, 29}},
                        {"anniversary", {1999, 1, 1}},
                        {"_$!<other>!$_", {1, 1, 1}},
                        {"", {9999, 12, 31}}};
    for (int i = 0; i < 3000; ++i)
        persons[0].image_data.push_back(uint8_t(i * 7));
    persons[1].first_name = "Back\\slash, comma; semi\nnewline";
    persons[1].last_name = "Ünïcødé 名前 🎂 with a long enough tail to be folded over two lines";
    persons[1].birthday = ab::CivilDate{ab::kUnknownYear, 2, 29};
    persons[1].dates = {{"anniversary", {ab::kUnknownYear, 6, 3}}};
    persons[2].last_name = "OnlyLast";
    persons[2].birthday = ab::CivilDate{1, 1, 1};
    persons[3].first_name = "OnlyFirst";
    persons[3].birthday = ab::CivilDate{9999, 12, 31};
    persons[5].first_name = "  spaced  ";
    persons[5].emails = {{"x-custom-1", "s@t.u"}};
    return persons;
}

std::string write_all(const std::vector<ab::Person>& persons, contacts::VCardVersion version)
{
    std::string text;
    for (const auto& person : persons)
        text += contacts::write_vcard(person, version);
    return text;
}

} // namespace

TEST(VCardWriter, ExportThenImportGivesBackTheSamePersons)
{
    const auto persons = tricky_persons();
    for (const auto version : {contacts::VCardVersion::k3_0, contacts::VCardVersion::k4_0}) {
        const std::string text = write_all(persons, version);
        const auto result = contacts::read_vcards(text);
        ASSERT_FALSE(result.error) << result.error->line << ": " << result.error->message;
        EXPECT_TRUE(result.warnings.empty());
        ASSERT_EQ(result.entries.size(), persons.size());
        for (size_t i = 0; i < persons.size(); ++i)
            EXPECT_EQ(result.entries[i].person, persons[i]) << i << "\n" << text;
        // Only 4.0 has a property of its own for the anniversary; 3.0 writes each date as
        // Apple's address book does.
        const bool v4 = version == contacts::VCardVersion::k4_0;
        EXPECT_TRUE(text.starts_with(v4 ? "BEGIN:VCARD\r\nVERSION:4.0\r\n"
                                        : "BEGIN:VCARD\r\nVERSION:3.0\r\n"));
        EXPECT_EQ(text.find("\r\nANNIVERSARY:20100603\r\n") != std::string::npos, v4);
        EXPECT_NE(text.find(".X-ABLabel:_$!<Anniversary>!$_\r\n"), std::string::npos);
    }
}

TEST(VCardWriter, WritesFoldedVersion3Lines)
{
    const auto persons = tricky_persons();
    const std::string text = contacts::write_vcard(persons[1]);
    EXPECT_TRUE(text.starts_with("BEGIN:VCARD\r\nVERSION:3.0\r\n"));
    EXPECT_NE(text.find("\r\nBDAY:--02-29\r\n"), std::string::npos);
    std::istringstream lines(text);
    std::string line;
    int continuations = 0;
    while (std::getline(lines, line)) {
        ASSERT_TRUE(line.ends_with('\r')) << "lines end with CRLF";
        line.pop_back();
        EXPECT_LE(line.size(), 75u) << line;
        if (line.starts_with(' ')) {
            ++continuations;
            const auto lead = static_cast<unsigned char>(line[1]);
            EXPECT_NE(lead & 0xC0, 0x80) << "a fold never splits a UTF-8 sequence: " << line;
        }
    }
    EXPECT_GT(continuations, 0);
    EXPECT_NE(contacts::write_vcard(persons[0]).find("\r\nPHOTO;ENCODING=b:"), std::string::npos);
}

TEST(VCardWriter, CarriageReturnsCannotBreakALine)
{
    ab::Person person;
    person.first_name = "A\rEND:VCARD\rB";
    const auto result = contacts::read_vcards(contacts::write_vcard(person));
    ASSERT_FALSE(result.error);
    ASSERT_EQ(result.entries.size(), 1u);
    EXPECT_EQ(result.entries[0].person.first_name, "AEND:VCARDB");
}

TEST(VCardWriter, ValuesAndLabelsThatLookLikeTheReadersMarkersComeBackAsTheyWere)
{
    ab::Person person;
    person.first_name = "A";
    person.uid = "urn:uuid:1,2;3";
    person.phones = {{"_$!<home>!$_", "tel:+1 555"}, {"x-quoted-printable", "123="}, {"", "TEL:9"}};
    person.emails = {{"work", "mailto:a@b.c"}};
    const auto result = contacts::read_vcards(contacts::write_vcard(person));
    ASSERT_FALSE(result.error) << result.error->message;
    EXPECT_EQ(result.entries.at(0).person, person) << contacts::write_vcard(person);
}
