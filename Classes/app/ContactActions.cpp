#include "ContactActions.h"

#include "engine/BirthdayList.h"
#include "uikit/NSURL.h"

namespace contact_actions {

std::vector<std::string> phoneNumbers(const ab::Person& person)
{
    std::vector<std::string> numbers;
    numbers.reserve(person.phones.size());
    for (const auto& phone : person.phones)
        numbers.push_back(phone.value);
    return numbers;
}

std::optional<std::string> chosenNumber(const std::vector<std::string>& numbers, int buttonIndex)
{
    // Taken as unsigned, a negative index lies past the numbers too.
    const auto index = static_cast<size_t>(static_cast<unsigned>(buttonIndex));
    if (index >= numbers.size())
        return std::nullopt;
    return numbers[index];
}

std::optional<std::string> smsURLText(std::string_view number)
{
    std::string dialled;
    bool hasDigit = false;
    for (const char c : number.substr(0, number.find_first_of(",;"))) {
        const bool digit = c >= '0' && c <= '9';
        if (digit || c == '*' || c == '#' || (c == '+' && dialled.empty()))
            dialled += c;
        hasDigit = hasDigit || digit;
    }
    if (!hasDigit)
        return std::nullopt;
    // "#" would begin the URL's fragment.
    return "sms:" + NSURLPercentEncoded(dialled, "+*");
}

ListToRebuild listToRebuild(int32_t itemTabSelected)
{
    switch (itemTabSelected) {
    case engine::BirthdayList::kTabAllByName: return ListToRebuild::AllByName;
    case engine::BirthdayList::kTabAllByDate: return ListToRebuild::AllByDate;
    default: return ListToRebuild::ComingBirthdays;
    }
}

std::string replaceString(std::string_view target, std::string_view source,
                          std::string_view replacement)
{
    std::string result(source);
    if (target.empty())
        return result;
    for (size_t at = result.find(target); at != std::string::npos;
         at = result.find(target, at + replacement.size()))
        result.replace(at, target.size(), replacement);
    return result;
}

} // namespace contact_actions
