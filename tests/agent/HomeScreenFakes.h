#pragma once
// Stand-ins for the home screen's icon classes in the class runtime, recording what reaches them:
// "icon ID=TEXT" for a badge set through an application icon, "application ID=TEXT" for one set on
// the application itself (the older services route), "redraw" for the icon model's notice.
#include <string>
#include <vector>

namespace fakes {

// Registers the classes SBApplicationController, SBApplicationIcon and SBIconModel once per
// process, and SpringBoard when asked.
void register_icon_classes();
void register_springboard_class();

std::vector<std::string>& home_screen_events();

} // namespace fakes
