#pragma once
// Shows an image scaled to the view's own size. Takes no touches, like the platform's.
#include "uikit/UIImage.h"
#include "uikit/UIView.h"

#include <memory>

class UIImageView : public UIView {
public:
    explicit UIImageView(CGRect frame = CGRectZero);
    // The view takes the image's size, at the origin.
    explicit UIImageView(std::shared_ptr<UIImage> image);
    std::string className() const override { return "UIImageView"; }

    const std::shared_ptr<UIImage>& image() const { return image_; }
    // Keeps the view's frame whatever the new image's size.
    void setImage(std::shared_ptr<UIImage> image);
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted) { highlighted_ = highlighted; }

    CGSize sizeThatFits(CGSize size) const override;
    void drawRect(CGRect rect) override;
    void describe(uikit::DumpRecord& record) const override;

private:
    std::shared_ptr<UIImage> image_;
    bool highlighted_ = false;
};
