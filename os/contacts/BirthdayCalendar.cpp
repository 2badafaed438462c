#include "BirthdayCalendar.h"

#include "foundation/DeviceText.h"

#include <libical/ical.h>

#include <memory>
#include <sstream>

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
    // In the user's language, as a calendar shows them to the user who exported them.
    const std::string summary = os::deviceText("Birthday: %1", {without_controls(birthday.name)});
    icalcomponent* vevent = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(vevent,
                               icalproperty_new_uid(without_controls(birthday.uid).c_str()));
    icalcomponent_add_property(vevent, icalproperty_new_dtstamp(icaltime_from_timet_with_zone(
                                           stamp, 0, icaltimezone_get_utc_timezone())));
    icalcomponent_add_property(vevent, icalproperty_new_dtstart(first_day(birthday.birthday)));
    icalcomponent_add_property(vevent, icalproperty_new_rrule(yearly_rule(birthday.birthday)));
    icalcomponent_add_property(vevent, icalproperty_new_summary(summary.c_str()));
    if (birthday.birthday.year != ab::kUnknownYear) {
        const std::string born =
            os::deviceText("Born in %1", {std::to_string(birthday.birthday.year)});
        icalcomponent_add_property(vevent, icalproperty_new_description(born.c_str()));
    }
    // A birthday does not make its person's friends busy.
    icalcomponent_add_property(vevent, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    for (const int days : reminders.days_before)
        icalcomponent_add_component(vevent, alarm(days, reminders.minute_of_day, summary));
    return vevent;
}

std::string ical_text(icalcomponent* component)
{
    char* text = icalcomponent_as_ical_string_r(component);
    std::string result = text;
    icalmemory_free_buffer(text);
    return result;
}

} // namespace

// A name is one line; libical would write a line break as "\\n", but the other controls raw.
std::string without_controls(std::string_view text)
{
    std::string kept;
    kept.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7F)
            continue;
        if (byte == 0xC2 && i + 1 < text.size() &&
            static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            ++i;
            continue;
        }
        kept += text[i];
    }
    return kept;
}

void write_calendar(std::ostream& out, const std::vector<BirthdayEvent>& events,
                    const Reminders& reminders, std::time_t stamp)
{
    // libical writes a calendar as its BEGIN line and properties, then its components, then its
    // END line; the same text here, with each event made, written and freed in turn.
    const Component calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(kProductId));
    std::string head = ical_text(calendar.get());
    const std::string tail = "END:VCALENDAR\r\n";
    head.resize(head.size() - tail.size());
    out << head;
    for (const auto& birthday : events) {
        if (!out)
            return;
        const Component vevent(event(birthday, reminders, stamp));
        out << ical_text(vevent.get());
    }
    out << tail;
}

std::string calendar_text(const std::vector<BirthdayEvent>& events, const Reminders& reminders,
                          std::time_t stamp)
{
    std::ostringstream out;
    write_calendar(out, events, reminders, stamp);
    return std::move(out).str();
}

std::optional<OurEvent> our_single_event(const std::string& text)
{
    const Component calendar(icalparser_parse_string(text.c_str()));
    if (!calendar || icalcomponent_isa(calendar.get()) != ICAL_VCALENDAR_COMPONENT)
        return std::nullopt;
    const icalproperty* product =
        icalcomponent_get_first_property(calendar.get(), ICAL_PRODID_PROPERTY);
    const char* product_id = product ? icalproperty_get_prodid(product) : nullptr;
    if (!product_id || std::string_view(product_id) != kProductId ||
        icalcomponent_count_components(calendar.get(), ICAL_ANY_COMPONENT) != 1)
        return std::nullopt;
    icalcomponent* vevent =
        icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
    const char* uid = vevent ? icalcomponent_get_uid(vevent) : nullptr;
    if (!uid)
        return std::nullopt;
    const icaltimetype stamp = icalcomponent_get_dtstamp(vevent);
    if (icaltime_is_null_time(stamp))
        return std::nullopt;
    return OurEvent{uid, icaltime_as_timet_with_zone(stamp, icaltimezone_get_utc_timezone())};
}

} // namespace contacts
