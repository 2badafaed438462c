#include "PersonRows.h"

#include "BirthdayText.h"
#include "FieldLabels.h"
#include "foundation/DeviceText.h"

#include <algorithm>

namespace addressbookui {

PersonSections personSections(const ab::Person& person, const std::vector<ABPropertyID>& displayed,
                              bool editing, bool newPerson)
{
    using Kind = PersonRow::Kind;
    PersonSections sections{{{Kind::Header}}};
    std::vector<PersonRow> adds;
    const auto displays = [&displayed](ABPropertyID property) {
        return std::find(displayed.begin(), displayed.end(), property) != displayed.end();
    };
    for (ABPropertyID property : displayed) {
        std::vector<PersonRow> rows;
        const bool dates =
            property == kABPersonDateProperty
                ? !displays(kABPersonBirthdayProperty)
                : property == kABPersonBirthdayProperty && displays(kABPersonDateProperty);
        if (property == kABPersonBirthdayProperty) {
            if (person.birthday) {
                rows.push_back({Kind::Value, property, kABMultiValueInvalidIdentifier,
                                os::deviceText("birthday"), birthdayText(*person.birthday)});
                if (editing)
                    rows.push_back({Kind::BirthdayEditor, property});
            } else if (editing) {
                rows.push_back({Kind::AddBirthday, property, kABMultiValueInvalidIdentifier, "",
                                os::deviceText("add birthday")});
            }
        } else if (property == kABPersonPhoneProperty || property == kABPersonEmailProperty) {
            const auto& values = property == kABPersonPhoneProperty ? person.phones : person.emails;
            for (size_t i = 0; i < values.size(); ++i)
                rows.push_back({Kind::Value, property, ABMultiValueIdentifier(i),
                                labelText(values[i].label), values[i].value});
            if (editing)
                adds.push_back({Kind::AddValue, property, kABMultiValueInvalidIdentifier, "",
                                property == kABPersonPhoneProperty ? os::deviceText("add phone")
                                                                   : os::deviceText("add email")});
        }
        if (dates)
            for (const auto& labeled : person.dates)
                rows.push_back({Kind::Date, property, kABMultiValueInvalidIdentifier,
                                labelText(labeled.label), birthdayText(labeled.date)});
        if (!rows.empty())
            sections.push_back(std::move(rows));
    }
    if (!adds.empty())
        sections.push_back(std::move(adds));
    if (editing && !newPerson)
        sections.push_back({{Kind::DeleteContact}});
    return sections;
}

} // namespace addressbookui
