#include "VCardFixtures.h"

#include "Base64.h"
#include "VCardReader.h"

#include <gtest/gtest.h>

using contacts::read_vcards;
using LV = ab::LabeledValue;

namespace {

ab::CivilDate no_year(int month, int day) {
    return {ab::kUnknownYear, month, day};
}

// The one person of a card made of the given lines.
ab::Person read_one(const std::string& version, const std::string& lines) {
    const auto result =
        read_vcards("BEGIN:VCARD\nVERSION:" + version + "\n" + lines + "END:VCARD\n");
    EXPECT_FALSE(result.error) << result.error->line << ": " << result.error->message;
    EXPECT_EQ(result.entries.size(), 1u);
    return result.entries.empty() ? ab::Person{} : result.entries[0].person;
}

std::optional<ab::CivilDate> birthday_of(const std::string& bday_line) {
    return read_one("3.0", "N:A;B;;;\n" + bday_line + "\n").birthday;
}

// The error of a file, as "LINE: message".
std::string error_of(const std::string& text) {
    const auto result = read_vcards(text);
    if (!result.error) return "no error";
    return std::to_string(result.error->line) + ": " + result.error->message;
}

bool is_jpeg(const std::vector<uint8_t>& bytes) {
    return bytes.size() > 4 && bytes[0] == 0xFF && bytes[1] == 0xD8 &&
           bytes[bytes.size() - 2] == 0xFF && bytes.back() == 0xD9;
}

} // namespace

TEST(VCardFixtures, AppleExport) {
    const auto result = read_vcards(read_vcard_fixture("apple-3.0.vcf"));
    ASSERT_FALSE(result.error) << result.error->message;
    EXPECT_TRUE(result.warnings.empty());
    ASSERT_EQ(result.entries.size(), 4u);

    const auto& ana = result.entries[0];
    EXPECT_EQ(ana.line, 1);
    EXPECT_EQ(ana.person.first_name, "Ana");
    EXPECT_EQ(ana.person.last_name, "Silva");
    EXPECT_EQ(ana.person.birthday, (ab::CivilDate{1980, 3, 5}));
    EXPECT_EQ(ana.person.phones, (std::vector<LV>{{"mobile", "+55 11 91234-5678"},
                                                  {"home", "+55 11 3456-7890"},
                                                  {"Grandma's house", "+55 11 5555-0101"},
                                                  {"other", "+55 11 5555-0102"}}));
    EXPECT_EQ(ana.person.emails, (std::vector<LV>{{"home", "ana.silva@example.com"}}));
    EXPECT_TRUE(is_jpeg(ana.person.image_data));
    EXPECT_EQ(ana.photo_line, 17);

    const auto& rui = result.entries[1].person;
    EXPECT_EQ(result.entries[1].line, 31);
    EXPECT_EQ(rui.birthday, no_year(7, 21)) << "X-APPLE-OMIT-YEAR means no year";
    EXPECT_EQ(rui.phones, (std::vector<LV>{{"work", "+351 21 000 0000"}}));

    const auto& jurgen = result.entries[2].person;
    EXPECT_EQ(jurgen.first_name, "Jürgen, Dr.");
    EXPECT_EQ(jurgen.last_name, "Müller-Lüdenscheidt");
    EXPECT_EQ(jurgen.birthday, no_year(2, 29));
    EXPECT_EQ(jurgen.phones, (std::vector<LV>{{"mobile", "+49 30 1234567"}}));

    const auto& bakery = result.entries[3].person;
    EXPECT_EQ(bakery.first_name, "Padaria Estrela, Lda.") << "FN stands in for an empty N";
    EXPECT_EQ(bakery.last_name, std::nullopt);
    EXPECT_EQ(bakery.birthday, std::nullopt);
    EXPECT_EQ(bakery.phones, (std::vector<LV>{{"main", "+351 21 111 2222"}}));
}

TEST(VCardFixtures, Version4Export) {
    const auto result = read_vcards(read_vcard_fixture("nextcloud-4.0.vcf"));
    ASSERT_FALSE(result.error) << result.error->message;
    ASSERT_EQ(result.entries.size(), 6u);

    const auto& carla = result.entries[0].person;
    EXPECT_EQ(carla.birthday, no_year(4, 12));
    EXPECT_EQ(carla.phones,
              (std::vector<LV>{{"mobile", "+55-21-99876-5432"}, {"work", "+55 21 2222-3333"}}));
    EXPECT_EQ(carla.emails, (std::vector<LV>{{"home", "carla@example.org"}}));
    ASSERT_GT(carla.image_data.size(), 8u);
    EXPECT_EQ(carla.image_data[1], 'P');
    EXPECT_EQ(result.entries[0].photo_line, 11);

    EXPECT_EQ(result.entries[1].person.birthday, (ab::CivilDate{1990, 1, 7}));
    EXPECT_EQ(result.entries[2].person.birthday, (ab::CivilDate{1985, 11, 20}));
    EXPECT_EQ(result.entries[2].person.emails, (std::vector<LV>{{"work", "eva@work.example"}}));
    EXPECT_EQ(result.entries[3].person.birthday, no_year(9, 30)) << "the year 0000 means no year";
    EXPECT_EQ(result.entries[3].person.first_name, "Fábio");

    const auto& group = result.entries[4].person;
    EXPECT_EQ(group.first_name, "Grupo de Corrida");
    EXPECT_EQ(group.birthday, std::nullopt);
    EXPECT_EQ(result.entries[5].person.birthday, no_year(2, 29));
    EXPECT_TRUE(result.entries[5].person.image_data.empty());

    ASSERT_EQ(result.warnings.size(), 2u);
    EXPECT_EQ(result.warnings[0].line, 39);
    EXPECT_EQ(result.warnings[0].message, "birthday given as text, left out");
    EXPECT_EQ(result.warnings[1].line, 46);
    EXPECT_EQ(result.warnings[1].message, "photo left out: not inline in the file");
}

TEST(VCardFixtures, Version21QuotedPrintableExport) {
    const auto result = read_vcards(read_vcard_fixture("android-2.1.vcf"));
    ASSERT_FALSE(result.error) << result.error->message;
    ASSERT_EQ(result.entries.size(), 3u);

    const auto& joao = result.entries[0].person;
    EXPECT_EQ(joao.first_name, "João");
    EXPECT_EQ(joao.last_name, "Gonçalves");
    EXPECT_EQ(joao.birthday, (ab::CivilDate{1975, 12, 31}));
    EXPECT_EQ(joao.phones,
              (std::vector<LV>{{"mobile", "+5511987650000"}, {"home", "+551133330000"}}));
    EXPECT_EQ(joao.emails, (std::vector<LV>{{"home", "joao@example.com"}}));
    const auto apple = read_vcards(read_vcard_fixture("apple-3.0.vcf"));
    EXPECT_EQ(joao.image_data, apple.entries.at(0).person.image_data)
        << "the same photo, folded differently";

    const auto& hans = result.entries[1].person;
    EXPECT_EQ(hans.first_name, "Hans-Jürgen Karl") << "a soft line break joins the lines";
    EXPECT_EQ(hans.last_name, "Müller-Brand");
    EXPECT_EQ(hans.birthday, (ab::CivilDate{1962, 8, 15}));
    EXPECT_EQ(hans.phones,
              (std::vector<LV>{{"work", "+49 30 7654321"}, {"x-boat", "+49 30 0000000"}}));

    const auto& ines = result.entries[2].person;
    EXPECT_EQ(ines.first_name, "Inês") << "ISO-8859-1 becomes UTF-8";
    EXPECT_EQ(ines.last_name, "Araújo");
    EXPECT_EQ(ines.phones, (std::vector<LV>{{"fax", "+351 22 123 4567"}}));
}

TEST(VCardFixtures, MalformedFileGivesItsLine) {
    const auto result = read_vcards(read_vcard_fixture("malformed.vcf"));
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->line, 9);
    EXPECT_EQ(result.error->message, "birthday '1970-13-45' is no valid date");
    EXPECT_TRUE(result.entries.empty());
}

TEST(VCardBirthday, AllWrittenForms) {
    EXPECT_EQ(birthday_of("BDAY:1980-03-05"), (ab::CivilDate{1980, 3, 5}));
    EXPECT_EQ(birthday_of("BDAY:19800305"), (ab::CivilDate{1980, 3, 5}));
    EXPECT_EQ(birthday_of("BDAY:--0305"), no_year(3, 5));
    EXPECT_EQ(birthday_of("BDAY:--03-05"), no_year(3, 5));
    EXPECT_EQ(birthday_of("BDAY:1980-03-05T10:30:00+01:00"), (ab::CivilDate{1980, 3, 5}));
    EXPECT_EQ(birthday_of("BDAY:19800305T000000Z"), (ab::CivilDate{1980, 3, 5}));
    EXPECT_EQ(birthday_of("BDAY:--0305T12:00"), no_year(3, 5));
    EXPECT_EQ(birthday_of("BDAY;VALUE=date: 1980-03-05 "), (ab::CivilDate{1980, 3, 5}));
}

TEST(VCardBirthday, PlaceholderYearsMeanNoYear) {
    EXPECT_EQ(birthday_of("BDAY:1604-03-05"), no_year(3, 5));
    EXPECT_EQ(birthday_of("BDAY:0000-03-05"), no_year(3, 5));
    EXPECT_EQ(birthday_of("BDAY;X-APPLE-OMIT-YEAR=1604:1604-02-29"), no_year(2, 29));
    EXPECT_EQ(birthday_of("BDAY;X-APPLE-OMIT-YEAR=1900:1900-12-01"), no_year(12, 1));
    EXPECT_EQ(birthday_of("BDAY;X-APPLE-OMIT-YEAR=1604:1972-12-01"), (ab::CivilDate{1972, 12, 1}))
        << "the parameter only names the placeholder";
}

TEST(VCardBirthday, DatesWithoutMonthOrDayAreLeftOutWithAWarning) {
    for (const char* value : {"1980", "1980-03", "--03", "---05"}) {
        const auto result = read_vcards(std::string("BEGIN:VCARD\nVERSION:4.0\nFN:A\nBDAY:") +
                                        value + "\nEND:VCARD\n");
        ASSERT_FALSE(result.error) << value << ": " << result.error->message;
        EXPECT_EQ(result.entries.at(0).person.birthday, std::nullopt) << value;
        ASSERT_EQ(result.warnings.size(), 1u) << value;
        EXPECT_EQ(result.warnings[0].line, 4);
    }
    EXPECT_EQ(birthday_of("BDAY:"), std::nullopt);
}

TEST(VCardBirthday, ImpossibleDatesAreErrors) {
    const std::string card = "BEGIN:VCARD\nVERSION:3.0\nFN:A\n";
    EXPECT_EQ(error_of(card + "BDAY:1981-02-29\nEND:VCARD\n"),
              "4: birthday '1981-02-29' is no valid date");
    EXPECT_EQ(error_of(card + "BDAY:--02-30\nEND:VCARD\n"),
              "4: birthday '--02-30' is no valid date");
    EXPECT_EQ(error_of(card + "BDAY:05/03/1980\nEND:VCARD\n"),
              "4: birthday '05/03/1980' is not a date");
    EXPECT_EQ(error_of(card + "BDAY:1980-03-05Tnoon\nEND:VCARD\n"),
              "4: birthday '1980-03-05Tnoon' is not a date");
    EXPECT_EQ(error_of(card + "BDAY:1980--03-05\nEND:VCARD\n"),
              "4: birthday '1980--03-05' is not a date");
}

TEST(VCardText, EscapesFoldingAndLineEnds) {
    const auto person = read_one("3.0", "N:Semi\\;colon;Back\\\\slash\\, and\\nnew\r\n"
                                        "  line;;;\r\n"
                                        "TEL;TYPE=HOME:555\\,123\n");
    EXPECT_EQ(person.last_name, "Semi;colon");
    EXPECT_EQ(person.first_name, "Back\\slash, and\nnew line");
    EXPECT_EQ(person.phones, (std::vector<LV>{{"home", "555,123"}}));

    const auto with_bom = read_vcards("\xEF\xBB\xBF"
                                      "BEGIN:VCARD\r\nFN:Zé\r\nEND:VCARD\r\n");
    ASSERT_FALSE(with_bom.error);
    EXPECT_EQ(with_bom.entries.at(0).person.first_name, "Zé");

    const auto classic_mac = read_vcards("BEGIN:VCARD\rFN:Mac\rTEL:1\rEND:VCARD\r");
    ASSERT_FALSE(classic_mac.error) << classic_mac.error->message;
    EXPECT_EQ(classic_mac.entries.at(0).person.phones, (std::vector<LV>{{"", "1"}}));
}

TEST(VCardText, LabelsComeFromTheFirstMeaningfulType) {
    const auto person = read_one("3.0", "FN:A\n"
                                        "TEL;TYPE=PREF;TYPE=VOICE;TYPE=CELL:1\n"
                                        "TEL;TYPE=voice,WORK:2\n"
                                        "TEL:3\n"
                                        "TEL;VALUE=uri:tel:+44 4\n"
                                        "EMAIL;TYPE=INTERNET;TYPE=pref:a@b.c\n"
                                        "EMAIL:mailto:d@e.f\n"
                                        "item7.EMAIL;TYPE=WORK:g@h.i\n"
                                        "item7.X-ABLabel:Clube\\, sócios\n"
                                        "TEL:\n");
    EXPECT_EQ(person.phones,
              (std::vector<LV>{{"mobile", "1"}, {"work", "2"}, {"", "3"}, {"", "+44 4"}}));
    EXPECT_EQ(person.emails,
              (std::vector<LV>{{"", "a@b.c"}, {"", "d@e.f"}, {"Clube, sócios", "g@h.i"}}));

    const auto old = read_one("2.1", "N:A;B\nTEL;PREF;CELL:1\nTEL;WORK;FAX:2\n");
    EXPECT_EQ(old.phones, (std::vector<LV>{{"mobile", "1"}, {"work", "2"}}));
}

TEST(VCardText, PhotosThatCannotBeReadAreLeftOutWithAWarning) {
    const auto result = read_vcards("BEGIN:VCARD\nVERSION:3.0\nFN:A\n"
                                    "PHOTO;ENCODING=b;TYPE=JPEG:not*base64!\n"
                                    "PHOTO:data:image/png,rawbytes\n"
                                    "PHOTO;VALUE=uri:http://example.org/a.jpg\n"
                                    "END:VCARD\n");
    ASSERT_FALSE(result.error);
    EXPECT_TRUE(result.entries.at(0).person.image_data.empty());
    EXPECT_EQ(result.entries.at(0).photo_line, 0);
    ASSERT_EQ(result.warnings.size(), 3u);
    EXPECT_EQ(result.warnings[0].line, 4);
    EXPECT_EQ(result.warnings[0].message, "photo left out: not valid base64");
    EXPECT_EQ(result.warnings[1].message, "photo left out: data URI is not base64");
    EXPECT_EQ(result.warnings[2].message, "photo left out: not inline in the file");
}

TEST(VCardErrors, EachGivesItsLine) {
    EXPECT_EQ(error_of(""), "1: no vCard in the file");
    EXPECT_EQ(error_of("\n\n"), "1: no vCard in the file");
    EXPECT_EQ(error_of("hello\n"), "1: property line without ':'");
    EXPECT_EQ(error_of("\nFN:A\n"), "2: text outside BEGIN:VCARD and END:VCARD");
    EXPECT_EQ(error_of(" folded\n"), "1: continuation line without a property");
    EXPECT_EQ(error_of("BEGIN:VCARD\nFN:A\n"), "1: vCard without END:VCARD");
    EXPECT_EQ(error_of("BEGIN:VCARD\nBEGIN:VCARD\n"), "2: BEGIN:VCARD inside a vCard");
    EXPECT_EQ(error_of("BEGIN:VCALENDAR\n"), "1: unexpected BEGIN:VCALENDAR");
    EXPECT_EQ(error_of("BEGIN:VCARD\nFN:A\nVERSION:5.0\nEND:VCARD\n"),
              "3: unsupported vCard version 5.0");
    EXPECT_EQ(error_of("BEGIN:VCARD\nF N:A\nEND:VCARD\n"), "2: invalid property name");
    EXPECT_EQ(error_of("BEGIN:VCARD\nTEL;TYPE=\"home:1\nEND:VCARD\n"),
              "2: property line without ':'");
    EXPECT_EQ(error_of("BEGIN:VCARD\nTEL;TYPE=\"ho\"me:1\nEND:VCARD\n"), "2: invalid parameter");
    EXPECT_EQ(error_of("BEGIN:VCARD\nFN:\xC3\x28\nEND:VCARD\n"), "2: text is not valid UTF-8");
    static constexpr char kWithNul[] = "BEGIN:VCARD\nFN:a\0b\nEND:VCARD\n";
    EXPECT_EQ(error_of(std::string(kWithNul, sizeof kWithNul - 1)), "2: text is not valid UTF-8");
    EXPECT_EQ(error_of("BEGIN:VCARD\nN;CHARSET=KOI8-R:A\nEND:VCARD\n"),
              "2: unsupported character set KOI8-R");
}

TEST(Base64, DecodesWhatItEncodes) {
    std::vector<uint8_t> bytes;
    for (int length = 0; length < 70; ++length) {
        const auto text = contacts::base64_encode(bytes);
        EXPECT_EQ(text.size() % 4, 0u);
        EXPECT_EQ(contacts::base64_decode(text), bytes) << text;
        bytes.push_back(uint8_t(length * 37 + 11));
    }
    EXPECT_EQ(contacts::base64_encode({'M', 'a'}), "TWE=");
    EXPECT_EQ(contacts::base64_decode("TW E\r\n"), (std::vector<uint8_t>{'M', 'a'}));
    EXPECT_FALSE(contacts::base64_decode("TWE=x"));
    EXPECT_FALSE(contacts::base64_decode("T"));
    EXPECT_FALSE(contacts::base64_decode("TW==="));
    EXPECT_FALSE(contacts::base64_decode("TW-E"));
}
