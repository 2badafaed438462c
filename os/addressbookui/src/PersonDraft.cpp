#include "PersonDraft.h"

#include <algorithm>

namespace addressbookui {
namespace {

bool blank(const std::string& text)
{
    return text.find_first_not_of(" \t\n\r") == std::string::npos;
}

// The values the screen edits, as members, so that each is compared and written alike.
template <class Apply>
void forEachEditedMember(Apply apply)
{
    apply(&ab::Person::first_name);
    apply(&ab::Person::last_name);
    apply(&ab::Person::image_data);
    apply(&ab::Person::birthday);
    apply(&ab::Person::phones);
    apply(&ab::Person::emails);
}

} // namespace

PersonDraft::PersonDraft(ab::Person original) : original_(original), edited_(std::move(original)) {}

bool PersonDraft::setBirthday(std::optional<ab::CivilDate> birthday)
{
    if (birthday && !ab::is_valid_birthday(*birthday))
        return false;
    edited_.birthday = birthday;
    return true;
}

std::vector<ab::LabeledValue>* PersonDraft::values(ABPropertyID property)
{
    if (property == kABPersonPhoneProperty)
        return &edited_.phones;
    if (property == kABPersonEmailProperty)
        return &edited_.emails;
    return nullptr;
}

ab::LabeledValue* PersonDraft::entry(ABPropertyID property, ABMultiValueIdentifier identifier)
{
    auto* list = values(property);
    if (!list || identifier < 0 || size_t(identifier) >= list->size())
        return nullptr;
    return &(*list)[size_t(identifier)];
}

ABMultiValueIdentifier PersonDraft::add(ABPropertyID property, std::string label)
{
    auto* list = values(property);
    if (!list)
        return kABMultiValueInvalidIdentifier;
    list->push_back({std::move(label), ""});
    return ABMultiValueIdentifier(list->size() - 1);
}

std::string PersonDraft::unusedLabel(ABPropertyID property, const std::vector<std::string>& usual)
{
    const auto* list = values(property);
    for (const auto& label : usual)
        if (list && std::none_of(list->begin(), list->end(),
                                 [&](const ab::LabeledValue& v) { return v.label == label; }))
            return label;
    return "other";
}

bool PersonDraft::remove(ABPropertyID property, ABMultiValueIdentifier identifier)
{
    if (property == kABPersonBirthdayProperty) {
        edited_.birthday.reset();
        return true;
    }
    if (!entry(property, identifier))
        return false;
    values(property)->erase(values(property)->begin() + identifier);
    return true;
}

ab::Person PersonDraft::kept() const
{
    ab::Person person = edited_;
    for (auto* name : {&person.first_name, &person.last_name})
        if (*name && blank(**name))
            name->reset();
    for (auto* list : {&person.phones, &person.emails})
        std::erase_if(*list, [](const ab::LabeledValue& v) { return blank(v.value); });
    return person;
}

bool PersonDraft::isEmpty() const
{
    const ab::Person person = kept();
    return !person.first_name && !person.last_name && !person.birthday && person.phones.empty() &&
           person.emails.empty() && person.image_data.empty();
}

bool PersonDraft::hasChanges() const
{
    const ab::Person person = kept();
    bool changed = false;
    forEachEditedMember(
        [&](auto member) { changed = changed || person.*member != original_.*member; });
    return changed;
}

void PersonDraft::applyChanges(ab::Person& stored) const
{
    const ab::Person person = kept();
    forEachEditedMember([&](auto member) {
        if (person.*member != original_.*member)
            stored.*member = person.*member;
    });
}

bool isSamePerson(const ab::Person& shown, const ab::Person& stored)
{
    if (shown.uid || stored.uid)
        return shown.uid == stored.uid;
    return shown.first_name == stored.first_name || shown.last_name == stored.last_name ||
           shown.birthday == stored.birthday;
}

} // namespace addressbookui
