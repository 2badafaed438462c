#pragma once
// The home screen's classes in the class runtime, as extensions find them by name:
//   SpringBoard             the application object; -applicationDidFinishLaunching: shows the
//                           home screen
//   SBApplicationController +sharedInstance, -applicationWithDisplayIdentifier: (nil when the
//                           application is not installed)
//   SBApplication           -displayIdentifier, -displayName, -badge, -setBadge: (sets the icon's
//                           badge at once)
//   SBApplicationIcon       +alloc, -initWithApplication:, -application, -setBadge:
//   SBIconModel             +sharedInstance, -noteIconStateChangedExternally (redraws the icons)
#include "runtime/Runtime.h"

namespace springboard {

class HomeScreen;

// Defines the classes over the home screen, which must outlive the process's use of them, and
// returns the SpringBoard application object. Once per process: nullptr when they already exist.
id define_home_screen_classes(HomeScreen& home);

} // namespace springboard
