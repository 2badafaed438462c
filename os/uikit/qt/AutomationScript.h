#pragma once
// Scripts that drive an application as a user would, for the end-to-end tests and the demo:
// UIApplicationMain runs the file named by UIKIT_AUTOMATION, one command a line:
//   wait MS | waitfile FILE | tap TEXT | tapat X Y | type TEXT | key KEY | scrollto SECTION ROW |
//   choose [FILE] | dump FILE | screenshot FILE | close | quit
// KEY is written as a key sequence: Tab, Shift+Tab, Return, Space, Escape, Down, PgDown, Ctrl+1.
// Blank lines and lines starting with # are skipped. An unknown command or a command that fails
// (a tap that finds nothing) ends the program with a message on standard error and exit status 3.
// The commands are the ones of uikit/Automation.h; a new one is a function and a row of the
// table in AutomationScript.cpp.
#include <filesystem>

namespace uikit {

// Runs the script's commands on the event loop, one a turn, starting after the current event.
// Returns false (with a message on standard error) when the file cannot be read.
bool runScript(const std::filesystem::path& file);

} // namespace uikit
