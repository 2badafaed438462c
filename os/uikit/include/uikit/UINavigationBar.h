#pragma once
// The 44-point bar at the top of a navigation controller: the top item's title in the middle, its
// left button (or a back button to the item below) and its right button.
#include "uikit/UINavigationItem.h"
#include "uikit/UIView.h"

#include <functional>
#include <memory>
#include <vector>

enum UIBarStyle {
    UIBarStyleDefault = 0,
    UIBarStyleBlackOpaque = 1,
    UIBarStyleBlackTranslucent = 2,
};

class UINavigationBar : public UIView {
public:
    static constexpr CGFloat standardHeight = 44;

    explicit UINavigationBar(CGRect frame = CGRectZero);
    ~UINavigationBar() override;
    std::string className() const override { return "UINavigationBar"; }
    UIAccessibilityContainerType accessibilityContainerType() const override
    {
        return UIAccessibilityContainerTypeLandmark;
    }

    UIBarStyle barStyle() const { return barStyle_; }
    void setBarStyle(UIBarStyle style);

    const std::vector<std::shared_ptr<UINavigationItem>>& items() const { return items_; }
    void setItems(std::vector<std::shared_ptr<UINavigationItem>> items);
    void pushNavigationItem(std::shared_ptr<UINavigationItem> item);
    void popNavigationItem();
    UINavigationItem* topItem() const;
    UINavigationItem* backItem() const;

    // What the back button does; the navigation controller pops its top controller.
    void setBackAction(std::function<void()> action) { backAction_ = std::move(action); }

    // Rebuilds the title and buttons from the top item.
    void itemChanged();

    CGSize sizeThatFits(CGSize size) const override;
    void layoutSubviews() override;
    void drawRect(CGRect rect) override;
    bool handlesTouches() const override { return true; }
    // Escape goes back from a pushed screen as its left button does. The frontmost bar takes
    // it even on the first screen, so that a bar beneath a presented screen never goes back.
    bool keyPressed(UIKey key) override;

private:
    void rebuild();

    UIBarStyle barStyle_ = UIBarStyleDefault;
    std::vector<std::shared_ptr<UINavigationItem>> items_;
    std::function<void()> backAction_;
    std::shared_ptr<UIView> leftView_;
    std::shared_ptr<UIView> rightView_;
    std::shared_ptr<UIView> titleView_;
};
