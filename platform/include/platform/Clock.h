#pragma once
// The clock the platform's date services and their callers read: the foundation's clock
// interface (foundation/Clock.h), under the names of this layer.
#include "foundation/Clock.h"

namespace platform {

using Moment = os::Moment;
using Clock = os::Clock;
using FixedClock = os::FixedClock;
using os::system_clock;

} // namespace platform
