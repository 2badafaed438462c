#include "foundation/Clock.h"

#include <chrono>

namespace os {
namespace {

class SystemClock final : public Clock {
public:
    Moment now() const override
    {
        using namespace std::chrono;
        return static_cast<Moment>(
            duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count());
    }
};

} // namespace

Clock& system_clock()
{
    static SystemClock clock;
    return clock;
}

} // namespace os
