#pragma once
// The icon the desktop shows for a program's windows, from an image of its bundle.
#include <QIcon>
#include <optional>
#include <string>

namespace uikit {

// The image is read when a platform first asks for the icon (X11 does when a window is made;
// the offscreen platform never does), not when the icon is set. Nothing when the bundle has no
// file of that name.
std::optional<QIcon> bundleIcon(const std::string& name);

} // namespace uikit
