#pragma once
// A view that turns touches into control events and sends each event to the actions added for
// it, in the order they were added.
#include "uikit/UIView.h"

#include <functional>
#include <vector>

enum UIControlEvents : unsigned {
    UIControlEventTouchDown = 1 << 0,
    UIControlEventTouchDragInside = 1 << 2,
    UIControlEventTouchDragOutside = 1 << 3,
    UIControlEventTouchUpInside = 1 << 6,
    UIControlEventTouchUpOutside = 1 << 7,
    UIControlEventTouchCancel = 1 << 8,
    UIControlEventValueChanged = 1 << 12,
    UIControlEventEditingDidBegin = 1 << 16,
    UIControlEventEditingChanged = 1 << 17,
    UIControlEventEditingDidEnd = 1 << 18,
    UIControlEventAllEvents = 0xFFFFFFFF,
};

enum UIControlState : unsigned {
    UIControlStateNormal = 0,
    UIControlStateHighlighted = 1 << 0,
    UIControlStateDisabled = 1 << 1,
    UIControlStateSelected = 1 << 2,
};

class UIControl : public UIView {
public:
    // A target's action, bound to its target: called with the control that sent it.
    using Action = std::function<void(UIControl* sender)>;

    explicit UIControl(CGRect frame = CGRectZero);
    std::string className() const override { return "UIControl"; }

    void addTarget_action_forControlEvents(Action action, unsigned events);
    void removeAllTargets();
    // Runs the actions of every event in `events`.
    void sendActionsForControlEvents(unsigned events);

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected);
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted);
    unsigned state() const;

    bool handlesTouches() const override { return enabled_; }
    void touchesBegan(CGPoint point) override;
    void touchesMoved(CGPoint point) override;
    void touchesEnded(CGPoint point) override;
    void touchesCancelled() override;
    // An enabled control takes the focus; Return, Enter or Space tap it in its middle.
    bool canBecomeFocused() const override { return enabled_; }
    bool keyPressed(UIKey key) override;
    void describe(uikit::DumpRecord& record) const override;

protected:
    // Not enabled while disabled.
    UIAccessibilityTraits defaultAccessibilityTraits() const override;

private:
    struct Target {
        Action action;
        unsigned events;
    };
    std::vector<Target> targets_;
    bool enabled_ = true;
    bool selected_ = false;
    bool highlighted_ = false;
};
