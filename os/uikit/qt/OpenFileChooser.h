#pragma once
// The file chooser that is open, as the screen's dump shows it.
#include "uikit/ViewDump.h"

namespace uikit {

// {"class": "FileChooser", "text": title, "filters": the name filters joined by ";;"}, or
// nullopt when no chooser is open.
std::optional<DumpRecord> openFileChooserRecord();

} // namespace uikit
