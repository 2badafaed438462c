#pragma once
// A row of a table. Subclasses add their views to the content view and place them in
// layoutSubviews. The accessory sits at the right, above the content view.
#include "uikit/UILabel.h"
#include "uikit/UIView.h"

#include <memory>
#include <string>

enum UITableViewCellAccessoryType {
    UITableViewCellAccessoryNone = 0,
    UITableViewCellAccessoryDisclosureIndicator = 1,
    UITableViewCellAccessoryDetailDisclosureButton = 2,
    UITableViewCellAccessoryCheckmark = 3,
};

enum UITableViewCellSelectionStyle {
    UITableViewCellSelectionStyleNone = 0,
    UITableViewCellSelectionStyleBlue = 1,
    UITableViewCellSelectionStyleGray = 2,
};

enum UITableViewCellEditingStyle {
    UITableViewCellEditingStyleNone = 0,
    UITableViewCellEditingStyleDelete = 1,
    UITableViewCellEditingStyleInsert = 2,
};

class UITableViewCell : public UIView {
public:
    // Where a cell of a grouped table sits in its group, which decides its rounded corners.
    enum class GroupPosition { None, Single, Top, Middle, Bottom };

    // initWithFrame:reuseIdentifier:
    UITableViewCell(CGRect frame, std::string reuseIdentifier);
    ~UITableViewCell() override;
    std::string className() const override { return "UITableViewCell"; }

    const std::string& reuseIdentifier() const { return reuseIdentifier_; }
    UIView* contentView() const { return contentView_.get(); }
    // A label in the content view made on first use, for cells that show one text.
    UILabel* textLabel();
    const std::string& text() const;
    void setText(std::string text);

    UITableViewCellAccessoryType accessoryType() const { return accessoryType_; }
    void setAccessoryType(UITableViewCellAccessoryType type);
    UITableViewCellSelectionStyle selectionStyle() const { return selectionStyle_; }
    void setSelectionStyle(UITableViewCellSelectionStyle style);

    bool isSelected() const { return selected_; }
    // Draws the selected background (unless the style is none) and highlights the labels and
    // image views of the content view. Overrides call the base first.
    virtual void setSelected_animated(bool selected, bool animated);
    void setSelected(bool selected) { setSelected_animated(selected, false); }
    // Before the table hands the cell out again from its reuse queue.
    virtual void prepareForReuse() {}

    // Set by the table.
    void setGroupPosition(GroupPosition position);
    GroupPosition groupPosition() const { return groupPosition_; }

    void layoutSubviews() override;
    void drawRect(CGRect rect) override;
    // A row is read as its whole text.
    bool isAccessibilityElement() const override { return true; }
    void describe(uikit::DumpRecord& record) const override;

protected:
    std::string defaultAccessibilityLabel() const override;
    UIAccessibilityTraits defaultAccessibilityTraits() const override
    {
        return isSelected() ? UIAccessibilityTraitSelected : UIAccessibilityTraitNone;
    }

private:
    std::string reuseIdentifier_;
    std::shared_ptr<UIView> contentView_;
    std::shared_ptr<UIView> accessoryView_;
    std::shared_ptr<UILabel> textLabel_;
    UITableViewCellAccessoryType accessoryType_ = UITableViewCellAccessoryNone;
    UITableViewCellSelectionStyle selectionStyle_ = UITableViewCellSelectionStyleBlue;
    bool selected_ = false;
    GroupPosition groupPosition_ = GroupPosition::None;
};
