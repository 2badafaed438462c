#include "ApplicationLauncher.h"

#include "foundation/Device.h"
#include "foundation/Log.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace springboard {

bool launch_application(const InstalledApplication& application) {
    QProcess process;
    process.setProgram(QString::fromStdString(application.executable.string()));
    process.setWorkingDirectory(QString::fromStdString(application.bundle.string()));
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DEVICE_ROOT", QString::fromStdString(os::device_root().string()));
    // A script that drives the home screen is not the application's to run.
    environment.remove("UIKIT_AUTOMATION");
    process.setProcessEnvironment(environment);
    if (!process.startDetached()) {
        NSLog("SpringBoard: %s could not be started", application.identifier.c_str());
        return false;
    }
    return true;
}

} // namespace springboard
