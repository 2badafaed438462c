#pragma once
// A row of the settings screen: a bold name at the left and one control (a switch, or the label
// of the alert time) at the right end, centred vertically. Main thread only.
#include "uikit/UILabel.h"
#include "uikit/UITableViewCell.h"

#include <memory>
#include <string>

// The reuse identifier under which the settings screen asks its table for rows.
inline constexpr const char* kDisplayCell_ID = "DisplayCell_ID";

class DisplayCell : public UITableViewCell {
public:
    // initWithFrame:reuseIdentifier: — the name label takes the frame given.
    DisplayCell(CGRect frame, std::string reuseIdentifier);
    std::string className() const override { return "DisplayCell"; }

    const std::shared_ptr<UILabel>& nameLabel() const { return nameLabel_; }
    const std::shared_ptr<UIView>& view() const { return view_; }
    // Hosts the control instead of the previous one and lays the cell out at once. The previous
    // control leaves the content view, unless another cell has taken it meanwhile.
    void setView(std::shared_ptr<UIView> control);

    void setSelected_animated(bool selected, bool animated) override;
    // The name 8 points in, 12 down; the control 8 points from the right end, a page control
    // first made 160 wide.
    void layoutSubviews() override;

private:
    std::shared_ptr<UILabel> nameLabel_;
    std::shared_ptr<UIView> view_;
};
