#pragma once
// A controller owns a view, made on first use by loadView then viewDidLoad. Controllers are
// always made with std::make_shared. A controller inside a navigation controller knows it
// without owning it; a presenting controller owns the controller it presents modally until it
// is dismissed.
#include "uikit/UINavigationItem.h"
#include "uikit/UIView.h"

#include <memory>
#include <string>

class NSBundle;
class UINavigationController;

enum UIInterfaceOrientation {
    UIInterfaceOrientationPortrait = 1,
    UIInterfaceOrientationPortraitUpsideDown = 2,
    UIInterfaceOrientationLandscapeRight = 3,
    UIInterfaceOrientationLandscapeLeft = 4,
};

class UIViewController : public std::enable_shared_from_this<UIViewController> {
public:
    // initWithNibName:bundle: — the interface file's name is kept; the view is the plain one of
    // loadView unless a subclass makes its own.
    explicit UIViewController(std::string nibName = {}, NSBundle* bundle = nullptr);
    virtual ~UIViewController();
    UIViewController(const UIViewController&) = delete;
    UIViewController& operator=(const UIViewController&) = delete;

    // Loads the view first when it is not loaded yet.
    const std::shared_ptr<UIView>& view();
    void setView(std::shared_ptr<UIView> view);
    bool isViewLoaded() const { return view_ != nullptr; }
    // Makes the view; the base makes a plain view with the screen's application frame.
    virtual void loadView();
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool animated) { (void)animated; }
    virtual void viewDidAppear(bool animated) { (void)animated; }
    virtual void viewWillDisappear(bool animated) { (void)animated; }
    virtual void viewDidDisappear(bool animated) { (void)animated; }
    virtual void didReceiveMemoryWarning() {}
    // Portrait only, unless a subclass says otherwise.
    virtual bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation orientation);

    const std::string& nibName() const { return nibName_; }
    const std::string& title() const { return title_; }
    // Also the title of the navigation item.
    void setTitle(std::string title);
    UINavigationItem* navigationItem();

    // The navigation controller this controller is in, or the one of the controller it is in.
    UINavigationController* navigationController() const;
    // The navigation controller holding this one, or the controller that presented it.
    UIViewController* parentViewController() const;
    UIViewController* modalViewController() const { return modal_.get(); }

    // The controller's view covers the screen's application frame, above this controller's
    // topmost container, until it is dismissed.
    void presentModalViewController_animated(std::shared_ptr<UIViewController> controller,
                                             bool animated);
    // Dismisses the controller this one presented; called on the presented controller (or one
    // inside it), dismisses that. It is released once the current event has been handled.
    void dismissModalViewControllerAnimated(bool animated);

    // Set by containers.
    void setParent(UIViewController* parent, UINavigationController* navigation);

private:
    friend class UINavigationController;
    UIViewController* topContainer();
    const std::shared_ptr<UINavigationItem>& sharedNavigationItem();

    std::string nibName_;
    std::string title_;
    std::shared_ptr<UIView> view_;
    std::shared_ptr<UINavigationItem> navigationItem_;
    UIViewController* parent_ = nullptr;
    UINavigationController* navigationController_ = nullptr;
    UIViewController* presenter_ = nullptr;
    std::shared_ptr<UIViewController> modal_;
    // The superview this controller's view left while a modal view covers it.
    std::weak_ptr<UIView> coveredHost_;
};
