#pragma once
// Makes an Olson time zone ("America/Sao_Paulo", "Etc/GMT+12") the process's default for as long
// as the object lives, then restores the previous default. For tests: date services made while it
// lives work in that zone.
#include <memory>
#include <string_view>

namespace platform {

class ScopedTimeZone {
public:
    // Throws std::invalid_argument for a zone the time-zone data does not know.
    explicit ScopedTimeZone(std::string_view id);
    ~ScopedTimeZone();
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    struct Previous;
    std::unique_ptr<Previous> previous_;
};

} // namespace platform
