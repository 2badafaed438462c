#include "uikit/UITabBar.h"

#include "AccessibleViews.h"
#include "ColorBytes.h"
#include "Display.h"
#include "TintedImage.h"
#include "uikit/UIBezierPath.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIImage.h"
#include "uikit/UIScreen.h"
#include "uikit/UIStringDrawing.h"
#include "uikit/ViewDump.h"

#include <algorithm>

using namespace uikit;

UITabBarItem::UITabBarItem(std::string title, std::shared_ptr<UIImage> image, int tag)
    : title_(std::move(title)), image_(std::move(image)), tag_(tag)
{
}

void UITabBarItem::setTitle(std::string title)
{
    title_ = std::move(title);
    scheduleDisplay();
}

void UITabBarItem::setImage(std::shared_ptr<UIImage> image)
{
    image_ = std::move(image);
    scheduleDisplay();
}

void UITabBarItem::setEnabled(bool enabled)
{
    enabled_ = enabled;
    scheduleDisplay();
}

void UITabBarItem::setBadgeValue(std::optional<std::string> badge)
{
    badgeValue_ = std::move(badge);
    scheduleDisplay();
}

namespace {

const UIFont titleFont = UIFont::boldSystemFontOfSize(10);
const UIFont badgeFont = UIFont::boldSystemFontOfSize(13);
constexpr CGFloat iconSide = 30;

// One item of the bar: its image tinted grey (white when selected), its title and its badge.
class TabBarButton : public UIView {
public:
    TabBarButton(UITabBar& bar, std::shared_ptr<UITabBarItem> item)
        : bar_(bar), itemHolder_(std::move(item)), item_(*itemHolder_)
    {
    }
    std::string className() const override { return "UITabBarButton"; }
    bool isAccessibilityElement() const override { return true; }
    std::string defaultAccessibilityLabel() const override { return item_.title(); }
    UIAccessibilityTraits defaultAccessibilityTraits() const override
    {
        return UIAccessibilityTraitButton | (selected() ? UIAccessibilityTraitSelected : 0) |
               (item_.isEnabled() ? 0 : UIAccessibilityTraitNotEnabled);
    }
    bool handlesTouches() const override { return item_.isEnabled(); }
    bool selected() const { return bar_.selectedItem() == &item_; }

    void touchesEnded(CGPoint point) override
    {
        if (CGRectContainsPoint(bounds(), point))
            bar_.userSelectedItem(&item_);
    }

    bool canBecomeFocused() const override { return item_.isEnabled(); }
    bool keyPressed(UIKey key) override
    {
        if (key != UIKey::Activate)
            return false;
        bar_.userSelectedItem(&item_);
        return true;
    }
    // Around the selected item's lighter face.
    CGRect focusRingRect() const override { return CGRectInset(bounds(), 2, 2); }

    void drawRect(CGRect rect) override
    {
        if (!UIGraphicsGetCurrentContext())
            return;
        const bool on = selected();
        if (on) {
            UIGraphicsSetFillColor(rgb(255, 255, 255, 38));
            UIBezierPath::bezierPathWithRoundedRect_cornerRadius(CGRectInset(rect, 2, 2), 4).fill();
        }
        const UIColor tint = !item_.isEnabled() ? rgb(0x55, 0x55, 0x55)
                             : on               ? UIColor::whiteColor()
                                                : rgb(0x8e, 0x8e, 0x8e);
        const CGRect icon = iconRect(rect);
        if (auto image = item_.image())
            tintedImage(*image, tint)->drawInRect(aspectFit(image->size(), icon));
        UIGraphicsSetFillColor(on ? UIColor::whiteColor() : UIColor(0.6f, 0.6f, 0.6f, 1));
        drawInRect_withFont_lineBreakMode_alignment(
            item_.title(),
            CGRectMake(rect.origin.x + 1, CGRectGetMaxY(rect) - 14, rect.size.width - 2, 13),
            titleFont, UILineBreakModeTailTruncation, UITextAlignmentCenter);
        if (item_.badgeValue())
            drawBadge(icon);
    }

    void describe(DumpRecord& record) const override
    {
        UIView::describe(record);
        record.set("text", item_.title());
        record.set("image", item_.image() ? item_.image()->name() : std::string());
        record.set("selected", selected());
        record.set("tag", item_.tag());
        if (item_.badgeValue())
            record.set("badge", *item_.badgeValue());
    }

private:
    static CGRect iconRect(CGRect rect)
    {
        return CGRectMake(CGRectGetMidX(rect) - iconSide / 2, rect.origin.y + 3, iconSide,
                          iconSide);
    }

    // The image's size scaled to fit in the rectangle, centred in it.
    static CGRect aspectFit(CGSize size, CGRect box)
    {
        double width = box.size.height * double(size.width) / double(size.height);
        double height = box.size.height;
        if (width > double(box.size.width)) {
            width = box.size.width;
            height = box.size.width * double(size.height) / double(size.width);
        }
        return CGRectMake(CGFloat(double(CGRectGetMidX(box)) - width / 2),
                          CGFloat(double(CGRectGetMidY(box)) - height / 2), CGFloat(width),
                          CGFloat(height));
    }

    // A red lozenge with a white rim, its centre at the icon's top right corner.
    void drawBadge(CGRect icon)
    {
        const std::string& text = *item_.badgeValue();
        const CGFloat height = 19;
        const CGFloat width = std::max(height, sizeWithFont(text, badgeFont).width + 11);
        const CGRect lozenge =
            CGRectMake(CGRectGetMaxX(icon) - width / 2 - 2, icon.origin.y - 3, width, height);
        const UIBezierPath path =
            UIBezierPath::bezierPathWithRoundedRect_cornerRadius(lozenge, height / 2);
        path.fillWithGradient(
            CGLinearGradient::vertical(lozenge, rgb(0xf2, 0x4a, 0x4a), rgb(0xc4, 0x0b, 0x0b)));
        UIGraphicsSetStrokeColor(UIColor::whiteColor());
        UIGraphicsSetLineWidth(2);
        UIGraphicsSetLineCap(kCGLineCapSquare);
        path.stroke();
        UIGraphicsSetFillColor(UIColor::whiteColor());
        const CGFloat lineHeight = badgeFont.lineHeight();
        drawInRect_withFont_lineBreakMode_alignment(
            text,
            CGRectMake(lozenge.origin.x, CGRectGetMidY(lozenge) - lineHeight / 2,
                       lozenge.size.width, lineHeight),
            badgeFont, UILineBreakModeClip, UITextAlignmentCenter);
    }

    UITabBar& bar_;
    std::shared_ptr<UITabBarItem> itemHolder_;
    UITabBarItem& item_;
};

} // namespace

UITabBar::UITabBar(CGRect frame) : UIView(frame) {}

void UITabBar::setItems(std::vector<std::shared_ptr<UITabBarItem>> items)
{
    items_ = std::move(items);
    if (std::none_of(items_.begin(), items_.end(),
                     [&](const auto& item) { return item.get() == selectedItem_; }))
        selectedItem_ = nullptr;
    while (!subviews().empty())
        subviews().back()->removeFromSuperview();
    for (auto& item : items_)
        addSubview(std::make_shared<TabBarButton>(*this, item));
    setNeedsLayout();
}

void UITabBar::setSelectedItem(UITabBarItem* item)
{
    const bool known = std::any_of(items_.begin(), items_.end(),
                                   [&](const auto& candidate) { return candidate.get() == item; });
    selectedItem_ = known ? item : nullptr;
    setNeedsDisplay();
    for (size_t i = 0; i < items_.size() && i < subviews().size(); ++i)
        if (items_[i].get() == selectedItem_)
            accessibleSelectionChanged(*subviews()[i]);
}

void UITabBar::userSelectedItem(UITabBarItem* item)
{
    setSelectedItem(item);
    if (delegate_ && selectedItem_)
        delegate_->tabBar_didSelectItem(this, selectedItem_);
}

CGSize UITabBar::sizeThatFits(CGSize size) const
{
    return {size.width > 0 ? size.width : UIScreen::mainScreen().bounds().size.width,
            standardHeight};
}

void UITabBar::layoutSubviews()
{
    UIView::layoutSubviews();
    const CGRect box = bounds();
    const auto& buttons = subviews();
    if (buttons.empty())
        return;
    const CGFloat inset = 2;
    const CGFloat width = (box.size.width - 2 * inset) / CGFloat(buttons.size());
    for (size_t i = 0; i < buttons.size(); ++i)
        buttons[i]->setFrame(CGRectMake(box.origin.x + inset + width * CGFloat(i), box.origin.y + 1,
                                        width, box.size.height - 2));
}

void UITabBar::drawRect(CGRect rect)
{
    // Glassy: a gradient over the upper half, the lower half dark.
    const CGFloat half = rect.size.height / 2;
    const CGRect upper = CGRectMake(rect.origin.x, rect.origin.y, rect.size.width, half);
    UIRectFillWithGradient(
        upper, CGLinearGradient::vertical(upper, rgb(0x45, 0x45, 0x45), rgb(0x23, 0x23, 0x23)));
    UIGraphicsSetFillColor(rgb(0x0b, 0x0b, 0x0b));
    UIRectFill(CGRectMake(rect.origin.x, CGRectGetMidY(rect), rect.size.width, half));
    UIGraphicsSetFillColor(rgb(0x5a, 0x5a, 0x5a));
    UIRectFill(CGRectMake(rect.origin.x, rect.origin.y, rect.size.width, 1));
}
