#include "uikit/UINavigationBar.h"

#include "ButtonFace.h"
#include "ColorBytes.h"
#include "foundation/DeviceText.h"
#include "uikit/UIBezierPath.h"
#include "uikit/UIControl.h"
#include "uikit/UIGraphics.h"
#include "uikit/UILabel.h"
#include "uikit/UIScreen.h"
#include "uikit/UIStringDrawing.h"
#include "uikit/ViewDump.h"

#include <algorithm>
#include <cmath>

using namespace uikit;

namespace {

constexpr CGFloat buttonHeight = 30;
constexpr CGFloat margin = 5;
const UIFont buttonFont = UIFont::boldSystemFontOfSize(12);

// A bar button item drawn as a bordered button; a back button has a pointed left edge.
class NavigationButton : public UIControl {
public:
    NavigationButton(std::shared_ptr<UIBarButtonItem> item, UIBarStyle barStyle, bool back)
        : item_(std::move(item)), barStyle_(barStyle), back_(back)
    {
        CGSize size{0, buttonHeight};
        if (item_->image())
            size.width = item_->image()->size().width + 20;
        else
            size.width = std::max(CGFloat(40), sizeWithFont(item_->title(), buttonFont).width + 20);
        if (back_)
            size.width += 6;
        setFrame({{0, 0}, {std::min(size.width, CGFloat(120)), size.height}});
    }
    std::string className() const override { return "UINavigationButton"; }
    bool isAccessibilityElement() const override { return true; }
    std::string defaultAccessibilityLabel() const override { return item_->accessibilityLabel(); }
    UIAccessibilityTraits defaultAccessibilityTraits() const override
    {
        return UIAccessibilityTraitButton | UIControl::defaultAccessibilityTraits();
    }
    UIBarButtonItem& item() { return *item_; }

    void drawRect(CGRect rect) override
    {
        if (!UIGraphicsGetCurrentContext())
            return;
        const CGRect box = CGRectInset(rect, 0.5, 0.5);
        UIBezierPath path;
        if (back_) {
            const CGFloat tip = 10, left = box.origin.x, top = box.origin.y;
            const CGFloat right = CGRectGetMaxX(box), bottom = CGRectGetMaxY(box);
            path.moveToPoint({left, CGRectGetMidY(box)});
            path.addLineToPoint({left + tip, top});
            path.addLineToPoint({right - 5, top});
            path.addQuadCurveToPoint_controlPoint({right, top + 5}, {right, top});
            path.addLineToPoint({right, bottom - 5});
            path.addQuadCurveToPoint_controlPoint({right - 5, bottom}, {right, bottom});
            path.addLineToPoint({left + tip, bottom});
            path.closePath();
        } else {
            path = UIBezierPath::bezierPathWithRoundedRect_cornerRadius(box, 5);
        }
        const BarButtonFace face = item_->style() == UIBarButtonItemStyleDone ? BarButtonFace::kDone
                                   : barStyle_ == UIBarStyleDefault ? BarButtonFace::kOnBlueBar
                                                                    : BarButtonFace::kOnBlackBar;
        paintBarButtonFace(path, face, isHighlighted());

        CGRect inner = rect;
        if (back_)
            inner =
                CGRectMake(rect.origin.x + 8, rect.origin.y, rect.size.width - 8, rect.size.height);
        if (item_->systemItem() == UIBarButtonSystemItemAdd) {
            // A plus, bold and white like the titles, with their shadow.
            const auto plusAt = [&](CGFloat dy) {
                const CGFloat x = CGRectGetMidX(inner), y = CGRectGetMidY(inner) + dy;
                const CGFloat arm = 7, half = 1.5;
                UIBezierPath plus = UIBezierPath::bezierPathWithRect(
                    CGRectMake(x - arm, y - half, 2 * arm, 2 * half));
                plus.appendPath(UIBezierPath::bezierPathWithRect(
                    CGRectMake(x - half, y - arm, 2 * half, 2 * arm)));
                return plus;
            };
            UIGraphicsSetFillColor(rgb(0, 0, 0, 115));
            plusAt(-1).fill();
            UIGraphicsSetFillColor(UIColor::whiteColor());
            plusAt(0).fill();
            return;
        }
        if (auto image = item_->image()) {
            const CGSize size = image->size();
            image->drawInRect(
                {{CGRectGetMidX(inner) - size.width / 2, CGRectGetMidY(inner) - size.height / 2},
                 size});
            return;
        }
        drawBarButtonTitle(item_->title(), inner, buttonFont);
    }

    void describe(DumpRecord& record) const override
    {
        UIControl::describe(record);
        record.set("text", item_->title());
        if (item_->image())
            record.set("image", item_->image()->name());
    }

private:
    std::shared_ptr<UIBarButtonItem> item_;
    UIBarStyle barStyle_;
    bool back_;
};

} // namespace

UINavigationBar::UINavigationBar(CGRect frame) : UIView(frame) {}

UINavigationBar::~UINavigationBar()
{
    for (auto& item : items_)
        item->setNavigationBar(nullptr);
}

void UINavigationBar::setBarStyle(UIBarStyle style)
{
    barStyle_ = style;
    rebuild();
}

void UINavigationBar::setItems(std::vector<std::shared_ptr<UINavigationItem>> items)
{
    for (auto& item : items_)
        item->setNavigationBar(nullptr);
    items_ = std::move(items);
    for (auto& item : items_)
        item->setNavigationBar(this);
    rebuild();
}

void UINavigationBar::pushNavigationItem(std::shared_ptr<UINavigationItem> item)
{
    auto items = items_;
    items.push_back(std::move(item));
    setItems(std::move(items));
}

void UINavigationBar::popNavigationItem()
{
    if (items_.empty())
        return;
    auto items = items_;
    items.pop_back();
    setItems(std::move(items));
}

UINavigationItem* UINavigationBar::topItem() const
{
    return items_.empty() ? nullptr : items_.back().get();
}

UINavigationItem* UINavigationBar::backItem() const
{
    return items_.size() < 2 ? nullptr : items_[items_.size() - 2].get();
}

void UINavigationBar::itemChanged() { rebuild(); }

bool UINavigationBar::keyPressed(UIKey key)
{
    if (key != UIKey::Escape)
        return false;
    // A pushed screen's left button is its way back: the bar's own back button or the one the
    // screen put in its place.
    if (items_.size() > 1 && leftView_ && leftView_->canBecomeFocused())
        leftView_->keyPressed(UIKey::Activate);
    return true;
}

void UINavigationBar::rebuild()
{
    for (auto* view : {&leftView_, &rightView_, &titleView_})
        if (*view) {
            (*view)->removeFromSuperview();
            view->reset();
        }
    UINavigationItem* top = topItem();
    if (!top) {
        setNeedsLayout();
        return;
    }
    auto makeButton = [&](std::shared_ptr<UIBarButtonItem> item,
                          bool back) -> std::shared_ptr<UIView> {
        if (item->customView())
            return item->customView();
        auto button = std::make_shared<NavigationButton>(item, barStyle_, back);
        button->addTarget_action_forControlEvents([item](UIControl*) { item->sendAction(); },
                                                  UIControlEventTouchUpInside);
        return button;
    };
    if (top->leftBarButtonItem()) {
        leftView_ = makeButton(top->leftBarButtonItem(), false);
    } else if (UINavigationItem* back = backItem(); back && !top->hidesBackButton()) {
        auto item = back->backBarButtonItem();
        if (!item) {
            std::string title = back->title().empty() ? os::deviceText("Back") : back->title();
            item = std::make_shared<UIBarButtonItem>(title, UIBarButtonItemStyleBordered,
                                                     [this](UIBarButtonItem*) {
                                                         if (backAction_)
                                                             backAction_();
                                                     });
        }
        leftView_ = makeButton(item, true);
    }
    if (top->rightBarButtonItem())
        rightView_ = makeButton(top->rightBarButtonItem(), false);
    auto title = std::make_shared<UILabel>();
    title->setText(top->title());
    title->setFont(UIFont::boldSystemFontOfSize(20));
    title->setTextColor(UIColor::whiteColor());
    title->setBackgroundColor(UIColor::clearColor());
    title->setOpaque(false);
    title->setTextAlignment(UITextAlignmentCenter);
    title->setShadowColor(UIColor(0, 0, 0, 0.5f));
    title->setAccessibilityTraits(UIAccessibilityTraitHeader);
    titleView_ = title;
    addSubview(titleView_);
    if (leftView_)
        addSubview(leftView_);
    if (rightView_)
        addSubview(rightView_);
    setNeedsLayout();
}

CGSize UINavigationBar::sizeThatFits(CGSize size) const
{
    return {size.width > 0 ? size.width : UIScreen::mainScreen().bounds().size.width,
            standardHeight};
}

void UINavigationBar::layoutSubviews()
{
    UIView::layoutSubviews();
    const CGRect box = bounds();
    CGFloat left = margin, right = box.size.width - margin;
    auto place = [&](UIView& view, CGFloat x) {
        const CGSize size = view.frame().size;
        view.setFrame({{x, std::round((box.size.height - size.height) / 2)}, size});
    };
    if (leftView_) {
        place(*leftView_, margin);
        left = CGRectGetMaxX(leftView_->frame()) + margin;
    }
    if (rightView_) {
        place(*rightView_, box.size.width - margin - rightView_->frame().size.width);
        right = rightView_->frame().origin.x - margin;
    }
    if (titleView_) {
        // Centred on the bar when it fits there, else in the room between the buttons.
        const CGFloat height = 26;
        const CGFloat wanted = sizeWithFont(static_cast<UILabel&>(*titleView_).text(),
                                            UIFont::boldSystemFontOfSize(20))
                                   .width;
        const CGFloat half = std::min(box.size.width / 2 - std::max(left, box.size.width - right),
                                      box.size.width / 2);
        CGRect frame;
        if (wanted / 2 <= half)
            frame = CGRectMake(box.size.width / 2 - half, 0, 2 * half, height);
        else
            frame = CGRectMake(left, 0, std::max(CGFloat(0), right - left), height);
        frame.origin.y = std::round((box.size.height - height) / 2);
        titleView_->setFrame(frame);
    }
}

void UINavigationBar::drawRect(CGRect rect)
{
    const CGRect top = CGRectMake(rect.origin.x, rect.origin.y, rect.size.width, 1);
    if (barStyle_ == UIBarStyleDefault) {
        // Glassy: two halves, each with its own gradient.
        const CGFloat half = rect.size.height / 2;
        const CGRect upper = CGRectMake(rect.origin.x, rect.origin.y, rect.size.width, half);
        const CGRect lower = CGRectMake(rect.origin.x, CGRectGetMidY(rect), rect.size.width, half);
        UIRectFillWithGradient(
            upper, CGLinearGradient::vertical(upper, rgb(0xb2, 0xbe, 0xcf), rgb(0x8b, 0x9d, 0xb8)));
        UIRectFillWithGradient(
            lower, CGLinearGradient::vertical(lower, rgb(0x7e, 0x93, 0xb1), rgb(0x6d, 0x84, 0xa2)));
        UIGraphicsSetFillColor(rgb(0xce, 0xd6, 0xe1));
        UIRectFill(top);
        UIGraphicsSetFillColor(rgb(0x2d, 0x37, 0x47));
        UIRectFill(CGRectMake(rect.origin.x, CGRectGetMaxY(rect) - 1, rect.size.width, 1));
    } else {
        UIRectFillWithGradient(
            rect, CGLinearGradient::vertical(rect, rgb(0x3c, 0x3c, 0x3c), rgb(0x05, 0x05, 0x05)));
        UIGraphicsSetFillColor(rgb(0x60, 0x60, 0x60));
        UIRectFill(top);
    }
}
