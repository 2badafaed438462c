#pragma once
// Holds the alerts and sheets on screen, above everything, over a dimmed screen. Only the
// latest one shows; the earlier ones come back as the later ones go. While it holds any, every
// touch outside them is swallowed.
#include "uikit/UIView.h"

namespace uikit {

class ModalLayer : public UIView {
public:
    ModalLayer();
    std::string className() const override { return "UIModalLayer"; }
    bool handlesTouches() const override { return true; }
    void layoutSubviews() override;
    void drawRect(CGRect rect) override;
};

// The button Escape taps in an alert or a sheet: the cancel button, or the only button; -1 when
// there is neither.
int escapeButtonIndex(int cancelButtonIndex, int numberOfButtons);
// The button Return taps in an alert: the one button besides the cancel button, else the one
// Escape taps; -1 when there is none.
int defaultButtonIndex(int cancelButtonIndex, int numberOfButtons);

} // namespace uikit
