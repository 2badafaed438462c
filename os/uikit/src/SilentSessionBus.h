#pragma once
// A session bus that accepts a connection and then says nothing would hold every D-Bus user of
// the process for good: the bus library waits on its greeting without a limit, and Qt's own users
// (the tray, accessibility, the desktop theme) wait on that in turn. For the toolkit's own files.

namespace uikit {

// Asks the bus of DBUS_SESSION_BUS_ADDRESS for its greeting, bounded in time; when it gives none,
// the address is replaced by one that fails at once, so this process and the programs it starts
// go on without a desktop bus. Call before the application exists.
void forgetSessionBusUnlessItAnswers();

} // namespace uikit
