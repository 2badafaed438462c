#include "ContactActions.h"
#include "RootViewController.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <utility>

namespace {

using namespace contact_actions;

TEST(ContactActionsSms, TakesOnlyTheDiallingCharactersOfOneNumber)
{
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"(11) 9876-5432", "sms:1198765432"},
        {"+55 11 9876-5432", "sms:+551198765432"},
        {"555.123.4567", "sms:5551234567"},
        {"+55\u00A011 9876", "sms:+55119876"},
        {"*#06#/x\t1", "sms:*%2306%231"}, // "#" would start a fragment
        // A second recipient and a body the sheet never showed.
        {"+15550100,+19005550199?body=YES", "sms:+15550100"},
        {"+15550100?body=YES&to=+19005550199", "sms:+1555010019005550199"},
        {"555 0100;ext=9", "sms:5550100"},
        {"1+2", "sms:12"},
        {"", std::nullopt},
        {"+*#", std::nullopt},
        {",5550100", std::nullopt},
    };
    for (const auto& [number, url] : cases)
        EXPECT_EQ(smsURLText(number), url) << number;
}

TEST(ContactActionsSheet, OffersEveryNumberInStoredOrderWhateverItsLabel)
{
    ab::Person person;
    person.phones = {
        {"home", "111"}, {"work", "222"}, {"mobile", "333"}, {"fax", "444"}, {"Grandma's", "555"}};
    EXPECT_EQ(phoneNumbers(person), (std::vector<std::string>{"111", "222", "333", "444", "555"}));
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
