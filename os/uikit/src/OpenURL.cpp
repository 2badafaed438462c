#include "uikit/NSURL.h"
#include "uikit/UIApplication.h"

#include "foundation/Device.h"
#include "foundation/Journal.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

// The machine itself, or the device the desktop's launcher laid out for its user (it keeps the
// package version there), is a person's own: its URLs open on the desktop. A device of a test
// or the demo never reaches the desktop.
bool belongsToDesktopUser()
{
    if (os::device_root().lexically_normal() == std::filesystem::path("/"))
        return true;
    std::error_code error;
    return std::filesystem::is_regular_file(os::device_path("/var/lib/tortamos/installed-version"), error);
}

} // namespace

bool UIApplication::openURL(const NSURL* url)
{
    if (!url || url->scheme().empty())
        return false;
    os::journal("openURL " + url->encodedString());
    if (belongsToDesktopUser()) {
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (!opener.isEmpty())
            QProcess::startDetached(opener, {QString::fromStdString(url->encodedString())});
    }
    return true;
}
