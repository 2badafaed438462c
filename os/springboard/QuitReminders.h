#pragma once
// Ending the home screen ends every reminder until the next login starts it again, so the user
// is asked first, in the home screen's window, and told so. Main thread only, once the
// application exists.
#include <functional>

namespace springboard {

// Shows the window (by `show_window`) with the question; "Quit Reminders" ends the application,
// "Cancel" leaves everything running. A second request while one is asked asks nothing more.
void confirm_quitting_reminders(const std::function<void()>& show_window);

} // namespace springboard
