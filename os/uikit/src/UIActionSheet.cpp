#include "uikit/UIActionSheet.h"

#include "ButtonFace.h"
#include "ColorBytes.h"
#include "Display.h"
#include "ModalLayer.h"
#include "uikit/UIButton.h"
#include "uikit/UIGraphics.h"
#include "uikit/UILabel.h"
#include "uikit/UIScreen.h"
#include "uikit/UIScrollView.h"
#include "uikit/ViewDump.h"

#include <algorithm>
#include <utility>

using namespace uikit;

namespace {

// The sheet never covers the status bar.
constexpr CGFloat maxSheetHeight = UIScreen::standardSize.height - 20;
constexpr CGFloat sideMargin = 20;
constexpr CGFloat buttonWidth = UIScreen::standardSize.width - 2 * sideMargin;
constexpr CGFloat buttonHeight = 44;
constexpr CGFloat buttonGap = 8;
constexpr CGFloat padding = 14;
constexpr CGFloat titleGap = 12;
const UIFont titleFont = UIFont::systemFontOfSize(14);

using Role = SheetButtonRole;

// Drawn destructive wins over cancel when one button is both.
Role roleOf(int index, int destructiveIndex, int cancelIndex)
{
    return index == destructiveIndex ? Role::kDestructive
           : index == cancelIndex    ? Role::kCancel
                                     : Role::kOther;
}

} // namespace

class UIActionSheet::SheetButton : public UIButton {
public:
    explicit SheetButton(Role role) : UIButton(CGRectZero, UIButtonTypeCustom)
    {
        setFont(UIFont::boldSystemFontOfSize(19));
        setTitleColor_forState(UIColor::whiteColor(), UIControlStateHighlighted);
        setRole(role);
    }

    void setRole(Role role)
    {
        role_ = role;
        const bool lightText = role != Role::kOther;
        setTitleColor_forState(lightText ? UIColor::whiteColor() : UIColor::blackColor(),
                               UIControlStateNormal);
        setNeedsDisplay();
    }

    void drawRect(CGRect rect) override
    {
        paintSheetButtonFace(rect, role_, isHighlighted());
        // The title is drawn here rather than by the custom button, which dims it when touched.
        UIGraphicsSetFillColor(titleColorForState(UIControlState(state())));
        const std::string title = currentTitle();
        const CGSize size = sizeWithFont(title, font());
        const CGFloat width = std::min(size.width, rect.size.width - 16);
        drawInRect_withFont_lineBreakMode_alignment(
            title,
            CGRectMake(rect.origin.x + (rect.size.width - width) / 2,
                       rect.origin.y + (rect.size.height - size.height) / 2, width, size.height),
            font(), UILineBreakModeTailTruncation, UITextAlignmentCenter);
    }

    void describe(DumpRecord& record) const override
    {
        UIButton::describe(record);
        if (role_ == Role::kDestructive)
            record.set("destructive", true);
        if (role_ == Role::kCancel)
            record.set("cancel", true);
    }

private:
    Role role_ = Role::kOther;
};

UIActionSheet::UIActionSheet()
{
    auto label = std::make_shared<UILabel>();
    label->setFont(titleFont);
    label->setNumberOfLines(0);
    label->setTextAlignment(UITextAlignmentCenter);
    label->setLineBreakMode(UILineBreakModeWordWrap);
    label->setBackgroundColor(UIColor::clearColor());
    label->setOpaque(false);
    titleLabel_ = label;
    addSubview(titleLabel_);
    buttonArea_ = std::make_shared<UIScrollView>();
    addSubview(buttonArea_);
    updateTitle();
}

UIActionSheet::UIActionSheet(std::string title, UIActionSheetDelegate* delegate,
                             std::string cancelButtonTitle, std::string destructiveButtonTitle,
                             std::vector<std::string> otherButtonTitles)
    : UIActionSheet()
{
    delegate_ = delegate;
    title_ = std::move(title);
    if (!destructiveButtonTitle.empty())
        destructiveButtonIndex_ = int(buttonTitles_.size()),
        buttonTitles_.push_back(std::move(destructiveButtonTitle));
    for (auto& other : otherButtonTitles)
        buttonTitles_.push_back(std::move(other));
    if (!cancelButtonTitle.empty())
        cancelButtonIndex_ = int(buttonTitles_.size()),
        buttonTitles_.push_back(std::move(cancelButtonTitle));
    for (int i = 0; i < numberOfButtons(); ++i)
        addButtonView(i);
    updateTitle();
}

UIActionSheet::~UIActionSheet() = default;

void UIActionSheet::setTitle(std::string title)
{
    title_ = std::move(title);
    updateTitle();
}

void UIActionSheet::setActionSheetStyle(UIActionSheetStyle style)
{
    style_ = style;
    updateTitle();
}

int UIActionSheet::addButtonWithTitle(std::string title)
{
    buttonTitles_.push_back(std::move(title));
    const int index = numberOfButtons() - 1;
    addButtonView(index);
    resize();
    return index;
}

std::string UIActionSheet::buttonTitleAtIndex(int index) const
{
    if (index < 0 || index >= numberOfButtons())
        return {};
    return buttonTitles_[size_t(index)];
}

void UIActionSheet::setCancelButtonIndex(int index)
{
    const int old = std::exchange(cancelButtonIndex_, index);
    updateRole(old);
    updateRole(index);
    // The cancel button's gap moves with it.
    resize();
}

void UIActionSheet::setDestructiveButtonIndex(int index)
{
    const int old = std::exchange(destructiveButtonIndex_, index);
    updateRole(old);
    updateRole(index);
}

int UIActionSheet::firstOtherButtonIndex() const
{
    for (int i = 0; i < numberOfButtons(); ++i)
        if (i != cancelButtonIndex_ && i != destructiveButtonIndex_)
            return i;
    return -1;
}

void UIActionSheet::showInView(UIView* view)
{
    (void)view;
    if (visible_)
        return;
    visible_ = true;
    UIView& layer = modalLayer();
    layer.addSubview(shared_from_this());
    layer.setNeedsLayout();
    UIAccessibilityPostNotification(UIAccessibilityScreenChangedNotification, this);
}

void UIActionSheet::dismissWithClickedButtonIndex_animated(int buttonIndex, bool animated)
{
    (void)animated;
    if (!visible_)
        return;
    // The delegate may let go of the sheet while it is told.
    auto keepAlive = shared_from_this();
    if (delegate_)
        delegate_->actionSheet_clickedButtonAtIndex(this, buttonIndex);
    if (delegate_)
        delegate_->actionSheet_willDismissWithButtonIndex(this, buttonIndex);
    visible_ = false;
    if (UIView* layer = superview()) {
        layer->setNeedsLayout();
        autorelease(keepAlive);
        removeFromSuperview();
    }
    if (delegate_)
        delegate_->actionSheet_didDismissWithButtonIndex(this, buttonIndex);
}

bool UIActionSheet::keyPressed(UIKey key)
{
    if (key != UIKey::Escape)
        return false;
    const int index = escapeButtonIndex(cancelButtonIndex_, numberOfButtons());
    if (index < 0)
        return false;
    dismissWithClickedButtonIndex_animated(index, true);
    return true;
}

CGFloat UIActionSheet::titleHeight() const
{
    if (title_.empty())
        return 0;
    return sizeWithFont_constrainedToSize_lineBreakMode(title_, titleFont, {buttonWidth, 120},
                                                        UILineBreakModeWordWrap)
        .height;
}

CGFloat UIActionSheet::buttonsTop() const
{
    return padding + (titleHeight_ > 0 ? titleHeight_ + titleGap : 0);
}

// Every button is as high as the next and the cancel button alone has a wider gap above it, so
// a button's place needs no walk over the buttons before it.
CGFloat UIActionSheet::buttonTop(int index) const
{
    const bool cancelAbove = cancelButtonIndex_ > 0 && cancelButtonIndex_ <= index;
    return CGFloat(index) * (buttonHeight + buttonGap) + (cancelAbove ? buttonGap : 0);
}

CGFloat UIActionSheet::buttonsHeight() const
{
    const int count = numberOfButtons();
    return count == 0 ? 0 : buttonTop(count - 1) + buttonHeight;
}

CGRect UIActionSheet::sheetFrame() const
{
    const CGFloat height = std::min(maxSheetHeight, buttonsTop() + buttonsHeight() + padding);
    const CGSize screen = UIScreen::standardSize;
    return CGRectMake(0, screen.height - height, screen.width, height);
}

void UIActionSheet::addButtonView(int index)
{
    auto button =
        std::make_shared<SheetButton>(roleOf(index, destructiveButtonIndex_, cancelButtonIndex_));
    button->setTitle_forState(buttonTitles_[size_t(index)], UIControlStateNormal);
    button->addTarget_action_forControlEvents(
        [this, index](UIControl*) { dismissWithClickedButtonIndex_animated(index, true); },
        UIControlEventTouchUpInside);
    buttonArea_->addSubview(button);
    buttons_.push_back(std::move(button));
}

void UIActionSheet::updateRole(int index)
{
    if (index >= 0 && index < int(buttons_.size()))
        buttons_[size_t(index)]->setRole(
            roleOf(index, destructiveButtonIndex_, cancelButtonIndex_));
}

void UIActionSheet::updateTitle()
{
    titleHeight_ = titleHeight();
    auto* label = static_cast<UILabel*>(titleLabel_.get());
    label->setText(title_);
    label->setHidden(title_.empty());
    const bool dark =
        style_ == UIActionSheetStyleBlackTranslucent || style_ == UIActionSheetStyleBlackOpaque;
    label->setTextColor(dark ? UIColor(0.78f, 0.78f, 0.78f, 1) : UIColor::whiteColor());
    resize();
}

void UIActionSheet::resize()
{
    setFrame(sheetFrame());
    setNeedsLayout();
    setNeedsDisplay();
}

void UIActionSheet::layoutSubviews()
{
    UIView::layoutSubviews();
    titleLabel_->setFrame(CGRectMake(sideMargin, padding, buttonWidth, titleHeight_));
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setFrame(CGRectMake(sideMargin, buttonTop(int(i)), buttonWidth, buttonHeight));
    const CGFloat top = buttonsTop();
    const CGFloat areaHeight = std::max(CGFloat(0), frame().size.height - top - padding);
    buttonArea_->setFrame(CGRectMake(0, top, UIScreen::standardSize.width, areaHeight));
    buttonArea_->setContentSize({UIScreen::standardSize.width, buttonsHeight()});
}

void UIActionSheet::drawRect(CGRect rect)
{
    switch (style_) {
    case UIActionSheetStyleBlackTranslucent:
        UIGraphicsSetFillColor(rgb(0, 0, 0, 232));
        UIRectFill(rect);
        break;
    case UIActionSheetStyleBlackOpaque:
        UIGraphicsSetFillColor(UIColor::blackColor());
        UIRectFill(rect);
        break;
    default:
        UIRectFillWithGradient(
            rect, CGLinearGradient::vertical(rect, rgb(0x9a, 0xa5, 0xb8), rgb(0x6c, 0x79, 0x8f)));
        break;
    }
    UIGraphicsSetFillColor(rgb(0x2e, 0x2e, 0x2e));
    UIRectFill(CGRectMake(rect.origin.x, rect.origin.y, rect.size.width, 1));
    UIGraphicsSetFillColor(rgb(255, 255, 255, 70));
    UIRectFill(CGRectMake(rect.origin.x, rect.origin.y + 1, rect.size.width, 1));
}

void UIActionSheet::describe(DumpRecord& record) const
{
    UIView::describe(record);
    record.set("title", title_);
    record.set("style", int(style_));
    record.set("cancelButtonIndex", cancelButtonIndex_);
    record.set("destructiveButtonIndex", destructiveButtonIndex_);
}
