#include "uikit/UIViewController.h"

#include "Display.h"
#include "uikit/UINavigationController.h"
#include "uikit/UIScreen.h"

#include <algorithm>

UIViewController::UIViewController(std::string nibName, NSBundle* bundle)
    : nibName_(std::move(nibName))
{
    (void)bundle;
}

UIViewController::~UIViewController()
{
    if (modal_)
        modal_->presenter_ = nullptr;
}

const std::shared_ptr<UIView>& UIViewController::view()
{
    if (!view_) {
        loadView();
        if (!view_)
            view_ = std::make_shared<UIView>(UIScreen::mainScreen().applicationFrame());
        viewDidLoad();
    }
    return view_;
}

void UIViewController::setView(std::shared_ptr<UIView> view) { view_ = std::move(view); }

void UIViewController::loadView()
{
    view_ = std::make_shared<UIView>(UIScreen::mainScreen().applicationFrame());
}

bool UIViewController::shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation orientation)
{
    return orientation == UIInterfaceOrientationPortrait;
}

void UIViewController::setTitle(std::string title)
{
    title_ = title;
    navigationItem()->setTitle(std::move(title));
}

UINavigationItem* UIViewController::navigationItem() { return sharedNavigationItem().get(); }

const std::shared_ptr<UINavigationItem>& UIViewController::sharedNavigationItem()
{
    if (!navigationItem_)
        navigationItem_ = std::make_shared<UINavigationItem>(title_);
    return navigationItem_;
}

UINavigationController* UIViewController::navigationController() const
{
    if (navigationController_)
        return navigationController_;
    return parent_ ? parent_->navigationController() : nullptr;
}

UIViewController* UIViewController::parentViewController() const
{
    return parent_ ? parent_ : presenter_;
}

void UIViewController::setParent(UIViewController* parent, UINavigationController* navigation)
{
    parent_ = parent;
    navigationController_ = navigation;
}

UIViewController* UIViewController::topContainer()
{
    UIViewController* top = this;
    while (top->parent_)
        top = top->parent_;
    return top;
}

void UIViewController::presentModalViewController_animated(
    std::shared_ptr<UIViewController> controller, bool animated)
{
    if (!controller || controller.get() == this)
        return;
    UIViewController* presenter = topContainer();
    if (presenter->modal_) {
        presenter->modal_->presentModalViewController_animated(std::move(controller), animated);
        return;
    }
    presenter->modal_ = controller;
    controller->presenter_ = presenter;

    const bool container = dynamic_cast<UINavigationController*>(controller.get()) != nullptr;
    const auto modalView = controller->view();
    // Kept by the presenter while the modal view takes its place.
    const auto coveredView = presenter->view();
    if (UIView* host = coveredView->superview()) {
        const CGRect frame = UIScreen::mainScreen().applicationFrame();
        modalView->setFrame({host->convertPoint_fromView(frame.origin, nullptr), frame.size});
        const auto& siblings = host->subviews();
        const size_t index =
            size_t(std::find(siblings.begin(), siblings.end(), coveredView) - siblings.begin());
        coveredView->removeFromSuperview();
        if (!container)
            controller->viewWillAppear(animated);
        host->insertSubview_atIndex(modalView, index);
        presenter->coveredHost_ = host->weak_from_this();
        if (!container)
            controller->viewDidAppear(animated);
    } else {
        modalView->setFrame(UIScreen::mainScreen().applicationFrame());
    }
    UIAccessibilityPostNotification(UIAccessibilityScreenChangedNotification, modalView.get());
}

void UIViewController::dismissModalViewControllerAnimated(bool animated)
{
    if (!modal_) {
        for (UIViewController* c = this; c; c = c->parent_)
            if (c->presenter_) {
                c->presenter_->dismissModalViewControllerAnimated(animated);
                return;
            }
        return;
    }
    if (modal_->modal_)
        modal_->dismissModalViewControllerAnimated(animated);
    auto dismissed = std::move(modal_);
    modal_.reset();
    dismissed->presenter_ = nullptr;
    const bool container = dynamic_cast<UINavigationController*>(dismissed.get()) != nullptr;
    if (!container)
        dismissed->viewWillDisappear(animated);
    if (auto host = coveredHost_.lock()) {
        const auto modalView = dismissed->view();
        const auto& siblings = host->subviews();
        const size_t index =
            size_t(std::find(siblings.begin(), siblings.end(), modalView) - siblings.begin());
        modalView->removeFromSuperview();
        host->insertSubview_atIndex(view(), index);
    }
    coveredHost_.reset();
    if (!container)
        dismissed->viewDidDisappear(animated);
    // Its own button may be what dismissed it.
    uikit::autorelease(std::move(dismissed));
}
