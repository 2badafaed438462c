#include "ContactsList.h"
#include "ScopedEnv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

ab::PersonSummary summary(ab::RecordID id, std::optional<std::string> first,
                          std::optional<std::string> last)
{
    return {id, std::move(first), std::move(last), std::nullopt, false};
}

// "A: Ada Lovelace, Alan | B: ..." for a compact comparison.
std::string shown(const std::vector<contactsapp::ContactSection>& sections)
{
    std::string text;
    for (const auto& section : sections) {
        text += (text.empty() ? "" : " | ") + section.title + ":";
        for (size_t i = 0; i < section.rows.size(); ++i)
            text += (i ? ", " : " ") + section.rows[i].name;
    }
    return text;
}

TEST(ContactsList, SortsByLastThenFirstNameInSectionsByInitialAndFiltersBySearch)
{
    const std::vector<ab::PersonSummary> book = {
        summary(1, "Ada", "Lovelace"),    summary(2, "Émile", "Zola"),
        summary(3, "alan", "turing"),     summary(4, "Cher", std::nullopt),
        summary(5, std::nullopt, "  "),   summary(6, "Édith", "Piaf"),
        summary(7, "Åsa", "Åberg"),       summary(8, "Zed", "42"),
        summary(9, "Zoë", "Zola"),        summary(10, "Bo", "Åberg"),
        summary(11, "Anders", "Zorn"),    summary(12, std::nullopt, std::nullopt),
        summary(13, " Ada ", "Lovelace"),
    };
    struct Case {
        const char* locale;
        const char* search;
        const char* expected;
    };
    const Case cases[] = {
        {"C.UTF-8", "",
         "A: Åsa Åberg, Bo Åberg | C: Cher | L: Ada Lovelace, Ada Lovelace | P: Édith Piaf | "
         "T: alan turing | Z: Émile Zola, Zoë Zola, Anders Zorn | #: Zed 42, No Name, No Name"},
        // Swedish counts Å as a letter of its own, after Z.
        {"sv_SE.UTF-8", "",
         "C: Cher | L: Ada Lovelace, Ada Lovelace | P: Édith Piaf | T: alan turing | "
         "Z: Émile Zola, Zoë Zola, Anders Zorn | Å: Bo Åberg, Åsa Åberg | #: Zed 42, No Name, "
         "No Name"},
        // Any part of either name, or of both together; case and accents do not count.
        {"C.UTF-8", "e",
         "A: Åsa Åberg, Bo Åberg | C: Cher | L: Ada Lovelace, Ada Lovelace | P: Édith Piaf | "
         "Z: Émile Zola, Zoë Zola, Anders Zorn | #: Zed 42"},
        {"C.UTF-8", "  ZOE ", "Z: Zoë Zola"},
        {"C.UTF-8", "ada lov", "L: Ada Lovelace, Ada Lovelace"},
        {"C.UTF-8", "aberg", "A: Åsa Åberg, Bo Åberg"},
        {"C.UTF-8", "Turing", "T: alan turing"},
        // "No Name" is what shows, not a name to find.
        {"C.UTF-8", "name", ""},
        {"C.UTF-8", "xyz", ""},
    };
    for (const Case& c : cases) {
        ScopedEnv locale("LC_ALL", c.locale);
        EXPECT_EQ(shown(contactsapp::contact_sections(book, c.search)), c.expected)
            << c.locale << " \"" << c.search << "\"";
    }
    const auto sections = contactsapp::contact_sections(book, "Zoe");
    ASSERT_EQ(sections.size(), 1u);
    EXPECT_EQ(sections[0].rows, (std::vector<contactsapp::ContactRow>{{9, "Zoë Zola"}}));

    // Names alike beyond the first bytes of their collation keys still sort by what follows.
    ScopedEnv root("LC_ALL", "C.UTF-8");
    const contactsapp::ContactIndex alike({summary(1, "B", "Alexandrina"),
                                           summary(2, "A", "Alexandrina"),
                                           summary(3, "Z", "Alexandria")});
    EXPECT_EQ(shown(alike.sections()), "A: Z Alexandria, A Alexandrina, B Alexandrina");

    // One name written composed and decomposed is one name: the first names decide, then the
    // book's order.
    const contactsapp::ContactIndex forms({summary(1, "A", "Zo\u00eb"), summary(2, "C", "Zo\u00eb"),
                                           summary(3, "B", "Zoe\u0308"),
                                           summary(4, "A", "Zoe\u0308")});
    EXPECT_EQ(shown(forms.sections()), "Z: A Zo\u00eb, A Zoe\u0308, B Zoe\u0308, C Zo\u00eb");

    // A search runs across the space between the names, whatever spaces the names hold.
    const contactsapp::ContactIndex spaced(
        {summary(1, "Mary Ann", "Smith"), summary(2, "Ann", "Smithers Jones")});
    EXPECT_EQ(shown(spaced.sections("ry ann sm")), "S: Mary Ann Smith");
    EXPECT_EQ(shown(spaced.sections("ann smithers j")), "S: Ann Smithers Jones");
}

} // namespace
