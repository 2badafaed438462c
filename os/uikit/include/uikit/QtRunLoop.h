#pragma once
// The toolkit's main run loop (foundation/RunLoop.h) over Qt's event loop: timers are precise
// Qt timers, watches are socket notifiers, posted work is a queued call on the application
// object. UIApplicationMain installs it before the application finishes launching, so the
// runtime's timers and the notify centre run on the event loop of the screen.
#include "foundation/RunLoop.h"

namespace uikit {

// The process's one Qt run loop. Its sources need the Qt application object, which the toolkit
// makes when the first screen is shown.
os::RunLoop& qtRunLoop();

} // namespace uikit
