#include "VCardFixtures.h"
#include "vcard/Base64.h"
#include "vcard/VCardReader.h"

#include <gtest/gtest.h>

using contacts::read_vcards;

namespace {

std::string labeled(const std::vector<ab::LabeledValue>& values)
{
    std::string text;
    for (const auto& v : values)
        text += (text.empty() ? "" : ", ") + v.label + ":" + v.value;
    return text;
}

// A person in one line: "first|last|birthday|phones|e-mails|photo kind", and "|dates" when the
// person has labelled dates.
std::string describe(const ab::Person& p)
{
    std::string birthday = "-";
    if (p.birthday)
        birthday = (p.birthday->year == ab::kUnknownYear ? "-" : std::to_string(p.birthday->year)) +
                   "-" + std::to_string(p.birthday->month) + "-" + std::to_string(p.birthday->day);
    const auto& photo = p.image_data;
    const std::string kind = photo.empty()                          ? ""
                             : photo.size() > 2 && photo[0] == 0xFF ? "jpeg"
                             : photo.size() > 2 && photo[1] == 'P'  ? "png"
                                                                    : "other";
    std::string dates;
    for (const auto& d : p.dates)
        dates += (dates.empty() ? "|" : ", ") + d.label + ":" + ab::iso_date_text(d.date);
    return p.first_name.value_or("-") + "|" + p.last_name.value_or("-") + "|" + birthday + "|" +
           labeled(p.phones) + "|" + labeled(p.emails) + "|" + kind + dates;
}

std::vector<std::string> describe_fixture(const std::string& name)
{
    const auto result = read_vcards(read_vcard_fixture(name));
    EXPECT_FALSE(result.error) << name << ": " << result.error->message;
    std::vector<std::string> lines;
    for (const auto& entry : result.entries)
        lines.push_back(describe(entry.person));
    return lines;
}

// The one person of a card made of the given lines, described; or "LINE: message" of its error
// or warning.
std::string read_card(const std::string& lines, const std::string& version = "3.0")
{
    const auto result =
        read_vcards("BEGIN:VCARD\nVERSION:" + version + "\nFN:A\n" + lines + "END:VCARD\n");
    if (result.error)
        return std::to_string(result.error->line) + ": " + result.error->message;
    if (!result.warnings.empty())
        return std::to_string(result.warnings[0].line) + ": " + result.warnings[0].message;
    return describe(result.entries.at(0).person);
}

std::string error_of(const std::string& text)
{
    const auto result = read_vcards(text);
    if (!result.error)
        return "no error";
    return std::to_string(result.error->line) + ": " + result.error->message;
}

} // namespace

TEST(VCardFixtures, ThreeAddressBooksExports)
{
    EXPECT_EQ(describe_fixture("apple-3.0.vcf"),
              (std::vector<std::string>{
                  "Ana|Silva|1980-3-5|mobile:+55 11 91234-5678, home:+55 11 3456-7890, "
                  "Grandma's house:+55 11 5555-0101, other:+55 11 5555-0102|"
                  "home:ana.silva@example.com|jpeg",
                  "Rui|Costa|--7-21|work:+351 21 000 0000||",
                  "Jürgen, Dr.|Müller-Lüdenscheidt|--2-29|mobile:+49 30 1234567||",
                  "Padaria Estrela, Lda.|-|-|main:+351 21 111 2222||",
              }));
    EXPECT_EQ(describe_fixture("nextcloud-4.0.vcf"),
              (std::vector<std::string>{
                  "Carla|Mendes|--4-12|mobile:+55-21-99876-5432, work:+55 21 2222-3333|"
                  "home:carla@example.org|png",
                  "Daniel|Ferreira|1990-1-7|||",
                  "Eva|Rocha|1985-11-20||work:eva@work.example|",
                  "Fábio|Nunes|--9-30|||",
                  "Grupo de Corrida|-|-|||",
                  "Helena|Prado|--2-29|||",
              }));
    EXPECT_EQ(describe_fixture("android-2.1.vcf"),
              (std::vector<std::string>{
                  "João|Gonçalves|1975-12-31|mobile:+5511987650000, home:+551133330000|"
                  "home:joao@example.com|jpeg",
                  "Hans-Jürgen Karl|Müller-Brand|1962-8-15|work:+49 30 7654321, "
                  "x-boat:+49 30 0000000||",
                  "Inês|Araújo|-|fax:+351 22 123 4567||",
              }));
}

TEST(VCardFixtures, LinesOfEntriesPhotosAndWarnings)
{
    const auto apple = read_vcards(read_vcard_fixture("apple-3.0.vcf"));
    EXPECT_EQ(apple.entries.at(1).line, 31);
    EXPECT_EQ(apple.entries.at(0).photo_line, 17);
    const auto android = read_vcards(read_vcard_fixture("android-2.1.vcf"));
    EXPECT_EQ(android.entries.at(0).person.image_data, apple.entries.at(0).person.image_data)
        << "the same photo, folded differently";

    const auto v4 = read_vcards(read_vcard_fixture("nextcloud-4.0.vcf"));
    ASSERT_EQ(v4.warnings.size(), 2u);
    EXPECT_EQ(v4.warnings[0].line, 39);
    EXPECT_EQ(v4.warnings[0].message, "birthday given as text, left out");
    EXPECT_EQ(v4.warnings[1].line, 46);
    EXPECT_EQ(v4.warnings[1].message, "photo left out: not inline in the file");

    EXPECT_EQ(error_of(read_vcard_fixture("malformed.vcf")),
              "9: birthday '1970-13-45' is no valid date");
}

TEST(VCardBirthday, WrittenFormsAndPlaceholderYears)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"BDAY:1980-03-05", "1980-3-5"},
        {"BDAY:19800305", "1980-3-5"},
        {"BDAY:--0305", "--3-5"},
        {"BDAY:--03-05", "--3-5"},
        {"BDAY:1980-03-05T10:30:00+01:00", "1980-3-5"},
        {"BDAY:19800305T000000Z", "1980-3-5"},
        {"BDAY:--0305T12:00", "--3-5"},
        {"BDAY;VALUE=date: 1980-03-05 ", "1980-3-5"},
        {"BDAY:", "-"},
        {"BDAY:1604-03-05", "--3-5"},
        {"BDAY:0000-03-05", "--3-5"},
        {"BDAY;X-APPLE-OMIT-YEAR=1604:1604-02-29", "--2-29"},
        {"BDAY;X-APPLE-OMIT-YEAR=1604:1972-12-01", "1972-12-1"},
    };
    for (const auto& [line, birthday] : cases)
        EXPECT_EQ(read_card(line + "\n"), "A|-|" + birthday + "|||") << line;

    for (const char* value : {"1980", "1980-03", "--03", "---05"})
        EXPECT_EQ(read_card(std::string("BDAY:") + value + "\n", "4.0"),
                  "4: birthday '" + std::string(value) + "' lacks a month or a day, left out");

    EXPECT_EQ(read_card("BDAY:1981-02-29\n"), "4: birthday '1981-02-29' is no valid date");
    EXPECT_EQ(read_card("BDAY:--02-30\n"), "4: birthday '--02-30' is no valid date");
    for (const char* value : {"05/03/1980", "1980-03-05Tnoon", "1980--03-05", "March 5"})
        EXPECT_EQ(read_card(std::string("BDAY:") + value + "\n"),
                  "4: birthday '" + std::string(value) + "' is not a date");
}

// Anniversaries (vCard 4.0) and the grouped dates of Apple's address book (vCard 3.0) are read
// as the birthday is, and a bad one is an error of its card as a bad birthday is.
TEST(VCardDates, AnniversariesAndLabelledDatesInTheirWrittenForms)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"ANNIVERSARY:20100603\n", "anniversary:2010-06-03"},
        {"ANNIVERSARY:--0603\n", "anniversary:--06-03"},
        {"ANNIVERSARY;VALUE=date:--06-03\n", "anniversary:--06-03"},
        {"ANNIVERSARY:2010-06-03T15:00:00Z\n", "anniversary:2010-06-03"},
        {"item1.X-ABDATE;type=pref:2010-06-03\nitem1.X-ABLabel:_$!<Anniversary>!$_\n",
         "anniversary:2010-06-03"},
        {"item2.X-ABLabel:_$!<Other>!$_\nitem2.X-ABDATE;X-APPLE-OMIT-YEAR=1604:1604-11-20\n",
         "other:--11-20"},
        {"item3.X-ABDATE:2001-09-01\nitem3.X-ABLabel:Primeiro encontro\n",
         "Primeiro encontro:2001-09-01"},
        {"X-ABDATE:2001-09-01\nANNIVERSARY:19990101\nitem1.X-ABDATE:--02-29\n"
         "item1.X-ABLabel:\n",
         "other:2001-09-01, anniversary:1999-01-01, :--02-29"},
        {"ANNIVERSARY;VALUE=text:circa 1800\n", "4: anniversary given as text, left out"},
        {"ANNIVERSARY:2010\n", "4: anniversary '2010' lacks a month or a day, left out"},
        {"ANNIVERSARY:2010-02-30\n", "4: anniversary '2010-02-30' is no valid date"},
        {"ANNIVERSARY:June 3\n", "4: anniversary 'June 3' is not a date"},
        {"item1.X-ABDATE:1999-13-01\nitem1.X-ABLabel:x\n", "4: date '1999-13-01' is no valid date"},
    };
    for (const auto& [lines, dates] : cases) {
        const std::string read = read_card(lines, "4.0");
        EXPECT_EQ(read.starts_with("A|-|-||||") ? read.substr(9) : read, dates) << lines;
    }
}

TEST(VCardText, EscapesFoldingLineEndsAndLabels)
{
    EXPECT_EQ(read_card("N:Semi\\;colon;Back\\\\slash\\, and\\nnew\r\n  line;;;\r\n"
                        "TEL;TYPE=HOME:555\\,123\n"),
              "Back\\slash, and\nnew line|Semi;colon|-|home:555,123||");
    EXPECT_EQ(read_card("TEL;TYPE=PREF;TYPE=VOICE;TYPE=CELL:1\nTEL;TYPE=voice,WORK:2\nTEL:3\n"
                        "TEL;VALUE=uri:tel:+44 4\nTEL:\nEMAIL;TYPE=INTERNET;TYPE=pref:a@b.c\n"
                        "EMAIL:mailto:d@e.f\nitem7.EMAIL;TYPE=WORK:g@h.i\n"
                        "item7.X-ABLabel:Clube\\, sócios\n"),
              "A|-|-|mobile:1, work:2, :3, :+44 4|:a@b.c, :d@e.f, Clube, sócios:g@h.i|");
    EXPECT_EQ(read_card("TEL;PREF;CELL:1\nTEL;WORK;FAX:2\n", "2.1"), "A|-|-|mobile:1, work:2||");

    const auto with_bom = read_vcards("\xEF\xBB\xBF"
                                      "BEGIN:VCARD\r\nFN:Zé\r\nEND:VCARD\r\n");
    EXPECT_EQ(describe(with_bom.entries.at(0).person), "Zé|-|-|||");
    const auto classic_mac = read_vcards("BEGIN:VCARD\rFN:Mac\rTEL:1\rEND:VCARD\r");
    EXPECT_EQ(describe(classic_mac.entries.at(0).person), "Mac|-|-|:1||");
}

TEST(VCardText, PhotosThatCannotBeReadAreLeftOutWithAWarning)
{
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

TEST(VCardErrors, EachGivesItsLine)
{
    static constexpr char kWithNul[] = "BEGIN:VCARD\nFN:a\0b\nEND:VCARD\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "1: no vCard in the file"},
        {"\n\n", "1: no vCard in the file"},
        {"hello\n", "1: property line without ':'"},
        {"\nFN:A\n", "2: text outside BEGIN:VCARD and END:VCARD"},
        {" folded\n", "1: continuation line without a property"},
        {"BEGIN:VCARD\nFN:A\n", "1: vCard without END:VCARD"},
        {"BEGIN:VCARD\nBEGIN:VCARD\n", "2: BEGIN:VCARD inside a vCard"},
        {"BEGIN:VCALENDAR\n", "1: unexpected BEGIN:VCALENDAR"},
        {"BEGIN:VCARD\nFN:A\nVERSION:5.0\nEND:VCARD\n", "3: unsupported vCard version 5.0"},
        {"BEGIN:VCARD\nF N:A\nEND:VCARD\n", "2: invalid property name"},
        {"BEGIN:VCARD\nTEL;TYPE=\"home:1\nEND:VCARD\n", "2: property line without ':'"},
        {"BEGIN:VCARD\nTEL;TYPE=\"ho\"me:1\nEND:VCARD\n", "2: invalid parameter"},
        {"BEGIN:VCARD\nFN:\xC3\x28\nEND:VCARD\n", "2: text is not valid UTF-8"},
        {"BEGIN:VCARD\nTEL;TYPE=\xFF:1\nEND:VCARD\n", "2: text is not valid UTF-8"},
        {std::string(kWithNul, sizeof kWithNul - 1), "2: text is not valid UTF-8"},
        {"BEGIN:VCARD\nN;CHARSET=KOI8-R:A\nEND:VCARD\n", "2: unsupported character set KOI8-R"},
    };
    for (const auto& [text, error] : cases)
        EXPECT_EQ(error_of(text), error) << text;
}

TEST(VCardErrors, ACardLeftOutIsNamedAsItNamesItsPerson)
{
    const std::pair<std::string, std::string> cases[] = {
        {"N:Dois;Bia;;;\nBDAY:1980-02-30\n", "Bia Dois"},
        {"FN:Dra. Bia\nN:Dois;Bia;;;\nBDAY:1980-02-30\n", "Dra. Bia"},
        {"BDAY:1980-02-30\nN:Dois;Bia;;;\n", "Bia Dois"},
        {"F N:x\nFN:Bia\n", "Bia"},
        {"BDAY:1980-02-30\n", ""},
        {"N;CHARSET=KOI8-R:A\n", ""},
    };
    for (const auto& [body, name] : cases) {
        const auto read = read_vcards("BEGIN:VCARD\nVERSION:3.0\n" + body + "END:VCARD\n",
                                      contacts::CardErrors::kSkipCard);
        ASSERT_EQ(read.skipped.size(), 1u) << body;
        EXPECT_EQ(read.skipped[0].name, name) << body;
    }
}

TEST(Base64, DecodesWhatItEncodes)
{
    std::vector<uint8_t> bytes;
    for (int length = 0; length < 70; ++length) {
        EXPECT_EQ(contacts::base64_decode(contacts::base64_encode(bytes)), bytes) << length;
        bytes.push_back(uint8_t(length * 37 + 11));
    }
    EXPECT_EQ(contacts::base64_encode({'M', 'a'}), "TWE=");
    EXPECT_EQ(contacts::base64_decode("TW E\r\n"), (std::vector<uint8_t>{'M', 'a'}));
    for (const char* bad : {"TWE=x", "T", "TW===", "TW-E"})
        EXPECT_FALSE(contacts::base64_decode(bad)) << bad;
}

TEST(VCardText, OnlyTheEncodingParameterMakesAValueQuotedPrintable)
{
    // A label that holds the word is a label: a value ending in '=' is not continued.
    const auto labelled = read_vcards("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:A\r\n"
                                      "TEL;TYPE=X-QUOTED-PRINTABLE:123=\r\nEND:VCARD\r\n");
    ASSERT_FALSE(labelled.error) << labelled.error->message;
    EXPECT_EQ(describe(labelled.entries.at(0).person), "A|-|-|x-quoted-printable:123=||");
    EXPECT_EQ(read_card("item1.TEL:1=\nitem1.X-ABLabel:quoted-printable=\n"),
              "A|-|-|quoted-printable=:1=||");

    // The parameter, named or bare, joins soft line breaks; a quoted ':' is no value yet.
    EXPECT_EQ(read_card("N;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:Jo=C3=\n=A3o;Ana=\n;;;\n"),
              "Ana|João|-|||");
    EXPECT_EQ(read_card("N;QUOTED-PRINTABLE:Silva;Z=\n=C3=A9;;;\n", "2.1"), "Zé|Silva|-|||");
    EXPECT_EQ(read_card("N;X-NOTE=\"a:b\";ENCODING=QUOTED-PRINTABLE:Lo=\npes;Bia;;;\n"),
              "Bia|Lopes|-|||");
    // A carriage return that a quoted-printable value holds is kept as a line break.
    EXPECT_EQ(read_card("N;ENCODING=QUOTED-PRINTABLE:A=0D=0AB=0DC;D;;;\n"), "D|A\nB\nC|-|||");
}

TEST(VCardText, UIDsAreReadTrimmedAndTheFirstCounts)
{
    const auto result =
        read_vcards("BEGIN:VCARD\nVERSION:3.0\nFN:A\nUID: urn:uuid:a\\,b \n"
                    "UID:second\nEND:VCARD\nBEGIN:VCARD\nFN:B\nUID:  \nEND:VCARD\n");
    ASSERT_FALSE(result.error);
    EXPECT_EQ(result.entries.at(0).person.uid, "urn:uuid:a,b");
    EXPECT_EQ(result.entries.at(1).person.uid, std::nullopt);
}

TEST(VCardErrors, AHeadFoldedOverManyLinesIsOneErrorAtItsFirstLine)
{
    std::string text = "BEGIN:VCARD\r\nN;ENCODING=QUOTED-PRINTABLE";
    for (int i = 0; i < 20000; ++i)
        text += "\r\n x=";
    EXPECT_EQ(error_of(text + "\r\nEND:VCARD\r\n"), "2: property line without ':'");
}
