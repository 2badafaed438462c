#pragma once
// The home screen's services library of older systems (1.x and 2.x), at the device path below.
// Clients dlopen it and look the functions up by name; they set the badge of an application's
// icon on the home screen running in the same process.
#include <cstdint>

using mach_port_t = uint32_t;

inline constexpr const char* kSpringBoardServicesLibrary =
    "/System/Library/Frameworks/UIKit.framework/UIKit";

extern "C" {

// The port of the running home screen; 0 when this process runs none.
using SBSSpringBoardServerPortFunction = mach_port_t (*)();
mach_port_t SBSSpringBoardServerPort();

// Puts the text on the badge of the application's icon ("" removes it). Returns 0, or a non-zero
// error for port 0 or a missing argument.
using SBSetApplicationBadgeFunction = int (*)(mach_port_t port, const char* displayIdentifier,
                                              const char* badge);
int SBSetApplicationBadge(mach_port_t port, const char* displayIdentifier, const char* badge);
}
