#pragma once
// An on/off switch of the standard size, 94 x 27 whatever frame it is given. A tap toggles it and
// sends UIControlEventValueChanged once; setOn from code sends nothing.
#include "uikit/UIControl.h"

class UISwitch : public UIControl {
public:
    static constexpr CGSize standardSize{94, 27};

    // initWithFrame: keeps the origin, takes the standard size.
    explicit UISwitch(CGRect frame = CGRectZero);
    std::string className() const override { return "UISwitch"; }

    bool isOn() const { return on_; }
    void setOn(bool on) { setOn_animated(on, false); }
    void setOn_animated(bool on, bool animated);

    void setFrame(CGRect frame) override;
    CGSize sizeThatFits(CGSize size) const override;
    void touchesEnded(CGPoint point) override;
    void drawRect(CGRect rect) override;
    bool isAccessibilityElement() const override { return true; }
    std::string accessibilityValue() const override { return isOn() ? "1" : "0"; }
    void describe(uikit::DumpRecord& record) const override;

protected:
    // In a table's row, the row's texts: the switch is what the row is about.
    std::string defaultAccessibilityLabel() const override;
    UIAccessibilityTraits defaultAccessibilityTraits() const override
    {
        return UIAccessibilityTraitToggleButton | UIControl::defaultAccessibilityTraits();
    }

private:
    bool on_ = false;
};
