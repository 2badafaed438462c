#pragma once
// The desktop's file chooser, for a file to open. It is Qt's file dialog: the desktop portal's
// chooser where the platform theme picks the portal (QT_QPA_PLATFORMTHEME=xdgdesktopportal, a
// sandbox), the desktop's own or Qt's otherwise. It opens without blocking, over the screen's
// window, and answers once: the file chosen, or nullopt when the user cancelled. While open it
// is a record of the screen's dump, and the automation answers it (uikit/Automation.h).
// Main thread only.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace uikit {

using FileChosen = std::function<void(std::optional<std::filesystem::path> file)>;

// Opens the chooser. `nameFilters` as the chooser lists them, the first one selected:
// "vCard files (*.vcf *.vcard)". One chooser is open at a time: opening another cancels the
// former, whose answer is nullopt. `done` may open the next chooser.
void chooseFile(std::string title, std::vector<std::string> nameFilters, FileChosen done);

bool isFileChooserOpen();

} // namespace uikit
