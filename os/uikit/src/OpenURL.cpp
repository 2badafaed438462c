#include "uikit/NSURL.h"
#include "uikit/UIApplication.h"

#include "foundation/Device.h"
#include "foundation/Journal.h"

#include <QProcess>
#include <QStandardPaths>

bool UIApplication::openURL(const NSURL* url)
{
    if (!url || url->scheme().empty())
        return false;
    os::journal("openURL " + url->encodedString());
    // A device of its own (a test's, a demo's) never reaches the desktop.
    if (os::device_root().lexically_normal() == std::filesystem::path("/")) {
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (!opener.isEmpty())
            QProcess::startDetached(opener, {QString::fromStdString(url->encodedString())});
    }
    return true;
}
