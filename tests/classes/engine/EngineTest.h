#pragma once
// A list engine over an in-memory address book, with the date a test gives as today, the staged
// application bundle as the main bundle and English texts unless a test chooses a language.
#include "People.h"
#include "ScopedEnv.h"
#include "SectionNames.h"
#include "addressbook/InMemoryAddressBook.h"
#include "engine/BirthdayList.h"
#include "foundation/Bundle.h"
#include "platform/DateServices.h"
#include "platform/ScopedTimeZone.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

class EngineTest : public ::testing::Test {
protected:
    EngineTest() { NSBundle::setMainBundlePath(TORTAMOS_APP_DIR); }

    engine::BirthdayList& list()
    {
        if (!list_)
            list_.emplace(book);
        return *list_;
    }

    // The date the next imports take as today.
    void setToday(int year, int month, int day) { today = {year, month, day}; }

    // The names in each section of the list on display.
    std::vector<std::vector<std::string>> sectionNames() { return ::sectionNames(list()); }

    // Section titles and counts agree with the section lists, and no shown section is empty.
    void expectSectionsConsistent()
    {
        const auto& l = list();
        ASSERT_EQ(l.dataArraySection().size(), l.dataArraySectionCount().size());
        ASSERT_GE(l.tempMutableTypeArray().size(), l.dataArraySection().size());
        ASSERT_LE(l.tempMutableTypeArray().size(), l.dataArraySection().size() + 1);
        for (size_t s = 0; s < l.dataArraySection().size(); ++s) {
            EXPECT_GT(l.dataArraySectionCount()[s], 0);
            EXPECT_EQ(static_cast<size_t>(l.dataArraySectionCount()[s]),
                      l.tempMutableTypeArray()[s].size());
        }
        if (l.tempMutableTypeArray().size() > l.dataArraySection().size()) {
            EXPECT_TRUE(l.tempMutableTypeArray().back().empty());
        }
    }

    platform::ScopedTimeZone zone{"America/Sao_Paulo"};
    ab::InMemoryAddressBook book;
    platform::DateParts today;

private:
    std::optional<engine::BirthdayList> list_;
};
