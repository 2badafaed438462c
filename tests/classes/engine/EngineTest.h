#pragma once
// A list engine over an in-memory address book, with the date a test gives as today, the staged
// application bundle as the main bundle and English texts unless a test chooses a language.
#include "engine/BirthdayList.h"

#include "foundation/Bundle.h"
#include "platform/AddressBookAccess.h"
#include "platform/DateServices.h"
#include "platform/ScopedTimeZone.h"

#include "ScopedEnv.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

inline ab::Person person(std::optional<std::string> first, std::optional<std::string> last,
                         std::optional<ab::CivilDate> birthday, std::vector<uint8_t> photo = {}) {
    ab::Person p;
    p.first_name = std::move(first);
    p.last_name = std::move(last);
    p.birthday = birthday;
    p.image_data = std::move(photo);
    return p;
}

// A person known by one name, born on (day, month) of 1980.
inline ab::Person born(const char* name, int day, int month, int year = 1980) {
    return person(name, std::nullopt, ab::CivilDate{year, month, day});
}

class EngineTest : public ::testing::Test {
protected:
    EngineTest() { NSBundle::setMainBundlePath(TORTAMOS_APP_DIR); }

    engine::BirthdayList& list() {
        if (!list_) list_.emplace(book);
        return *list_;
    }

    // The date the next imports take as today.
    void setToday(int year, int month, int day) { today = {year, month, day}; }

    // The names in each section of the list on display.
    std::vector<std::vector<std::string>> sectionNames() {
        std::vector<std::vector<std::string>> names;
        for (size_t s = 0; s < list().dataArraySection().size(); ++s) {
            names.emplace_back();
            for (const auto& record : list().tempMutableTypeArray()[s]) names.back().push_back(record->Name);
        }
        return names;
    }

    // Section titles and counts agree with the section lists, and no shown section is empty.
    void expectSectionsConsistent() {
        const auto& l = list();
        ASSERT_EQ(l.dataArraySection().size(), l.dataArraySectionCount().size());
        ASSERT_GE(l.tempMutableTypeArray().size(), l.dataArraySection().size());
        ASSERT_LE(l.tempMutableTypeArray().size(), l.dataArraySection().size() + 1);
        for (size_t s = 0; s < l.dataArraySection().size(); ++s) {
            EXPECT_GT(l.dataArraySectionCount()[s], 0);
            EXPECT_EQ(static_cast<size_t>(l.dataArraySectionCount()[s]), l.tempMutableTypeArray()[s].size());
        }
        if (l.tempMutableTypeArray().size() > l.dataArraySection().size()) {
            EXPECT_TRUE(l.tempMutableTypeArray().back().empty());
        }
    }

    platform::ScopedTimeZone zone{"America/Sao_Paulo"};
    platform::InMemoryAddressBook book;
    platform::DateParts today;

private:
    std::optional<engine::BirthdayList> list_;
};
