#include "uikit/UIImageView.h"

#include "uikit/ViewDump.h"

UIImageView::UIImageView(CGRect frame) : UIView(frame) { setUserInteractionEnabled(false); }

UIImageView::UIImageView(std::shared_ptr<UIImage> image)
    : UIView({{0, 0}, image ? image->size() : CGSize{}}), image_(std::move(image))
{
    setUserInteractionEnabled(false);
}

void UIImageView::setImage(std::shared_ptr<UIImage> image)
{
    image_ = std::move(image);
    setNeedsDisplay();
}

CGSize UIImageView::sizeThatFits(CGSize size) const { return image_ ? image_->size() : size; }

void UIImageView::drawRect(CGRect rect)
{
    if (image_)
        image_->drawInRect(rect);
}

void UIImageView::describe(uikit::DumpRecord& record) const
{
    UIView::describe(record);
    record.set("image", image_ ? image_->name() : std::string());
}
