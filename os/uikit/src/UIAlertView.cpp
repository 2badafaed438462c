#include "uikit/UIAlertView.h"

#include "ButtonFace.h"
#include "ColorBytes.h"
#include "Display.h"
#include "ModalLayer.h"
#include "foundation/Journal.h"
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

constexpr CGFloat alertWidth = 284;
constexpr CGFloat padding = 12;
constexpr CGFloat buttonHeight = 43;
constexpr CGFloat buttonGap = 8;
const UIFont titleFont = UIFont::boldSystemFontOfSize(18);
const UIFont buttonFont = UIFont::boldSystemFontOfSize(18);

UIAlertView::ShowObserver& showObserver()
{
    static UIAlertView::ShowObserver observer;
    return observer;
}

UIAlertView::DismissObserver& dismissObserver()
{
    static UIAlertView::DismissObserver observer;
    return observer;
}

class AlertButton : public UIControl {
public:
    AlertButton(std::string title, bool cancel) : title_(std::move(title)), cancel_(cancel) {}
    std::string className() const override { return "UIAlertButton"; }
    bool isAccessibilityElement() const override { return true; }
    std::string defaultAccessibilityLabel() const override { return title_; }
    UIAccessibilityTraits defaultAccessibilityTraits() const override
    {
        return UIAccessibilityTraitButton | UIControl::defaultAccessibilityTraits();
    }

    void drawRect(CGRect rect) override
    {
        if (!UIGraphicsGetCurrentContext())
            return;
        paintAlertButtonFace(rect, cancel_, isHighlighted());
        const CGFloat line = buttonFont.lineHeight();
        UIGraphicsSetFillColor(UIColor::whiteColor());
        drawInRect_withFont_lineBreakMode_alignment(
            title_,
            CGRectMake(rect.origin.x + 6, CGRectGetMidY(rect) - line / 2, rect.size.width - 12,
                       line),
            buttonFont, UILineBreakModeTailTruncation, UITextAlignmentCenter);
    }

    void describe(DumpRecord& record) const override
    {
        UIControl::describe(record);
        record.set("text", title_);
    }

private:
    std::string title_;
    bool cancel_;
};

std::shared_ptr<UILabel> alertLabel(const std::string& text, const UIFont& font)
{
    auto label = std::make_shared<UILabel>();
    label->setText(text);
    label->setFont(font);
    label->setTextColor(UIColor::whiteColor());
    label->setBackgroundColor(UIColor::clearColor());
    label->setOpaque(false);
    label->setTextAlignment(UITextAlignmentCenter);
    label->setNumberOfLines(0);
    label->setShadowColor(UIColor(0, 0, 0, 0.6f));
    return label;
}

} // namespace

UIAlertView::UIAlertView() = default;

UIAlertView::UIAlertView(std::string title, std::string message, UIAlertViewDelegate* delegate,
                         std::string cancelButtonTitle, std::vector<std::string> otherButtonTitles)
    : title_(std::move(title)), message_(std::move(message)), delegate_(delegate)
{
    if (!cancelButtonTitle.empty())
        cancelButtonIndex_ = addButtonWithTitle(std::move(cancelButtonTitle));
    for (auto& other : otherButtonTitles)
        addButtonWithTitle(std::move(other));
}

void UIAlertView::setTitle(std::string title)
{
    title_ = std::move(title);
    if (visible_)
        rebuildButtons();
}

void UIAlertView::setMessage(std::string message)
{
    message_ = std::move(message);
    if (visible_)
        rebuildButtons();
}

int UIAlertView::addButtonWithTitle(std::string title)
{
    buttonTitles_.push_back(std::move(title));
    if (visible_)
        rebuildButtons();
    return int(buttonTitles_.size()) - 1;
}

std::string UIAlertView::buttonTitleAtIndex(int index) const
{
    if (index < 0 || index >= int(buttonTitles_.size()))
        return {};
    return buttonTitles_[size_t(index)];
}

void UIAlertView::show()
{
    if (visible_)
        return;
    visible_ = true;
    std::string line = "alert " + os::journal_quote(title_) + " " + os::journal_quote(message_);
    for (const auto& title : buttonTitles_)
        line += " " + os::journal_quote(title);
    os::journal(line);
    rebuildButtons();
    modalLayer().addSubview(shared_from_this());
    UIAccessibilityPostNotification(UIAccessibilityScreenChangedNotification, this);
    if (showObserver())
        showObserver()(*this);
}

void UIAlertView::setShowObserver(ShowObserver observer) { showObserver() = std::move(observer); }

void UIAlertView::setDismissObserver(DismissObserver observer)
{
    dismissObserver() = std::move(observer);
}

void UIAlertView::rebuildButtons()
{
    while (!subviews().empty())
        subviews().back()->removeFromSuperview();
    const CGFloat inner = alertWidth - 2 * padding;
    CGFloat y = 16;
    auto addLabel = [&](const std::string& text, UIFont font, CGFloat limit) {
        if (text.empty())
            return;
        CGSize size = sizeWithFont_constrainedToSize_lineBreakMode(text, font, {inner, limit},
                                                                   UILineBreakModeWordWrap);
        auto label = alertLabel(text, font);
        label->setFrame(CGRectMake(padding, y, inner, size.height));
        label->setClipsToBounds(true);
        addSubview(label);
        y += size.height + 8;
    };
    addLabel(title_, titleFont, 60);
    // A long message gets a smaller font, then is cut, so the alert stays on the screen.
    const int count = int(buttonTitles_.size());
    // Two buttons share a row when both titles fit in half of it; a longer title gets a row.
    const auto fitsHalf = [&](const std::string& title) {
        return sizeWithFont(title, buttonFont).width <= (inner - buttonGap) / 2 - 12;
    };
    const bool sideBySide = count == 2 && fitsHalf(buttonTitles_[0]) && fitsHalf(buttonTitles_[1]);
    const CGFloat buttonsHeight =
        count == 0   ? 0
        : sideBySide ? buttonHeight
                     : CGFloat(count) * buttonHeight + CGFloat(count - 1) * buttonGap;
    const CGFloat room = 440 - y - buttonsHeight - 2 * padding;
    UIFont messageFont = UIFont::systemFontOfSize(16);
    if (sizeWithFont_constrainedToSize_lineBreakMode(message_, messageFont, {inner, 1e6f},
                                                     UILineBreakModeWordWrap)
            .height > room)
        messageFont = UIFont::systemFontOfSize(13);
    addLabel(message_, messageFont, std::max(CGFloat(0), room));
    y += 4;
    for (int i = 0; i < count; ++i) {
        auto button =
            std::make_shared<AlertButton>(buttonTitles_[size_t(i)], i == cancelButtonIndex_);
        CGRect frame = CGRectMake(padding, y, inner, buttonHeight);
        if (sideBySide)
            frame = CGRectMake(padding + CGFloat(i) * (inner + buttonGap) / 2, y,
                               (inner - buttonGap) / 2, buttonHeight);
        else
            y += buttonHeight + buttonGap;
        button->setFrame(frame);
        button->addTarget_action_forControlEvents([this, i](UIControl*) { clickButton(i); },
                                                  UIControlEventTouchUpInside);
        addSubview(button);
    }
    if (sideBySide)
        y += buttonHeight + buttonGap;
    const CGFloat height = y - buttonGap + padding + 2;
    const CGSize screen = UIScreen::standardSize;
    setFrame(CGRectMake((screen.width - alertWidth) / 2, std::round((screen.height - height) / 2),
                        alertWidth, height));
}

void UIAlertView::clickButton(int index)
{
    auto keepAlive = shared_from_this();
    if (delegate_)
        delegate_->alertView_clickedButtonAtIndex(this, index);
    dismissWithClickedButtonIndex_animated(index, true);
}

bool UIAlertView::keyPressed(UIKey key)
{
    if (key != UIKey::Escape && key != UIKey::Activate)
        return false;
    const int index = key == UIKey::Escape
                          ? escapeButtonIndex(cancelButtonIndex_, numberOfButtons())
                          : defaultButtonIndex(cancelButtonIndex_, numberOfButtons());
    if (index < 0)
        return false;
    clickButton(index);
    return true;
}

void UIAlertView::dismissWithClickedButtonIndex_animated(int buttonIndex, bool animated)
{
    (void)animated;
    if (!visible_)
        return;
    auto keepAlive = shared_from_this();
    if (delegate_)
        delegate_->alertView_willDismissWithButtonIndex(this, buttonIndex);
    visible_ = false;
    removeFromSuperview();
    if (dismissObserver())
        dismissObserver()(*this);
    if (delegate_)
        delegate_->alertView_didDismissWithButtonIndex(this, buttonIndex);
}

void UIAlertView::drawRect(CGRect rect)
{
    const CGRect box = CGRectInset(rect, 1.5, 1.5);
    const UIBezierPath path = UIBezierPath::bezierPathWithRoundedRect_cornerRadius(box, 10);
    UIGraphicsSetFillColor(rgb(0x0b, 0x1a, 0x45, 235));
    path.fill();
    // A glossy upper part.
    const CGRect upper = CGRectMake(box.origin.x, box.origin.y, box.size.width, 44);
    UIBezierPath::bezierPathWithRoundedRect_cornerRadius(upper, 10)
        .intersectionWithPath(path)
        .fillWithGradient(
            CGLinearGradient::vertical(upper, rgb(255, 255, 255, 90), rgb(255, 255, 255, 10)));
    UIGraphicsSetStrokeColor(rgb(0xee, 0xee, 0xf4));
    UIGraphicsSetLineWidth(2.5f);
    UIGraphicsSetLineCap(kCGLineCapSquare);
    path.stroke();
}

void UIAlertView::describe(DumpRecord& record) const
{
    UIView::describe(record);
    record.set("text", title_);
    record.set("message", message_);
    record.set("tag", tag());
}
