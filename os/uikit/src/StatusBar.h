#pragma once
// The 20-point bar at the top of the screen: signal bars, the time, the battery.
#include "uikit/UIView.h"

#include <string>

namespace uikit {

class StatusBar : public UIView {
public:
    StatusBar();
    std::string className() const override { return "UIStatusBar"; }
    // The time shown, in the locale's 12- or 24-hour form: "9:41 PM", "21:41".
    std::string timeText() const;
    bool isAccessibilityElement() const override { return true; }
    std::string defaultAccessibilityLabel() const override { return timeText(); }
    UIAccessibilityTraits defaultAccessibilityTraits() const override
    {
        return UIAccessibilityTraitStaticText | UIAccessibilityTraitUpdatesFrequently;
    }
    void drawRect(CGRect rect) override;
    void describe(DumpRecord& record) const override;
};

} // namespace uikit
