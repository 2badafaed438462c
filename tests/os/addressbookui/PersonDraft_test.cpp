#include "PersonDraft.h"

#include <gtest/gtest.h>

namespace {

using addressbookui::PersonDraft;

TEST(PersonDraft, KeepsNoBlanksAndWritesOnlyWhatWasChangedOntoThePersonAsStored)
{
    ab::Person ana;
    ana.first_name = "Ana";
    ana.last_name = "Lima";
    ana.birthday = ab::CivilDate{1980, 3, 5};
    ana.phones = {{"mobile", "555 1234"}};
    PersonDraft draft(ana);
    EXPECT_EQ(draft.unusedLabel(kABPersonPhoneProperty, {"mobile", "home"}), "home");
    draft.add(kABPersonPhoneProperty, "home"); // left blank
    EXPECT_FALSE(draft.hasChanges()) << "a blank value is no change";
    EXPECT_FALSE(draft.setBirthday(ab::CivilDate{1981, 2, 29}));
    EXPECT_FALSE(draft.remove(kABPersonPhoneProperty, 2));
    draft.setFirstName("Bea");
    EXPECT_TRUE(draft.remove(kABPersonBirthdayProperty, kABMultiValueInvalidIdentifier));
    EXPECT_EQ(draft.kept().phones, ana.phones);

    ab::Person stored = ana; // changed meanwhile by another program
    stored.last_name = "Souza";
    stored.image_data = {1, 2, 3};
    draft.applyChanges(stored);
    EXPECT_EQ(stored.first_name, "Bea");
    EXPECT_EQ(stored.last_name, "Souza");
    EXPECT_EQ(stored.image_data, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(stored.birthday, std::nullopt);
    EXPECT_EQ(stored.phones, ana.phones);
}

TEST(PersonDraft, IsEmptyWhenOnlyBlanksWereTyped)
{
    PersonDraft draft{ab::Person{}};
    draft.setFirstName(" \t");
    draft.add(kABPersonEmailProperty, "home");
    EXPECT_TRUE(draft.isEmpty());
    draft.setBirthday(ab::CivilDate{ab::kUnknownYear, 5, 3});
    EXPECT_FALSE(draft.isEmpty()) << "a birthday without a year is a value";
}

} // namespace
