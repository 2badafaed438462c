#pragma once
// A black bar of items along the bottom: a tap selects an item and tells the delegate.
#include "uikit/UITabBarItem.h"
#include "uikit/UIView.h"

#include <memory>
#include <vector>

class UITabBar;

class UITabBarDelegate {
public:
    virtual ~UITabBarDelegate() = default;
    virtual void tabBar_didSelectItem(UITabBar* tabBar, UITabBarItem* item)
    {
        (void)tabBar, (void)item;
    }
};

class UITabBar : public UIView {
public:
    static constexpr CGFloat standardHeight = 49;

    explicit UITabBar(CGRect frame = CGRectZero);
    std::string className() const override { return "UITabBar"; }

    const std::vector<std::shared_ptr<UITabBarItem>>& items() const { return items_; }
    // The selection is kept when the selected item stays among the items.
    void setItems(std::vector<std::shared_ptr<UITabBarItem>> items);
    UITabBarItem* selectedItem() const { return selectedItem_; }
    // An item that is not among the items clears the selection.
    void setSelectedItem(UITabBarItem* item);
    UITabBarDelegate* delegate() const { return delegate_; }
    void setDelegate(UITabBarDelegate* delegate) { delegate_ = delegate; }

    // What a tap on the item does: selects it and tells the delegate, even when it was
    // selected already.
    void userSelectedItem(UITabBarItem* item);

    // The width it has (the screen's when none) and the standard height.
    CGSize sizeThatFits(CGSize size) const override;
    void layoutSubviews() override;
    void drawRect(CGRect rect) override;
    bool handlesTouches() const override { return true; }

protected:
    // Its buttons are read as the tabs of the screens.
    UIAccessibilityTraits defaultAccessibilityTraits() const override
    {
        return UIAccessibilityTraitTabBar;
    }

private:
    std::vector<std::shared_ptr<UITabBarItem>> items_;
    UITabBarItem* selectedItem_ = nullptr;
    UITabBarDelegate* delegate_ = nullptr;
};
