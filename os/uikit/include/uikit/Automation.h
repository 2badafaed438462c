#pragma once
// The toolkit seen from outside, as the tests see it: the view tree as a dump of records, the
// screen as an image, and the views a finger would reach, to tap by text or by point and to
// scroll a table to a row. Scripts named by UIKIT_AUTOMATION run these same commands (see
// src/AutomationScript.h).
#include "uikit/CGGeometry.h"
#include "uikit/ViewDump.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

class UIImage;
class UIView;

namespace uikit {

// Lays out what needs it, releases what the last event let go of, and handles pending events.
void runPendingWork();

// The screen: {"class": "UIScreen", "frame": [0, 0, 320, 480], "children": [windows back to
// front, the status bar, alerts, the file chooser while one is open]}. Each view: class, frame
// (screen points), hidden, children, and its own keys (text, textColor, image, selected, on, badge,
// sections).
DumpRecord dumpScreen();
DumpRecord dumpView(const UIView& view);

// The 320 x 480 screen, status bar included.
std::shared_ptr<UIImage> screenshot();
bool saveScreenshot(const std::filesystem::path& file);

// Touches the screen at the point (screen points): the view under it gets a touch that begins
// and ends there.
void tapAt(CGPoint point);
// Taps the middle of the frontmost visible view whose title, text or placeholder is `text`; false
// when there is none.
bool tap(std::string_view text);
// Types the text into the text field that has the keyboard, as a key press of the desktop's
// would; false when no field has it.
bool typeText(std::string_view text);
// Answers the open file chooser as the user would: with the file, or cancelled for nullopt.
// False when no chooser is open.
bool answerFileChooser(std::optional<std::filesystem::path> file);
// Presses the key, written as a key sequence is ("Tab", "Shift+Tab", "Return", "Escape",
// "Ctrl+1", "Down", "Space"), and lets it go, as the user does on the screen's window; false
// when the text names no single key.
bool pressKey(std::string_view key);
// Closes the screen's window as the desktop's close button does (what follows is the program's
// own choice: ending, or hiding the window); false when the window is not shown.
bool closeWindow();
// Scrolls the frontmost visible table so that the row is at the top; false when there is no
// table or no such row.
bool scrollTo(int section, int row);

} // namespace uikit
