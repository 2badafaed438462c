#pragma once
// A modal alert drawn in the middle of the screen over a dimmed screen: a title, a message and
// buttons. While shown the screen holds it; a tap on a button dismisses it and tells the
// delegate the button's index (in the order the buttons were added, the cancel button first).
// Every alert shown is a line of the device journal.
#include "uikit/UIView.h"

#include <functional>
#include <string>
#include <vector>

class UIAlertView;

class UIAlertViewDelegate {
public:
    virtual ~UIAlertViewDelegate() = default;
    virtual void alertView_clickedButtonAtIndex(UIAlertView* alertView, int buttonIndex)
    {
        (void)alertView, (void)buttonIndex;
    }
    virtual void alertView_willDismissWithButtonIndex(UIAlertView* alertView, int buttonIndex)
    {
        (void)alertView, (void)buttonIndex;
    }
    virtual void alertView_didDismissWithButtonIndex(UIAlertView* alertView, int buttonIndex)
    {
        (void)alertView, (void)buttonIndex;
    }
};

class UIAlertView : public UIView {
public:
    // init
    UIAlertView();
    // initWithTitle:message:delegate:cancelButtonTitle:otherButtonTitles: — an empty cancel
    // title means no cancel button.
    UIAlertView(std::string title, std::string message, UIAlertViewDelegate* delegate,
                std::string cancelButtonTitle, std::vector<std::string> otherButtonTitles = {});
    std::string className() const override { return "UIAlertView"; }

    const std::string& title() const { return title_; }
    void setTitle(std::string title);
    const std::string& message() const { return message_; }
    void setMessage(std::string message);
    UIAlertViewDelegate* delegate() const { return delegate_; }
    void setDelegate(UIAlertViewDelegate* delegate) { delegate_ = delegate; }

    // The persons the alert is about, for a host that passes it on (the home screen names them in
    // the desktop's notification). Never drawn in the pop-up.
    const std::vector<std::string>& personNames() const { return personNames_; }
    void setPersonNames(std::vector<std::string> names) { personNames_ = std::move(names); }

    // Returns the new button's index.
    int addButtonWithTitle(std::string title);
    int numberOfButtons() const { return int(buttonTitles_.size()); }
    // Empty for an index out of range.
    std::string buttonTitleAtIndex(int index) const;
    // -1 when there is none.
    int cancelButtonIndex() const { return cancelButtonIndex_; }
    void setCancelButtonIndex(int index) { cancelButtonIndex_ = index; }

    bool isVisible() const { return visible_; }
    // Shows the alert on top of everything; the screen holds it until it is dismissed.
    void show();
    // Hides the alert and tells the delegate: clicked, will dismiss, did dismiss. An index out of
    // range is reported as it is.
    void dismissWithClickedButtonIndex_animated(int buttonIndex, bool animated);

    // Told of every alert as it is shown, after its journal line, and as it goes, so a host can
    // pass alerts on (the home screen to the desktop's notifications) and take them back. One of
    // each per process; empty for none. Main thread only.
    using ShowObserver = std::function<void(UIAlertView&)>;
    static void setShowObserver(ShowObserver observer);
    using DismissObserver = std::function<void(const UIAlertView&)>;
    static void setDismissObserver(DismissObserver observer);

    // Escape taps the cancel button, or the only button. Activate (Return, with nothing focused)
    // taps the default button: the one button besides the cancel button ("Import Others"), else
    // the cancel button or the only one.
    bool keyPressed(UIKey key) override;
    void drawRect(CGRect rect) override;
    // Read by its title, then its message.
    bool accessibilityViewIsModal() const override { return true; }
    std::string accessibilityHint() const override { return message_; }
    void describe(uikit::DumpRecord& record) const override;

protected:
    std::string defaultAccessibilityLabel() const override { return title_; }
    UIAccessibilityTraits defaultAccessibilityTraits() const override
    {
        return UIAccessibilityTraitAlert;
    }

private:
    void rebuildButtons();
    // What a tap on the button does: tells the delegate, then dismisses.
    void clickButton(int index);

    std::string title_;
    std::string message_;
    std::vector<std::string> personNames_;
    UIAlertViewDelegate* delegate_ = nullptr;
    std::vector<std::string> buttonTitles_;
    int cancelButtonIndex_ = -1;
    bool visible_ = false;
};
