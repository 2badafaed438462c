#pragma once
// One application on the home screen: its icon, its name under it, and its badge on the icon's
// top right corner. A tap (touch up inside) launches the application.
#include "BadgeView.h"
#include "InstalledApplications.h"
#include "uikit/UIControl.h"

#include <memory>

class UIImageView;
class UILabel;

namespace springboard {

class IconView : public UIControl {
public:
    static constexpr CGFloat kWidth = 76;
    static constexpr CGFloat kHeight = 90;

    IconView(const InstalledApplication& application, CGPoint origin);
    std::string className() const override { return "SBIconView"; }

    const std::string& identifier() const { return identifier_; }
    const std::string& badge() const { return badge_->text(); }
    void setBadge(const std::string& text);

    void describe(uikit::DumpRecord& record) const override;

private:
    std::string identifier_;
    std::shared_ptr<UIImageView> image_;
    std::shared_ptr<UILabel> name_;
    std::shared_ptr<BadgeView> badge_;
};

} // namespace springboard
