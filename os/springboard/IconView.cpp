#include "IconView.h"

#include "uikit/UIImage.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"
#include "uikit/ViewDump.h"

namespace springboard {
namespace {

constexpr CGFloat kIconSize = 57;
constexpr CGFloat kIconX = (IconView::kWidth - kIconSize) / 2;
constexpr CGFloat kIconY = 8;

} // namespace

IconView::IconView(const InstalledApplication& application, CGPoint origin)
    : UIControl(CGRectMake(origin.x, origin.y, kWidth, kHeight)),
      identifier_(application.identifier)
{
    setOpaque(false);

    image_ = std::make_shared<UIImageView>(CGRectMake(kIconX, kIconY, kIconSize, kIconSize));
    image_->setImage(UIImage::imageWithContentsOfFile(application.icon.string()));
    if (!image_->image())
        image_->setBackgroundColor(UIColor(0.55f, 0.58f, 0.64f, 1));
    addSubview(image_);

    name_ = std::make_shared<UILabel>(CGRectMake(0, kIconY + kIconSize + 3, kWidth, 16));
    name_->setText(application.displayName);
    name_->setFont(UIFont::boldSystemFontOfSize(11));
    name_->setTextColor(UIColor::whiteColor());
    name_->setShadowColor(UIColor::blackColor());
    name_->setShadowOffset({0, 1});
    name_->setBackgroundColor(UIColor::clearColor());
    name_->setOpaque(false);
    name_->setTextAlignment(UITextAlignmentCenter);
    addSubview(name_);

    badge_ = std::make_shared<BadgeView>();
    const CGRect badge = badge_->frame();
    badge_->setFrame(CGRectMake(kIconX + kIconSize + 8 - badge.size.width, kIconY - 8,
                                badge.size.width, badge.size.height));
    addSubview(badge_);
}

void IconView::setBadge(const std::string& text) { badge_->setText(text); }

void IconView::describe(uikit::DumpRecord& record) const
{
    UIControl::describe(record);
    record.set("badge", badge_->text());
}

} // namespace springboard
