#pragma once
// The application: one per process, with a delegate told at launch and at the end. The event
// loop runs in UIApplicationMain.
#include <functional>
#include <memory>
#include <string>

class NSURL;
class UIApplication;

class UIApplicationDelegate {
public:
    virtual ~UIApplicationDelegate() = default;
    virtual void applicationDidFinishLaunching(UIApplication* application) { (void)application; }
    // The platform ends the application: the window was closed, the process got SIGTERM or
    // SIGINT, or the automation said quit.
    virtual void applicationWillTerminate(UIApplication* application) { (void)application; }
};

class UIApplication {
public:
    static UIApplication* sharedApplication();

    UIApplicationDelegate* delegate() const { return delegate_.get(); }
    void setDelegate(std::unique_ptr<UIApplicationDelegate> delegate);

    // Hands the URL to the system: a line "openURL URL" in the device journal (the URL
    // percent-encoded) and, on a desktop user's device (the machine's own, root "/", or the one
    // the package's launcher laid out), to the desktop's opener (xdg-open). False, opening
    // nothing, for no URL or one without a scheme, and on such a device when the opener is
    // missing or cannot be given the URL (longer than a program's argument may be): the journal
    // then says "URL not opened" and why, never "openURL".
    bool openURL(const NSURL* url);

    // Ends the application as the platform does: the delegate hears applicationWillTerminate
    // (once), then the event loop ends and UIApplicationMain returns `status`.
    void terminateWithStatus(int status = 0);

private:
    UIApplication() = default;
    std::unique_ptr<UIApplicationDelegate> delegate_;
    bool terminating_ = false;
};

// The main interface of an application: makes its delegate, which builds the window at launch.
using UIApplicationDelegateFactory = std::function<std::unique_ptr<UIApplicationDelegate>()>;

// Starts the application: the screen (Qt's offscreen platform when there is no display), the
// delegate with applicationDidFinishLaunching, the script named by UIKIT_AUTOMATION when set,
// then the event loop. Returns the exit status: 0 when the platform ended the application, 3
// when an automation script failed.
int UIApplicationMain(int argc, char* argv[], const UIApplicationDelegateFactory& delegateFactory);
