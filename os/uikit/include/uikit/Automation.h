#pragma once
// What the end-to-end tests and the demo use to drive and inspect the screen: the view tree as
// a dump, screenshots, taps by text or by point, scrolling a table to a row. The same commands
// run from a script file named by UIKIT_AUTOMATION, one per line:
//   wait MS | tap TEXT | tapat X Y | scrollto SECTION ROW | dump FILE | screenshot FILE | quit
// Blank lines and lines starting with # are skipped. An unknown command or a tap that finds
// nothing ends the program with a message on standard error and exit status 3.
#include "uikit/CGGeometry.h"
#include "uikit/ViewDump.h"

#include <filesystem>
#include <memory>
#include <string_view>

class UIImage;
class UIView;

namespace uikit {

// Lays out what needs it, releases what the last event let go of, and handles pending events.
void runPendingWork();

// The screen: {"class": "UIScreen", "frame": [0, 0, 320, 480], "children": [windows back to
// front, the status bar, alerts]}. Each view: class, frame (screen points), hidden, children,
// and its own keys (text, textColor, image, selected, on, badge, sections).
DumpRecord dumpScreen();
DumpRecord dumpView(const UIView& view);

// The 320 x 480 screen, status bar included.
std::shared_ptr<UIImage> screenshot();
bool saveScreenshot(const std::filesystem::path& file);

// Touches the screen at the point (screen points): the view under it gets a touch that begins
// and ends there.
void tapAt(CGPoint point);
// Taps the middle of the frontmost visible view whose title or text is `text`; false when
// there is none.
bool tap(std::string_view text);
// Scrolls the frontmost visible table so that the row is at the top; false when there is no
// table or no such row.
bool scrollTo(int section, int row);

// Runs the script's commands on the event loop, one after another, starting after the current
// event. Returns false (with a message on standard error) when the file cannot be read.
bool runScript(const std::filesystem::path& file);

} // namespace uikit
