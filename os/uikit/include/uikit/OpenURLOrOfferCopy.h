#pragma once
// A person's URL (a call, a text message, an e-mail) that the user asked for never goes nowhere
// in silence: when no program of the desktop opens URLs of its kind, an alert says which kind of
// program is missing and offers to copy the number or the address, to use elsewhere.
#include <string>

class NSURL;

namespace uikit {

// Opens the URL through the application (UIApplication::openURL); when it cannot be opened
// (UIApplication::canOpenURL), shows the alert instead, whose "Copy Number" ("Copy Address" for
// mailto:) puts `value` on the clipboard. True when the URL was handed over. Main thread only.
bool openURLOrOfferCopy(const NSURL* url, std::string value);

} // namespace uikit
