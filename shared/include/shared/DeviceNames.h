#pragma once
// The names the application and the home-screen agent both use on the device. Device paths are
// resolved under the device root. The settings file's path is in SettingsFile.h, the address
// book's in addressbook/AddressBook.h.
namespace tortamos {

// Posted by the application when it ends; the agent then reads the settings again and recounts.
inline constexpr const char* kChangeNotice = "kTortamosBadge";

// The chime of the daily alert, which the settings screen also plays as a preview.
inline constexpr const char* kAlertSoundPath = "/var/mobile/Library/Tortamos/birthday.wav";
// The tick of stand-by mode.
inline constexpr const char* kTickSoundPath = "/var/mobile/Library/Tortamos/trick.aif";

} // namespace tortamos
