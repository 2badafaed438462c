#pragma once
// The application: one per process, with a delegate told at launch and at the end. The event
// loop runs in UIApplicationMain.
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class NSURL;
class UIApplication;

class UIApplicationDelegate {
public:
    virtual ~UIApplicationDelegate() = default;
    virtual void applicationDidFinishLaunching(UIApplication* application) { (void)application; }
    // The platform ends the application: the window was closed, the process got SIGTERM or
    // SIGINT, or the automation said quit.
    virtual void applicationWillTerminate(UIApplication* application) { (void)application; }
    // The application's window came to the front: the user activated it, or a later start of
    // the application handed over to this one. What a new launch would show afresh is shown
    // afresh here.
    virtual void applicationDidBecomeActive(UIApplication* application) { (void)application; }
    // A later start was given the file (opened from the desktop) and handed it to this one.
    virtual void application_openFile(UIApplication* application, const std::filesystem::path& file)
    {
        (void)application;
        (void)file;
    }
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
    // Whether openURL would reach a program that opens the URL: on such a device, the desktop's
    // opener and a program it names for the URL's scheme (xdg-mime's default handler; when
    // xdg-mime is missing the opener is trusted); elsewhere any URL with a scheme. Asks the
    // desktop each time, so a program installed meanwhile counts.
    bool canOpenURL(const NSURL* url);

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

// In the device's running copy of an application (the process that took its lock, named by the
// bundle identifier, before loading it: foundation/ApplicationFront.h): listens for later
// starts. Each brings the window to the front, writes "handover BUNDLE-ID" in the device
// journal, and its delegate hears application_openFile for each file it was given, then
// applicationDidBecomeActive. Called before UIApplicationMain.
void UIApplicationListenForHandOvers();

// Starts the application: the screen (Qt's offscreen platform when there is no display), the
// delegate with applicationDidFinishLaunching, the script named by UIKIT_AUTOMATION when set,
// then the event loop. Returns the exit status: 0 when the platform ended the application, 3
// when an automation script failed.
int UIApplicationMain(int argc, char* argv[], const UIApplicationDelegateFactory& delegateFactory);
