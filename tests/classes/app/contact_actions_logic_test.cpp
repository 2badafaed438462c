#include "ContactActions.h"
#include "RootViewController.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using namespace contact_actions;

TEST(ContactActionsSms, RemovesBracketsDashesAndPlainSpacesOnly)
{
    EXPECT_EQ(smsURLText("(11) 9876-5432"), "sms:1198765432");
    EXPECT_EQ(smsURLText("+55 11 9876-5432"), "sms:+551198765432");
    EXPECT_EQ(smsURLText("555.123.4567"), "sms:555.123.4567");
    // A non-breaking space is no ordinary space: it stays, and such a text opens nothing.
    EXPECT_EQ(smsURLText("+55\u00A011 9876"), "sms:+55\u00A0119876");
    EXPECT_EQ(smsURLText("*#06#/x\t1"), "sms:*#06#/x\t1");
    EXPECT_EQ(smsURLText(""), "sms:");
}

TEST(ContactActionsSheet, OffersEveryNumberInStoredOrderWhateverItsLabel)
{
    ab::Person person;
    person.phones = {{"home", "111"}, {"work", "222"}, {"mobile", "333"}, {"fax", "444"},
                     {"Grandma's", "555"}};
    EXPECT_EQ(phoneNumbers(person),
              (std::vector<std::string>{"111", "222", "333", "444", "555"}));
    EXPECT_TRUE(phoneNumbers(ab::Person{}).empty());
}

TEST(ContactActionsSheet, OnlyTheButtonsOfTheNumbersChooseOne)
{
    const std::vector<std::string> numbers{"111", "222", "333"};
    EXPECT_EQ(chosenNumber(numbers, 0), "111");
    EXPECT_EQ(chosenNumber(numbers, 2), "333");
    EXPECT_EQ(chosenNumber(numbers, 3), std::nullopt); // "Cancel"
    EXPECT_EQ(chosenNumber(numbers, 4), std::nullopt);
    EXPECT_EQ(chosenNumber(numbers, -1), std::nullopt);
    EXPECT_EQ(chosenNumber(numbers, INT_MIN), std::nullopt);
    EXPECT_EQ(chosenNumber({}, 0), std::nullopt);
}

TEST(ContactActionsBack, RebuildsTheListOfTheTabLastChosen)
{
    EXPECT_EQ(listToRebuild(0), ListToRebuild::ComingBirthdays);
    EXPECT_EQ(listToRebuild(1), ListToRebuild::AllByDate);
    EXPECT_EQ(listToRebuild(2), ListToRebuild::AllByName);
    EXPECT_EQ(listToRebuild(3), ListToRebuild::ComingBirthdays);
    EXPECT_EQ(listToRebuild(-7), ListToRebuild::ComingBirthdays);
}

TEST(ReplaceString, ReplacesEveryOccurrence)
{
    const auto replace = RootViewController::replaceString_inString_withString;
    EXPECT_EQ(replace("-", "", ""), "");
    EXPECT_EQ(replace("-", "a-b-c", ""), "abc");
    EXPECT_EQ(replace("-", "---", ""), "");
    EXPECT_EQ(replace("aa", "aaaaa", "b"), "bba");
    EXPECT_EQ(replace("x", "abc", "y"), "abc");
    EXPECT_EQ(replace("é", "café é", "e"), "cafe e");
    EXPECT_EQ(replace("", "abc", "x"), "abc");
    EXPECT_EQ(replace("Ab", "ab AB Ab", "-"), "ab AB -");
}

TEST(ReplaceString, AReplacementHoldingTheTargetEnds)
{
    const auto replace = RootViewController::replaceString_inString_withString;
    EXPECT_EQ(replace("a", "banana", "aa"), "baanaanaa");
    EXPECT_EQ(replace("-", "1-2", "--"), "1--2");
    EXPECT_EQ(replace("ab", "abab", "xaby"), "xabyxaby");
}

} // namespace
