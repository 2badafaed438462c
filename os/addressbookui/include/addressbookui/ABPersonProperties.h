#pragma once
// Which value of a person the person screen means, and which entry of a list of values.

#include <cstdint>

// Which value of a person: its birthday, its labelled dates (an anniversary...), its phone
// numbers or its e-mail addresses.
using ABPropertyID = int32_t;
inline constexpr ABPropertyID kABPersonPhoneProperty = 3;
inline constexpr ABPropertyID kABPersonEmailProperty = 4;
inline constexpr ABPropertyID kABPersonDateProperty = 12;
inline constexpr ABPropertyID kABPersonBirthdayProperty = 17;
// Which entry of a list of values: its position in the list. A single value has none.
using ABMultiValueIdentifier = int32_t;
inline constexpr ABMultiValueIdentifier kABMultiValueInvalidIdentifier = -1;
