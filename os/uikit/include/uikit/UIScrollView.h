#pragma once
// A view whose content is larger than itself: dragging or the mouse wheel moves the content
// offset (the bounds origin) within the content size. Clips its content.
#include "uikit/UIView.h"

class UIScrollView : public UIView {
public:
    explicit UIScrollView(CGRect frame = CGRectZero);
    std::string className() const override { return "UIScrollView"; }

    CGPoint contentOffset() const { return bounds().origin; }
    // Kept within 0 .. content size − view size (0 when the content is smaller).
    virtual void setContentOffset(CGPoint offset);
    CGSize contentSize() const { return contentSize_; }
    void setContentSize(CGSize size);

    void setFrame(CGRect frame) override;
    bool handlesTouches() const override { return scrollEnabled_; }
    void touchesBegan(CGPoint point) override;
    void touchesMoved(CGPoint point) override;
    void touchesEnded(CGPoint point) override;
    void touchesCancelled() override;
    bool scrollByWheel(CGPoint point, CGFloat dx, CGFloat dy) override;

protected:
    // A touch that ended without moving the content: a tap at the point (own coordinates).
    virtual void tapped(CGPoint point) { (void)point; }

private:
    CGPoint clamped(CGPoint offset) const;

    CGSize contentSize_;
    bool scrollEnabled_ = true;
    bool tracking_ = false;
    bool dragging_ = false;
    CGPoint touchStart_;
    CGPoint offsetAtStart_;
};
