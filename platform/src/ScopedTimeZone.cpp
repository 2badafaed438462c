#include "platform/ScopedTimeZone.h"

#include <unicode/timezone.h>

#include <stdexcept>
#include <string>

namespace platform {

struct ScopedTimeZone::Previous {
    std::unique_ptr<icu::TimeZone> zone;
};

ScopedTimeZone::ScopedTimeZone(std::string_view id)
    : previous_(std::make_unique<Previous>(
          Previous{std::unique_ptr<icu::TimeZone>(icu::TimeZone::createDefault())}))
{
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(
        icu::StringPiece(id.data(), static_cast<int32_t>(id.size())))));
    if (*zone == icu::TimeZone::getUnknown())
        throw std::invalid_argument("unknown time zone " + std::string(id));
    icu::TimeZone::adoptDefault(zone.release());
}

ScopedTimeZone::~ScopedTimeZone() { icu::TimeZone::adoptDefault(previous_->zone.release()); }

} // namespace platform
