#include "DisplayCell.h"

#include "uikit/UIPageControl.h"

#include <cmath>

namespace {

constexpr CGFloat kMargin = 8;
constexpr CGFloat kNameTop = 12;
constexpr CGFloat kNameHeight = 25;
constexpr CGFloat kPageControlWidth = 160;

} // namespace

DisplayCell::DisplayCell(CGRect frame, std::string reuseIdentifier)
    : UITableViewCell(frame, std::move(reuseIdentifier)),
      nameLabel_(std::make_shared<UILabel>(frame))
{
    nameLabel_->setBackgroundColor(UIColor::clearColor());
    nameLabel_->setOpaque(false);
    nameLabel_->setTextColor(UIColor::blackColor());
    nameLabel_->setHighlightedTextColor(UIColor::blackColor());
    nameLabel_->setFont(UIFont::boldSystemFontOfSize(18));
    contentView()->addSubview(nameLabel_);
}

void DisplayCell::setView(std::shared_ptr<UIView> control)
{
    // A control moved to another cell meanwhile stays where it is now shown.
    if (view_ && view_->superview() == contentView())
        view_->removeFromSuperview();
    view_ = std::move(control);
    if (view_)
        contentView()->addSubview(view_);
    layoutSubviews();
}

void DisplayCell::setSelected_animated(bool selected, bool animated)
{
    UITableViewCell::setSelected_animated(selected, animated);
    nameLabel_->setHighlighted(selected);
}

void DisplayCell::layoutSubviews()
{
    UITableViewCell::layoutSubviews();
    const CGRect content = contentView()->bounds();
    nameLabel_->setFrame(
        CGRectMake(content.origin.x + kMargin, kNameTop, content.size.width, kNameHeight));
    if (!view_)
        return;
    if (dynamic_cast<UIPageControl*>(view_.get())) {
        CGRect frame = view_->frame();
        frame.size.width = kPageControlWidth;
        view_->setFrame(frame);
    }
    const CGSize size = view_->frame().size;
    // std::round takes halves away from zero: 8.5 gives 9.
    view_->setFrame(CGRectMake(content.size.width - size.width - kMargin,
                               std::round((content.size.height - size.height) / 2), size.width,
                               size.height));
}
