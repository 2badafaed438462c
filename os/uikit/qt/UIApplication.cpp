#include "uikit/UIApplication.h"

#include "AutomationScript.h"
#include "Painting.h"
#include "Screen.h"
#include "uikit/QtRunLoop.h"

#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    // Nothing to do when the pipe is full: a termination is on its way already.
    [[maybe_unused]] ssize_t written = write(signalPipe[1], &byte, 1);
}

// SIGTERM and SIGINT end the application through the event loop, like closing its window.
void watchTerminationSignals()
{
    if (pipe(signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char byte;
        [[maybe_unused]] ssize_t got = read(signalPipe[0], &byte, 1);
        UIApplication::sharedApplication()->terminateWithStatus(0);
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

} // namespace

UIApplication* UIApplication::sharedApplication()
{
    // Never destroyed: the delegate may be needed until the process ends.
    static UIApplication* application = new UIApplication;
    return application;
}

void UIApplication::setDelegate(std::unique_ptr<UIApplicationDelegate> delegate)
{
    delegate_ = std::move(delegate);
}

void UIApplication::terminateWithStatus(int status)
{
    if (!terminating_) {
        terminating_ = true;
        if (delegate_)
            delegate_->applicationWillTerminate(this);
    }
    QCoreApplication::exit(status);
}

int UIApplicationMain(int argc, char* argv[], const UIApplicationDelegateFactory& delegateFactory)
{
    uikit::ensureApplication(argc, argv);
    // Before the launch, so what it schedules (timers, watches) runs on this event loop.
    os::install_main_run_loop(&uikit::qtRunLoop());
    UIApplication* application = UIApplication::sharedApplication();
    watchTerminationSignals();
    auto& screen = uikit::Screen::shared();
    screen.setCloseHandler([application] { application->terminateWithStatus(0); });
    screen.setActivationHandler([application] {
        if (application->delegate())
            application->delegate()->applicationDidBecomeActive(application);
    });
    screen.show();
    if (delegateFactory)
        application->setDelegate(delegateFactory());
    if (application->delegate())
        application->delegate()->applicationDidFinishLaunching(application);
    if (const char* script = std::getenv("UIKIT_AUTOMATION"); script && *script)
        if (!uikit::runScript(script))
            return 3;
    return QApplication::exec();
}
