#pragma once
// The device's own texts: what the toolkit and the system's screens show by themselves (a
// switch's "ON", "Back", a person's field labels), in the user's language. They come from the
// system's catalogue, kept on the device in the toolkit's framework
// (System/Library/Frameworks/UIKit.framework/locale/<language>/LC_MESSAGES/Localizable.mo, built
// from os/po), with the English text as the key. The language is chosen the way an application
// chooses its own (NSBundle), so the device and the application speak the same one.
#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace os {

// The text in the user's language; the English text itself when the device has no translation.
std::string deviceText(std::string_view english);

// The text in the user's language with %1, %2... replaced by the values, in that order: a
// sentence with a name or a number in it is translated whole, and a translation may put them
// where its language wants them.
std::string deviceText(std::string_view english, std::initializer_list<std::string_view> values);
// The same with values known only when it runs (a message and what it quotes).
std::string deviceText(std::string_view english, std::span<const std::string_view> values);

// The text for a count, in the user's language, with %1 the count and %2... the values: `one`
// for 1, else `other`. Catalogued as a plural entry (msgid_plural), whose first form is for 1.
std::string deviceTextForCount(size_t count, std::string_view one, std::string_view other,
                               std::initializer_list<std::string_view> values = {});

// Names a device text whose translation is looked up later, in a table of standard values, so
// that scripts/update-texts finds it for the catalogue as it finds deviceText's.
constexpr std::string_view deviceTextKey(std::string_view english) { return english; }

// The locale of the device's texts as ICU names it ("pt_BR", "en_US"), so that dates and times
// are written in the language of the words around them: the user's own tag for the language the
// catalogue answers in, else the user's English one, else "en_US".
std::string deviceLocale();

} // namespace os
