#pragma once
// The view tree. A view owns its subviews; it knows its superview without owning it. Views are
// always made with std::make_shared, since the tree keeps them by shared_ptr. Frames are in the
// superview's coordinates (offset by the superview's bounds origin, which scrolling moves).
// Later subviews lie on top of earlier ones. Main thread only.
#include "uikit/CGGeometry.h"
#include "uikit/UIAccessibility.h"
#include "uikit/UIColor.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace uikit {
class DumpRecord;
}
class UIWindow;

// The keys views act on; the screen turns the keyboard's keys into these.
enum class UIKey {
    Up,
    Down,
    Left,
    Right,
    PageUp,
    PageDown,
    Home,
    End,
    Activate, // Return, Enter or Space: what a tap on the focused view does
    Escape,
};

enum UIViewAutoresizing : unsigned {
    UIViewAutoresizingNone = 0,
    UIViewAutoresizingFlexibleLeftMargin = 1 << 0,
    UIViewAutoresizingFlexibleWidth = 1 << 1,
    UIViewAutoresizingFlexibleRightMargin = 1 << 2,
    UIViewAutoresizingFlexibleTopMargin = 1 << 3,
    UIViewAutoresizingFlexibleHeight = 1 << 4,
    UIViewAutoresizingFlexibleBottomMargin = 1 << 5,
};

class UIView : public std::enable_shared_from_this<UIView> {
public:
    explicit UIView(CGRect frame = CGRectZero);
    virtual ~UIView();
    UIView(const UIView&) = delete;
    UIView& operator=(const UIView&) = delete;

    // The name the view tree dump gives this view's class.
    virtual std::string className() const { return "UIView"; }

    CGRect frame() const { return frame_; }
    // A change of size lays the view out again and, with autoresizesSubviews, resizes the
    // subviews by their autoresizing masks.
    virtual void setFrame(CGRect frame);
    // Origin: the point of this view's own coordinates shown at its top left corner.
    CGRect bounds() const { return {boundsOrigin_, frame_.size}; }
    void setBounds(CGRect bounds);
    CGPoint center() const { return {CGRectGetMidX(frame_), CGRectGetMidY(frame_)}; }
    void setCenter(CGPoint center);

    UIColor backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const UIColor& color);
    bool isOpaque() const { return opaque_; }
    void setOpaque(bool opaque);
    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden);
    CGFloat alpha() const { return alpha_; }
    void setAlpha(CGFloat alpha);
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    bool clipsToBounds() const { return clipsToBounds_; }
    void setClipsToBounds(bool clips);
    bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
    void setUserInteractionEnabled(bool enabled) { userInteractionEnabled_ = enabled; }

    bool autoresizesSubviews() const { return autoresizesSubviews_; }
    void setAutoresizesSubviews(bool autoresizes) { autoresizesSubviews_ = autoresizes; }
    void setAutoresizingMask(unsigned mask) { autoresizingMask_ = mask; }

    // --- the tree
    UIView* superview() const { return superview_; }
    // Back to front.
    const std::vector<std::shared_ptr<UIView>>& subviews() const { return subviews_; }
    // Puts the view on top of the others, taking it out of its former superview first.
    void addSubview(std::shared_ptr<UIView> view);
    void insertSubview_atIndex(std::shared_ptr<UIView> view, size_t index);
    void insertSubview_belowSubview(std::shared_ptr<UIView> view, const UIView* sibling);
    // The superview lets go of this view. A view that nothing else holds is released once the
    // current event has been handled, so a view may remove itself from inside its own action.
    void removeFromSuperview();
    void bringSubviewToFront(const UIView* view);
    void sendSubviewToBack(const UIView* view);
    bool isDescendantOfView(const UIView* view) const;
    // This view or the first descendant (depth first, back to front) with the tag; nullptr if none.
    UIView* viewWithTag(int tag);
    // The window the view is in, nullptr when it is in none.
    UIWindow* window() const;

    // --- geometry between views; nullptr means the screen
    CGPoint convertPoint_toView(CGPoint point, const UIView* view) const;
    CGRect convertRect_toView(CGRect rect, const UIView* view) const;
    CGPoint convertPoint_fromView(CGPoint point, const UIView* view) const;
    // The frame in screen points.
    CGRect screenFrame() const { return convertRect_toView(bounds(), nullptr); }

    // --- layout and drawing
    // layoutSubviews runs at the next layout pass (before the screen is drawn, dumped or touched),
    // or at once through layoutIfNeeded.
    void setNeedsLayout();
    // Lays out this view when it needs it, then its subviews, depth first.
    void layoutIfNeeded();
    // Places the subviews; the base does nothing. Overrides call the base first.
    virtual void layoutSubviews();
    // The size the view would like within `size`; the base answers its current size.
    virtual CGSize sizeThatFits(CGSize size) const;
    // Resizes the view to sizeThatFits of its current size, keeping its origin.
    virtual void sizeToFit();
    // The screen is drawn again soon.
    void setNeedsDisplay();
    // Draws the view's own content in its bounds, after its background and before its subviews,
    // into the current graphics context. The base draws nothing.
    virtual void drawRect(CGRect rect);

    // --- touches, in this view's coordinates
    // The deepest visible, touchable view under the point, front first; nullptr when none.
    virtual UIView* hitTest(CGPoint point);
    virtual bool pointInside(CGPoint point) const;
    // Whether this view takes touches itself; a touch goes to the nearest such view at or above
    // the view hit.
    virtual bool handlesTouches() const { return false; }
    virtual void touchesBegan(CGPoint point);
    virtual void touchesMoved(CGPoint point);
    virtual void touchesEnded(CGPoint point);
    virtual void touchesCancelled();
    // Scroll by this many points (mouse wheel, the pointer at `point` in this view's
    // coordinates); false when the view does not scroll.
    virtual bool scrollByWheel(CGPoint point, CGFloat dx, CGFloat dy);

    // --- the keyboard (see uikit/KeyboardFocus.h)
    // Whether Tab stops at this view; the base answers no.
    virtual bool canBecomeFocused() const { return false; }
    // A key for the view: the focused view gets the keys, and Escape is offered to every view
    // of the frontmost layer, front first. False when the view does nothing with it.
    virtual bool keyPressed(UIKey key);
    // What the focus ring goes around, in this view's coordinates; the base: its bounds.
    virtual CGRect focusRingRect() const { return bounds(); }

    // --- what the view is to a screen reader (see uikit/UIAccessibility.h)
    // An element is read as one object (a label, a button, a row); a view that is none is read
    // through the elements in it. The base is none.
    virtual bool isAccessibilityElement() const { return false; }
    // What the element is read as; set by the caller, else the view's own (a button's title).
    std::string accessibilityLabel() const;
    void setAccessibilityLabel(std::string label) { accessibilityLabel_ = std::move(label); }
    // What it holds now: a field's text, a switch's "1" or "0". The base: nothing.
    virtual std::string accessibilityValue() const { return {}; }
    // Read after the label and value when there is more to know (an alert's message).
    virtual std::string accessibilityHint() const { return {}; }
    UIAccessibilityTraits accessibilityTraits() const;
    void setAccessibilityTraits(UIAccessibilityTraits traits) { accessibilityTraits_ = traits; }
    // A view that is no element but holds elements a reader moves among (a table's rows).
    virtual UIAccessibilityContainerType accessibilityContainerType() const
    {
        return UIAccessibilityContainerTypeNone;
    }
    // Whether the view is a layer the user must answer before anything under it (an alert).
    virtual bool accessibilityViewIsModal() const { return false; }
    // The reader's "activate": true when the view did it; false, and the reader taps it in its
    // middle.
    virtual bool accessibilityActivate() { return false; }
    // The parts of the view that are elements without being views (a picker's wheels).
    virtual int accessibilityElementCount() const { return 0; }
    virtual UIAccessibilityElement accessibilityElementAtIndex(int index) const;

    // --- the view tree dump
    // Adds this view's own keys; the base gives class, frame (in screen points) and hidden.
    // Overrides call the base first, then add theirs ("text", "textColor", "image", "selected",
    // "on", "badge", ...). "children" is added after this, from subviewsForDump.
    virtual void describe(uikit::DumpRecord& record) const;
    // The subviews the dump lists; the base gives all of them, back to front.
    virtual std::vector<const UIView*> subviewsForDump() const;

    // The topmost ancestor, or this view.
    UIView* rootView();

protected:
    // Called after the view entered or left a superview.
    virtual void didMoveToSuperview() {}
    // What accessibilityLabel and accessibilityTraits answer until the caller sets them.
    virtual std::string defaultAccessibilityLabel() const { return {}; }
    virtual UIAccessibilityTraits defaultAccessibilityTraits() const
    {
        return UIAccessibilityTraitNone;
    }

private:
    void resizeSubviews(CGSize oldSize);
    void autoresize(CGSize oldSuperSize, CGSize newSuperSize);
    void detachSubview(const UIView* view);

    CGRect frame_;
    CGPoint boundsOrigin_;
    UIColor backgroundColor_ = UIColor::clearColor();
    bool opaque_ = true;
    bool hidden_ = false;
    CGFloat alpha_ = 1;
    int tag_ = 0;
    bool clipsToBounds_ = false;
    bool userInteractionEnabled_ = true;
    bool autoresizesSubviews_ = true;
    unsigned autoresizingMask_ = UIViewAutoresizingNone;
    bool needsLayout_ = true;
    UIView* superview_ = nullptr;
    std::vector<std::shared_ptr<UIView>> subviews_;
    std::optional<std::string> accessibilityLabel_;
    std::optional<UIAccessibilityTraits> accessibilityTraits_;
};
