#include "BirthdayCalendar.h"

#include <libical/ical.h>

#include <memory>

namespace contacts {
namespace {

constexpr const char* kProductId = "-//Tortamos//contacts calendar//EN";

struct FreeComponent {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, FreeComponent>;

bool is_leap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// The first occurrence, which a calendar requires to match the event's own rule: a 29 February
// birthday recurs on the 60th day of each year (29 February in leap years, 1 March in common
// years, the day the device observes it), so in a common year of birth, and in 1900 for a
// birthday without a year, it starts on 1 March.
icaltimetype first_day(const ab::CivilDate& birthday)
{
    icaltimetype day = icaltime_null_date();
    day.year = birthday.year;
    day.month = birthday.month;
    day.day = birthday.day;
    if (birthday.month == 2 && birthday.day == 29 && !is_leap(birthday.year)) {
        day.month = 3;
        day.day = 1;
    }
    return day;
}

icalrecurrencetype yearly_rule(const ab::CivilDate& birthday)
{
    icalrecurrencetype rule;
    icalrecurrencetype_clear(&rule);
    rule.freq = ICAL_YEARLY_RECURRENCE;
    // Without it, a rule on 29 February fires only in leap years.
    if (birthday.month == 2 && birthday.day == 29) {
        rule.by_year_day[0] = 60;
        rule.by_year_day[1] = ICAL_RECURRENCE_ARRAY_MAX;
    }
    return rule;
}

// A reminder relative to the start of the all-day event, midnight of the birthday.
icalcomponent* alarm(int days_before, int minute_of_day, const std::string& text)
{
    icalcomponent* valarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
    icalcomponent_add_property(valarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icalcomponent_add_property(valarm, icalproperty_new_description(text.c_str()));
    icalcomponent_add_property(valarm, icalproperty_new_trigger(icaltriggertype_from_int(
                                           (minute_of_day - days_before * 24 * 60) * 60)));
    return valarm;
}

icalcomponent* event(const BirthdayEvent& birthday, const Reminders& reminders, std::time_t stamp)
{
    const std::string summary = "Birthday: " + birthday.name;
    icalcomponent* vevent = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(vevent, icalproperty_new_uid(birthday.uid.c_str()));
    icalcomponent_add_property(vevent, icalproperty_new_dtstamp(icaltime_from_timet_with_zone(
                                           stamp, 0, icaltimezone_get_utc_timezone())));
    icalcomponent_add_property(vevent, icalproperty_new_dtstart(first_day(birthday.birthday)));
    icalcomponent_add_property(vevent, icalproperty_new_rrule(yearly_rule(birthday.birthday)));
    icalcomponent_add_property(vevent, icalproperty_new_summary(summary.c_str()));
    if (birthday.birthday.year != ab::kUnknownYear) {
        const std::string born = "Born in " + std::to_string(birthday.birthday.year);
        icalcomponent_add_property(vevent, icalproperty_new_description(born.c_str()));
    }
    // A birthday does not make its person's friends busy.
    icalcomponent_add_property(vevent, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    for (const int days : reminders.days_before)
        icalcomponent_add_component(vevent, alarm(days, reminders.minute_of_day, summary));
    return vevent;
}

} // namespace

std::string calendar_text(const std::vector<BirthdayEvent>& events, const Reminders& reminders,
                          std::time_t stamp)
{
    const Component calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(kProductId));
    for (const auto& birthday : events)
        icalcomponent_add_component(calendar.get(), event(birthday, reminders, stamp));
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    std::string result = text;
    icalmemory_free_buffer(text);
    return result;
}

std::optional<std::time_t> stamp_of_our_calendar(const std::string& text)
{
    const Component calendar(icalparser_parse_string(text.c_str()));
    if (!calendar || icalcomponent_isa(calendar.get()) != ICAL_VCALENDAR_COMPONENT)
        return std::nullopt;
    const icalproperty* product =
        icalcomponent_get_first_property(calendar.get(), ICAL_PRODID_PROPERTY);
    const char* product_id = product ? icalproperty_get_prodid(product) : nullptr;
    if (!product_id || std::string_view(product_id) != kProductId)
        return std::nullopt;
    icalcomponent* vevent =
        icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
    if (!vevent)
        return std::nullopt;
    const icaltimetype stamp = icalcomponent_get_dtstamp(vevent);
    if (icaltime_is_null_time(stamp))
        return std::nullopt;
    return icaltime_as_timet_with_zone(stamp, icaltimezone_get_utc_timezone());
}

} // namespace contacts
