#include "foundation/Device.h"
#include "foundation/Journal.h"
#include "uikit/NSURL.h"
#include "uikit/UIApplication.h"

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
    return std::filesystem::is_regular_file(os::device_path("/var/lib/tortamos/installed-version"),
                                            error);
}

// The desktop's program for URLs of the scheme, by xdg-mime's answer; without xdg-mime to ask,
// xdg-open is trusted to find one.
bool desktopHasProgramFor(const std::string& scheme)
{
    QProcess query;
    query.setProgram(QStandardPaths::findExecutable(QStringLiteral("xdg-mime")));
    if (query.program().isEmpty())
        return true;
    query.setArguments({QStringLiteral("query"), QStringLiteral("default"),
                        QStringLiteral("x-scheme-handler/") + QString::fromStdString(scheme)});
    query.setStandardErrorFile(QProcess::nullDevice());
    query.start();
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished(1000);
        return true; // a desktop too slow to answer is no proof that nothing opens the URL
    }
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

bool UIApplication::canOpenURL(const NSURL* url)
{
    if (!url || url->scheme().empty())
        return false;
    if (!belongsToDesktopUser())
        return true;
    return !QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty() &&
           desktopHasProgramFor(url->scheme());
}

bool UIApplication::openURL(const NSURL* url)
{
    if (!url || url->scheme().empty())
        return false;
    const std::string text = url->encodedString();
    if (!belongsToDesktopUser()) {
        os::journal("openURL " + text);
        return true;
    }
    // The journal says "openURL" only for a URL the desktop's opener has received: one that
    // could not be handed over (no opener, or an argument longer than the system passes to a
    // program) is recorded as not opened, with the reason.
    QProcess opener;
    opener.setProgram(QStandardPaths::findExecutable(QStringLiteral("xdg-open")));
    opener.setArguments({QString::fromStdString(text)});
    std::string problem;
    if (opener.program().isEmpty())
        problem = "no xdg-open on this desktop";
    else if (!opener.startDetached())
        problem = "xdg-open did not start: " + opener.errorString().toStdString();
    if (!problem.empty()) {
        os::journal("URL not opened (" + problem + "): " + url->scheme() + ": URL of " +
                    std::to_string(text.size()) + " bytes");
        return false;
    }
    os::journal("openURL " + text);
    return true;
}
