#include "uikit/Automation.h"
#include "uikit/UIControl.h"
#include "uikit/UILabel.h"
#include "uikit/UIScreen.h"
#include "uikit/UIView.h"
#include "uikit/UIWindow.h"
#include "uikit/ViewDump.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::vector<const UIView*> order(const UIView& parent)
{
    std::vector<const UIView*> result;
    for (const auto& view : parent.subviews())
        result.push_back(view.get());
    return result;
}

TEST(UIViewTree, LaterSubviewsLieOnTopAndCanBeBroughtForward)
{
    auto parent = std::make_shared<UIView>(CGRectMake(0, 0, 100, 100));
    auto a = std::make_shared<UIView>(), b = std::make_shared<UIView>(),
         c = std::make_shared<UIView>();
    parent->addSubview(a);
    parent->addSubview(b);
    parent->addSubview(c);
    EXPECT_EQ(order(*parent), (std::vector<const UIView*>{a.get(), b.get(), c.get()}));
    parent->bringSubviewToFront(a.get());
    EXPECT_EQ(order(*parent), (std::vector<const UIView*>{b.get(), c.get(), a.get()}));
    parent->sendSubviewToBack(c.get());
    EXPECT_EQ(order(*parent), (std::vector<const UIView*>{c.get(), b.get(), a.get()}));
    EXPECT_EQ(a->superview(), parent.get());
}

TEST(UIViewTree, AddingAViewElsewhereTakesItOutOfItsFormerSuperview)
{
    auto first = std::make_shared<UIView>(), second = std::make_shared<UIView>();
    auto child = std::make_shared<UIView>();
    first->addSubview(child);
    second->addSubview(child);
    EXPECT_TRUE(first->subviews().empty());
    EXPECT_EQ(child->superview(), second.get());
    child->removeFromSuperview();
    EXPECT_EQ(child->superview(), nullptr);
    EXPECT_TRUE(second->subviews().empty());
}

TEST(UIViewTree, ARemovedViewLivesUntilTheEventIsOver)
{
    auto parent = std::make_shared<UIView>();
    std::weak_ptr<UIView> child;
    {
        auto view = std::make_shared<UIView>();
        child = view;
        parent->addSubview(view);
    }
    child.lock()->removeFromSuperview();
    EXPECT_FALSE(child.expired()) << "a view may remove itself from inside its own action";
    uikit::runPendingWork();
    EXPECT_TRUE(child.expired());
}

TEST(UIViewGeometry, FramesAddUpToScreenPointsAndFollowScrolling)
{
    auto root = std::make_shared<UIView>(CGRectMake(0, 20, 320, 460));
    auto middle = std::make_shared<UIView>(CGRectMake(10, 44, 300, 400));
    auto leaf = std::make_shared<UIView>(CGRectMake(5, 6, 50, 60));
    root->addSubview(middle);
    middle->addSubview(leaf);
    EXPECT_EQ(leaf->screenFrame(), CGRectMake(15, 70, 50, 60));
    middle->setBounds(CGRectMake(0, 100, 300, 400));
    EXPECT_EQ(leaf->screenFrame(), CGRectMake(15, -30, 50, 60));
    EXPECT_EQ(leaf->convertPoint_toView({0, 0}, root.get()), CGPointMake(15, -50));
    EXPECT_EQ(root->convertPoint_fromView({0, 0}, leaf.get()), CGPointMake(15, -50));
}

TEST(UIViewGeometry, AutoresizingFollowsTheMasks)
{
    auto parent = std::make_shared<UIView>(CGRectMake(0, 0, 320, 460));
    auto stretch = std::make_shared<UIView>(CGRectMake(10, 10, 300, 100));
    stretch->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                 UIViewAutoresizingFlexibleHeight);
    auto pinned = std::make_shared<UIView>(CGRectMake(0, 367, 320, 49));
    auto bottom = std::make_shared<UIView>(CGRectMake(0, 400, 320, 60));
    bottom->setAutoresizingMask(UIViewAutoresizingFlexibleTopMargin);
    parent->addSubview(stretch);
    parent->addSubview(pinned);
    parent->addSubview(bottom);

    parent->setFrame(CGRectMake(0, 44, 300, 416));
    EXPECT_EQ(stretch->frame(), CGRectMake(10, 10, 280, 56));
    EXPECT_EQ(pinned->frame(), CGRectMake(0, 367, 320, 49)) << "no mask: the frame stays";
    EXPECT_EQ(bottom->frame(), CGRectMake(0, 356, 320, 60));

    parent->setAutoresizesSubviews(false);
    parent->setFrame(CGRectMake(0, 0, 320, 480));
    EXPECT_EQ(stretch->frame(), CGRectMake(10, 10, 280, 56));
}

TEST(UIViewLayout, LayoutRunsOncePerRequestAndForEverySizeChange)
{
    struct Counting : UIView {
        int layouts = 0;
        void layoutSubviews() override { ++layouts; }
    };
    auto view = std::make_shared<Counting>();
    view->layoutIfNeeded();
    view->layoutIfNeeded();
    EXPECT_EQ(view->layouts, 1);
    view->setFrame(CGRectMake(5, 5, 0, 0));
    view->layoutIfNeeded();
    EXPECT_EQ(view->layouts, 1) << "a move alone needs no layout";
    view->setFrame(CGRectMake(5, 5, 10, 10));
    view->layoutIfNeeded();
    view->setNeedsLayout();
    view->layoutIfNeeded();
    EXPECT_EQ(view->layouts, 3);
}

TEST(UIViewTouches, TheFrontmostVisibleControlGetsTheTap)
{
    auto window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    auto back = std::make_shared<UIControl>(CGRectMake(0, 100, 320, 100));
    auto front = std::make_shared<UIControl>(CGRectMake(0, 150, 320, 100));
    auto label = std::make_shared<UILabel>(CGRectMake(0, 0, 320, 40));
    front->addSubview(label);
    window->addSubview(back);
    window->addSubview(front);
    window->makeKeyAndVisible();
    int backTaps = 0, frontTaps = 0;
    back->addTarget_action_forControlEvents([&](UIControl*) { ++backTaps; },
                                            UIControlEventTouchUpInside);
    front->addTarget_action_forControlEvents([&](UIControl*) { ++frontTaps; },
                                             UIControlEventTouchUpInside);

    uikit::tapAt({100, 160});
    EXPECT_EQ(frontTaps, 1) << "the label takes no touch; its control does";
    uikit::tapAt({100, 120});
    EXPECT_EQ(backTaps, 1);
    front->setHidden(true);
    uikit::tapAt({100, 160});
    EXPECT_EQ(backTaps, 2);
    EXPECT_EQ(frontTaps, 1);
}

TEST(UIViewDump, GivesClassScreenFrameAndChildren)
{
    auto root = std::make_shared<UIView>(CGRectMake(0, 20, 320, 460));
    auto label = std::make_shared<UILabel>(CGRectMake(10, 5, 100, 20));
    label->setText("Hello");
    label->setTextColor(UIColor::brownColor());
    label->setHidden(true);
    root->addSubview(label);

    const auto record = uikit::dumpView(*root);
    EXPECT_EQ(record.text("class"), "UIView");
    ASSERT_NE(record.list("children"), nullptr);
    ASSERT_EQ(record.list("children")->size(), 1u);
    const auto& child = record.list("children")->front();
    EXPECT_EQ(child.toJson(), R"({"class": "UILabel", "frame": [10, 25, 100, 20], "hidden": true, )"
                              R"("text": "Hello", "textColor": "#996633", "children": []})");
}

} // namespace
