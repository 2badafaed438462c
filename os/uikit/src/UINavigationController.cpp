#include "uikit/UINavigationController.h"

#include "Display.h"
#include "uikit/UIScreen.h"

namespace {

// The navigation controller's view: lays out the bar and the top controller's view, and tells
// the controller when it enters or leaves a window.
class NavigationContainerView : public UIView {
public:
    NavigationContainerView(CGRect frame, UINavigationController* controller)
        : UIView(frame), controller_(controller)
    {
    }
    std::string className() const override { return "UILayoutContainerView"; }
    void detach() { controller_ = nullptr; }

    void layoutSubviews() override
    {
        UIView::layoutSubviews();
        if (controller_)
            controller_->layoutContent();
    }

protected:
    void didMoveToSuperview() override
    {
        if (controller_)
            controller_->containerMovedToWindow(window() != nullptr);
    }

private:
    UINavigationController* controller_;
};

} // namespace

UINavigationController::UINavigationController(std::shared_ptr<UIViewController> rootViewController)
    : bar_(std::make_shared<UINavigationBar>())
{
    bar_->setBackAction([this] { popViewControllerAnimated(true); });
    if (rootViewController) {
        rootViewController->setParent(this, this);
        controllers_.push_back(std::move(rootViewController));
        bar_->setItems({controllers_.back()->sharedNavigationItem()});
    }
}

UINavigationController::~UINavigationController()
{
    bar_->setBackAction(nullptr);
    for (auto& controller : controllers_)
        controller->setParent(nullptr, nullptr);
    if (isViewLoaded())
        if (auto* container = dynamic_cast<NavigationContainerView*>(view().get()))
            container->detach();
}

void UINavigationController::loadView()
{
    auto container =
        std::make_shared<NavigationContainerView>(UIScreen::mainScreen().applicationFrame(), this);
    container->setAutoresizesSubviews(true);
    bar_->setFrame(
        CGRectMake(0, 0, container->frame().size.width, UINavigationBar::standardHeight));
    bar_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    bar_->setHidden(navigationBarHidden_);
    container->addSubview(bar_);
    setView(container);
    if (UIViewController* top = topViewController()) {
        container->insertSubview_belowSubview(top->view(), bar_.get());
        layoutContent();
    }
}

UIViewController* UINavigationController::topViewController() const
{
    return controllers_.empty() ? nullptr : controllers_.back().get();
}

UIViewController* UINavigationController::visibleViewController() const
{
    if (UIViewController* modal = modalViewController())
        return modal;
    return topViewController();
}

UINavigationBar* UINavigationController::navigationBar() { return bar_.get(); }

void UINavigationController::setNavigationBarHidden_animated(bool hidden, bool animated)
{
    (void)animated;
    navigationBarHidden_ = hidden;
    bar_->setHidden(hidden);
    layoutContent();
}

void UINavigationController::layoutContent()
{
    if (!isViewLoaded())
        return;
    const CGRect box = view()->bounds();
    const CGFloat barHeight = navigationBarHidden_ ? 0 : UINavigationBar::standardHeight;
    bar_->setFrame(
        CGRectMake(box.origin.x, box.origin.y, box.size.width, UINavigationBar::standardHeight));
    if (UIViewController* top = topViewController())
        top->view()->setFrame(CGRectMake(box.origin.x, box.origin.y + barHeight, box.size.width,
                                         box.size.height - barHeight));
}

void UINavigationController::containerMovedToWindow(bool inWindow)
{
    UIViewController* top = topViewController();
    if (!top || inWindow == appeared_)
        return;
    appeared_ = inWindow;
    if (inWindow) {
        top->viewWillAppear(false);
        top->viewDidAppear(false);
    } else {
        top->viewWillDisappear(false);
        top->viewDidDisappear(false);
    }
}

void UINavigationController::show(UIViewController* incoming, UIViewController* outgoing,
                                  bool animated)
{
    std::vector<std::shared_ptr<UINavigationItem>> items;
    for (auto& controller : controllers_)
        items.push_back(controller->sharedNavigationItem());
    bar_->setItems(std::move(items));
    if (!isViewLoaded() || !incoming)
        return;
    if (delegate_)
        delegate_->navigationController_willShowViewController_animated(this, incoming, animated);
    if (appeared_) {
        if (outgoing)
            outgoing->viewWillDisappear(animated);
        incoming->viewWillAppear(animated);
    }
    if (outgoing && outgoing->isViewLoaded())
        outgoing->view()->removeFromSuperview();
    view()->insertSubview_belowSubview(incoming->view(), bar_.get());
    layoutContent();
    if (appeared_) {
        if (outgoing)
            outgoing->viewDidDisappear(animated);
        incoming->viewDidAppear(animated);
    }
    if (delegate_)
        delegate_->navigationController_didShowViewController_animated(this, incoming, animated);
}

void UINavigationController::pushViewController_animated(
    std::shared_ptr<UIViewController> controller, bool animated)
{
    if (!controller)
        return;
    UIViewController* outgoing = topViewController();
    controller->setParent(this, this);
    controllers_.push_back(std::move(controller));
    show(controllers_.back().get(), outgoing, animated);
    UIAccessibilityPostNotification(UIAccessibilityScreenChangedNotification, view().get());
}

std::shared_ptr<UIViewController> UINavigationController::popViewControllerAnimated(bool animated)
{
    if (controllers_.size() < 2)
        return nullptr;
    auto popped = std::move(controllers_.back());
    controllers_.pop_back();
    show(controllers_.back().get(), popped.get(), animated);
    UIAccessibilityPostNotification(UIAccessibilityScreenChangedNotification, view().get());
    popped->setParent(nullptr, nullptr);
    // Its own button may be what popped it.
    uikit::autorelease(popped);
    return popped;
}

void UINavigationController::popToRootViewControllerAnimated(bool animated)
{
    if (controllers_.size() < 2)
        return;
    auto outgoing = controllers_.back();
    std::vector<std::shared_ptr<UIViewController>> popped(controllers_.begin() + 1,
                                                          controllers_.end());
    controllers_.resize(1);
    show(controllers_.front().get(), outgoing.get(), animated);
    UIAccessibilityPostNotification(UIAccessibilityScreenChangedNotification, view().get());
    for (auto& controller : popped) {
        controller->setParent(nullptr, nullptr);
        uikit::autorelease(controller);
    }
}
