#include "IcuCalendars.h"
#include "platform/DateServices.h"

#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <cstdlib>

namespace platform {

struct DateFormatter::Impl {
    std::unique_ptr<icu::SimpleDateFormat> formatter; // local time
    // Parsing reads the wall-clock fields strictly in UTC, which has no gaps, and then places
    // them in local time; a strict local parser would reject a time inside a gap instead.
    std::unique_ptr<icu::SimpleDateFormat> parser;
    std::unique_ptr<icu::GregorianCalendar> utc;
    std::unique_ptr<icu::GregorianCalendar> local;
};

namespace {

std::unique_ptr<icu::SimpleDateFormat> makeFormat(std::string_view pattern,
                                                  icu::GregorianCalendar* calendar)
{
    UErrorCode status = U_ZERO_ERROR;
    auto format = std::make_unique<icu::SimpleDateFormat>(
        icu::UnicodeString::fromUTF8(
            icu::StringPiece(pattern.data(), static_cast<int32_t>(pattern.size()))),
        icu_support::formatLocale(), status);
    if (U_FAILURE(status))
        std::abort(); // a pattern is a constant of the program
    format->adoptCalendar(calendar);
    return format;
}

icu::GregorianCalendar* utcCalendar(bool lenient)
{
    UErrorCode status = U_ZERO_ERROR;
    auto* calendar = new icu::GregorianCalendar(icu::TimeZone::getGMT()->clone(),
                                                icu_support::formatLocale(), status);
    if (U_FAILURE(status))
        std::abort();
    calendar->setLenient(lenient);
    return calendar;
}

} // namespace

DateFormatter::DateFormatter(std::string_view pattern) : impl_(std::make_unique<Impl>())
{
    impl_->formatter = makeFormat(pattern, icu_support::localCalendar().release());
    impl_->parser = makeFormat(pattern, utcCalendar(false));
    impl_->parser->setLenient(false);
    impl_->utc.reset(utcCalendar(true));
    impl_->local = icu_support::localCalendar();
}

DateFormatter::~DateFormatter() = default;
DateFormatter::DateFormatter(DateFormatter&&) noexcept = default;
DateFormatter& DateFormatter::operator=(DateFormatter&&) noexcept = default;

std::string DateFormatter::stringFromDate(Moment moment) const
{
    icu::UnicodeString text;
    impl_->formatter->format(moment, text);
    std::string out;
    text.toUTF8String(out);
    return out;
}

std::optional<Moment> DateFormatter::dateFromString(std::string_view text) const
{
    const icu::UnicodeString input = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    icu::ParsePosition position(0);
    const UDate wall = impl_->parser->parse(input, position);
    if (position.getErrorIndex() >= 0 || position.getIndex() == 0 ||
        position.getIndex() != input.length())
        return std::nullopt;

    UErrorCode status = U_ZERO_ERROR;
    icu::GregorianCalendar& utc = *impl_->utc;
    utc.setTime(wall, status);
    if (U_FAILURE(status))
        return std::nullopt;
    const auto field = [&](UCalendarDateFields f) { return utc.get(f, status); };
    const Moment moment = icu_support::localMoment(
        *impl_->local, field(UCAL_EXTENDED_YEAR), field(UCAL_MONTH) + 1, field(UCAL_DATE),
        field(UCAL_HOUR_OF_DAY), field(UCAL_MINUTE), field(UCAL_SECOND), field(UCAL_MILLISECOND));
    if (U_FAILURE(status))
        return std::nullopt;
    return moment;
}

int DateFormatter::intFromDate(Moment moment) const { return intValue(stringFromDate(moment)); }

} // namespace platform
