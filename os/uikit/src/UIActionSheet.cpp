#include "uikit/UIActionSheet.h"

#include "Painting.h"
#include "Screen.h"
#include "uikit/UIButton.h"
#include "uikit/UILabel.h"
#include "uikit/UIScrollView.h"
#include "uikit/ViewDump.h"

#include <QPainterPath>

#include <algorithm>

using namespace uikit;

namespace {

constexpr CGFloat screenHeight = 480;
// The sheet never covers the status bar.
constexpr CGFloat maxSheetHeight = 460;
constexpr CGFloat sideMargin = 20;
constexpr CGFloat buttonWidth = 320 - 2 * sideMargin;
constexpr CGFloat buttonHeight = 44;
constexpr CGFloat buttonGap = 8;
constexpr CGFloat padding = 14;
constexpr CGFloat titleGap = 12;
const UIFont titleFont = UIFont::systemFontOfSize(14);

enum class Role { Other, Destructive, Cancel };

} // namespace

class UIActionSheet::SheetButton : public UIButton {
public:
    explicit SheetButton(Role role) : UIButton(CGRectZero, UIButtonTypeCustom), role_(role)
    {
        setFont(UIFont::boldSystemFontOfSize(19));
        const bool lightText = role != Role::Other;
        setTitleColor_forState(lightText ? UIColor::whiteColor() : UIColor::blackColor(),
                               UIControlStateNormal);
        setTitleColor_forState(UIColor::whiteColor(), UIControlStateHighlighted);
    }

    void drawRect(CGRect rect) override
    {
        if (QPainter* painter = currentPainter()) {
            QColor top(0xfd, 0xfd, 0xfd), bottom(0xd2, 0xd2, 0xd2), border(0x3c, 0x3c, 0x3c);
            if (isHighlighted())
                top = QColor(0x05, 0x8c, 0xf5), bottom = QColor(0x01, 0x5e, 0xe6);
            else if (role_ == Role::Destructive)
                top = QColor(0xf2, 0x5c, 0x5c), bottom = QColor(0xc2, 0x0c, 0x0c),
                border = QColor(0x5a, 0x08, 0x08);
            else if (role_ == Role::Cancel)
                top = QColor(0x6a, 0x6a, 0x6a), bottom = QColor(0x2c, 0x2c, 0x2c),
                border = QColor(0x10, 0x10, 0x10);
            const QRectF box = toQRect(rect).adjusted(0.5, 0.5, -0.5, -0.5);
            QPainterPath path;
            path.addRoundedRect(box, 9, 9);
            painter->save();
            QLinearGradient gradient(box.topLeft(), box.bottomLeft());
            gradient.setColorAt(0, top);
            gradient.setColorAt(0.5, top.darker(104));
            gradient.setColorAt(0.51, bottom.lighter(108));
            gradient.setColorAt(1, bottom);
            painter->fillPath(path, gradient);
            painter->setPen(QPen(border, 1));
            painter->drawPath(path);
            painter->restore();
        }
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
        if (role_ == Role::Destructive)
            record.set("destructive", true);
        if (role_ == Role::Cancel)
            record.set("cancel", true);
    }

private:
    Role role_;
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
    rebuildButtons();
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
    rebuildButtons();
}

UIActionSheet::~UIActionSheet() = default;

void UIActionSheet::setTitle(std::string title)
{
    title_ = std::move(title);
    rebuildButtons();
}

void UIActionSheet::setActionSheetStyle(UIActionSheetStyle style)
{
    style_ = style;
    rebuildButtons();
}

int UIActionSheet::addButtonWithTitle(std::string title)
{
    buttonTitles_.push_back(std::move(title));
    rebuildButtons();
    return int(buttonTitles_.size()) - 1;
}

std::string UIActionSheet::buttonTitleAtIndex(int index) const
{
    if (index < 0 || index >= numberOfButtons())
        return {};
    return buttonTitles_[size_t(index)];
}

void UIActionSheet::setCancelButtonIndex(int index)
{
    cancelButtonIndex_ = index;
    rebuildButtons();
}

void UIActionSheet::setDestructiveButtonIndex(int index)
{
    destructiveButtonIndex_ = index;
    rebuildButtons();
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
    rebuildButtons();
    UIView& layer = Screen::shared().modalLayer();
    layer.addSubview(shared_from_this());
    layer.setNeedsLayout();
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

UIActionSheet::Layout UIActionSheet::layout() const
{
    Layout layout;
    if (!title_.empty())
        layout.titleHeight = sizeWithFont_constrainedToSize_lineBreakMode(
                                 title_, titleFont, {buttonWidth, 120}, UILineBreakModeWordWrap)
                                 .height;
    layout.buttonsTop = padding + (layout.titleHeight > 0 ? layout.titleHeight + titleGap : 0);
    CGFloat y = 0;
    for (int i = 0; i < numberOfButtons(); ++i) {
        // The cancel button stands apart from the buttons above it.
        if (i > 0)
            y += buttonGap + (i == cancelButtonIndex_ ? buttonGap : 0);
        layout.buttonTops.push_back(y);
        y += buttonHeight;
    }
    layout.buttonsHeight = y;
    const CGFloat height = std::min(maxSheetHeight, layout.buttonsTop + y + padding);
    layout.frame = CGRectMake(0, screenHeight - height, 320, height);
    return layout;
}

CGRect UIActionSheet::sheetFrame() const { return layout().frame; }

void UIActionSheet::rebuildButtons()
{
    for (auto& button : buttons_)
        button->removeFromSuperview();
    buttons_.clear();
    for (int i = 0; i < numberOfButtons(); ++i) {
        const Role role = i == destructiveButtonIndex_ ? Role::Destructive
                          : i == cancelButtonIndex_    ? Role::Cancel
                                                       : Role::Other;
        auto button = std::make_shared<SheetButton>(role);
        button->setTitle_forState(buttonTitles_[size_t(i)], UIControlStateNormal);
        button->addTarget_action_forControlEvents(
            [this, i](UIControl*) { dismissWithClickedButtonIndex_animated(i, true); },
            UIControlEventTouchUpInside);
        buttonArea_->addSubview(button);
        buttons_.push_back(std::move(button));
    }
    auto* label = static_cast<UILabel*>(titleLabel_.get());
    label->setText(title_);
    label->setHidden(title_.empty());
    const bool dark = style_ == UIActionSheetStyleBlackTranslucent ||
                      style_ == UIActionSheetStyleBlackOpaque;
    label->setTextColor(dark ? UIColor(0.78f, 0.78f, 0.78f, 1) : UIColor::whiteColor());
    setFrame(sheetFrame());
    setNeedsLayout();
    setNeedsDisplay();
}

void UIActionSheet::layoutSubviews()
{
    UIView::layoutSubviews();
    const Layout now = layout();
    titleLabel_->setFrame(CGRectMake(sideMargin, padding, buttonWidth, now.titleHeight));
    for (size_t i = 0; i < buttons_.size() && i < now.buttonTops.size(); ++i)
        buttons_[i]->setFrame(CGRectMake(sideMargin, now.buttonTops[i], buttonWidth, buttonHeight));
    const CGFloat areaHeight = std::max(CGFloat(0), frame().size.height - now.buttonsTop - padding);
    buttonArea_->setFrame(CGRectMake(0, now.buttonsTop, 320, areaHeight));
    buttonArea_->setContentSize({320, now.buttonsHeight});
}

void UIActionSheet::drawRect(CGRect rect)
{
    QPainter* painter = currentPainter();
    if (!painter)
        return;
    const QRectF box = toQRect(rect);
    switch (style_) {
    case UIActionSheetStyleBlackTranslucent:
        painter->fillRect(box, QColor(0, 0, 0, 232));
        break;
    case UIActionSheetStyleBlackOpaque:
        painter->fillRect(box, Qt::black);
        break;
    default:
        fillGradient(*painter, box, QColor(0x9a, 0xa5, 0xb8), QColor(0x6c, 0x79, 0x8f));
        break;
    }
    painter->fillRect(QRectF(box.left(), box.top(), box.width(), 1), QColor(0x2e, 0x2e, 0x2e));
    painter->fillRect(QRectF(box.left(), box.top() + 1, box.width(), 1),
                      QColor(255, 255, 255, 70));
}

void UIActionSheet::describe(DumpRecord& record) const
{
    UIView::describe(record);
    record.set("title", title_);
    record.set("style", int(style_));
    record.set("cancelButtonIndex", cancelButtonIndex_);
    record.set("destructiveButtonIndex", destructiveButtonIndex_);
}
