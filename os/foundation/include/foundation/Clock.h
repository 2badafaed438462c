#pragma once
// The current moment, injected: the system clock in the programs, a fixed clock in tests, so every
// rule that depends on the time of day is tested at any moment without waiting.
namespace os {

// Milliseconds since 1970-01-01 00:00 UTC, as ICU's UDate.
using Moment = double;

class Clock {
public:
    virtual ~Clock() = default;
    virtual Moment now() const = 0;
};

// The device clock.
Clock& system_clock();

// A clock that stands still until moved.
class FixedClock final : public Clock {
public:
    explicit FixedClock(Moment at = 0) : at_(at) {}
    Moment now() const override { return at_; }
    void set(Moment at) { at_ = at; }
    void advance_seconds(double seconds) { at_ += seconds * 1000.0; }

private:
    Moment at_;
};

} // namespace os
