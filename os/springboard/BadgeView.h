#pragma once
// The red lozenge with a white rim that carries an icon's badge text. Hidden while the text is
// empty; its width follows the text.
#include "uikit/UIView.h"

#include <string>

namespace springboard {

class BadgeView : public UIView {
public:
    BadgeView();
    std::string className() const override { return "SBIconBadge"; }

    const std::string& text() const { return text_; }
    // Keeps the view's top right corner where it is.
    void setText(std::string text);

    void drawRect(CGRect rect) override;
    void describe(uikit::DumpRecord& record) const override;

private:
    std::string text_;
};

} // namespace springboard
