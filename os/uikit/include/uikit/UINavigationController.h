#pragma once
// A stack of controllers under a navigation bar. The top controller's view fills the area below
// the bar: on the standard screen 0, 64, 320, 416 in screen points.
#include "uikit/UINavigationBar.h"
#include "uikit/UIViewController.h"

#include <memory>
#include <vector>

class UINavigationController;

class UINavigationControllerDelegate {
public:
    virtual ~UINavigationControllerDelegate() = default;
    virtual void navigationController_willShowViewController_animated(
        UINavigationController* navigationController, UIViewController* viewController,
        bool animated)
    {
        (void)navigationController, (void)viewController, (void)animated;
    }
    virtual void navigationController_didShowViewController_animated(
        UINavigationController* navigationController, UIViewController* viewController,
        bool animated)
    {
        (void)navigationController, (void)viewController, (void)animated;
    }
};

class UINavigationController : public UIViewController {
public:
    // initWithRootViewController:
    explicit UINavigationController(std::shared_ptr<UIViewController> rootViewController);
    ~UINavigationController() override;

    void pushViewController_animated(std::shared_ptr<UIViewController> controller, bool animated);
    // Pops the top controller unless it is the root; the popped one is released once the
    // current event has been handled, so it may pop itself from its own button's action.
    std::shared_ptr<UIViewController> popViewControllerAnimated(bool animated);
    void popToRootViewControllerAnimated(bool animated);

    const std::vector<std::shared_ptr<UIViewController>>& viewControllers() const
    {
        return controllers_;
    }
    UIViewController* topViewController() const;
    // The controller presented over the top one, or the top one.
    UIViewController* visibleViewController() const;

    UINavigationBar* navigationBar();
    void setNavigationBarHidden_animated(bool hidden, bool animated);

    UINavigationControllerDelegate* delegate() const { return delegate_; }
    void setDelegate(UINavigationControllerDelegate* delegate) { delegate_ = delegate; }

    void loadView() override;

    // Lays the bar and the top controller's view out in the navigation controller's view.
    void layoutContent();
    // The view appeared in or left a window.
    void containerMovedToWindow(bool inWindow);

private:
    void show(UIViewController* incoming, UIViewController* outgoing, bool animated);

    std::vector<std::shared_ptr<UIViewController>> controllers_;
    std::shared_ptr<UINavigationBar> bar_;
    bool navigationBarHidden_ = false;
    bool appeared_ = false;
    UINavigationControllerDelegate* delegate_ = nullptr;
};
