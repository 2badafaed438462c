#pragma once
// An identifier of the device, made once at its first use and kept in the device from then on:
// what the device writes under names that other devices write too (calendar events pushed into
// one shared calendar) carries it, so that two devices never take each other's for their own.
#include <optional>
#include <string>
#include <system_error>

namespace os {

// The file that keeps it, a device path.
inline constexpr const char* kDeviceIdentifierPath = "/var/mobile/Library/DeviceIdentifier";

// 32 lower-case hexadecimal digits of random, the same on every call for the device; made and
// kept on the first call. Two programs making it at once both get the one that was kept first.
// nullopt, with the error, when it can be neither read nor made, or the file holds anything else
// (a new one would disown everything written under the old one).
std::optional<std::string> device_identifier(std::error_code& error);

} // namespace os
