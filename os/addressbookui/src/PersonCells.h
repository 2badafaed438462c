#pragma once
// The person screen's cells: the header (photo, name, "Edit"), one value with its label, and the
// red minus or green plus before a row being edited.
#include <addressbook/AddressBook.h>
#include <uikit/UIButton.h>
#include <uikit/UIControl.h>
#include <uikit/UIImageView.h>
#include <uikit/UILabel.h>
#include <uikit/UITableViewCell.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace addressbookui {

// A label on a clear background that turns white when its row is highlighted.
std::shared_ptr<UILabel> makeLabel(const UIFont& font, const UIColor& color,
                                   UITextAlignment alignment);

// "First Last", whichever of them there is, or "No Name".
std::string displayName(const ab::Person& person);

// A red minus or a green plus in a circle, at the left of a row being edited.
class EditControl : public UIControl {
public:
    enum class Kind { Delete, Add };
    explicit EditControl(Kind kind) : kind_(kind) {}
    std::string className() const override;
    void drawRect(CGRect rect) override;

private:
    Kind kind_;
};

// The photo beside the name; one larger is decoded straight to this size.
inline constexpr CGSize kPhotoSize{64, 64};

// The photo, the name and the "Edit" button above the values; drawn on the table's background.
class HeaderCell : public UITableViewCell {
public:
    HeaderCell();
    void configure(const ab::Person& person, std::shared_ptr<UIImage> photo, bool allowsEditing,
                   bool editing, std::function<void()> onEdit);
    void layoutSubviews() override;
    // Without a photo, a plain silhouette in its place.
    void drawRect(CGRect rect) override;

private:
    // A long name takes a smaller font and more lines, and is cut short only when even that is
    // not enough.
    void fitName();

    std::shared_ptr<UIImageView> photo_;
    std::shared_ptr<UILabel> name_;
    std::shared_ptr<UIButton> edit_;
    std::function<void()> onEdit_;
};

// One value: its label at the left, the value beside it; while editing, a control before them.
class ValueCell : public UITableViewCell {
public:
    ValueCell();
    void configure(const std::string& label, const std::string& value, bool selectable,
                   std::optional<EditControl::Kind> control, std::function<void()> onControl);
    void layoutSubviews() override;

private:
    void fitLabelFont();

    std::shared_ptr<UILabel> label_;
    std::shared_ptr<UILabel> value_;
    std::shared_ptr<EditControl> control_;
    std::function<void()> onControl_;
};

} // namespace addressbookui
