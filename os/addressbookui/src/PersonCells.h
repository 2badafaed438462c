#pragma once
// The person screen's cells: the header (photo, name, "Edit"), one value with its label, the
// red minus or green plus before a row being edited, and the "Delete Contact" button.
#include "addressbook/AddressBook.h"
#include "uikit/UIButton.h"
#include "uikit/UIControl.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"
#include "uikit/UITableViewCell.h"
#include "uikit/UITextField.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

namespace addressbookui {

// A label on a clear background that turns white when its row is highlighted.
void styleLabel(UILabel& label, const UIFont& font, const UIColor& color,
                UITextAlignment alignment);
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

// What the header's controls do; an empty one hides its control.
struct HeaderActions {
    std::function<void()> edit; // "Edit" and "Done"
    std::function<void(std::string)> firstName; // each change of the name fields, in editing
    std::function<void(std::string)> lastName;
    std::function<void()> photo; // "add photo" and "edit photo", in editing
};

// The photo, the name and the "Edit" button above the values; drawn on the table's background.
// In editing, fields for the first and last name take the name's place.
class HeaderCell : public UITableViewCell {
public:
    HeaderCell();
    // `person` is the one shown: the edited copy in editing.
    void configure(const ab::Person& person, std::shared_ptr<UIImage> photo, bool editing,
                   HeaderActions actions);
    // The keyboard goes to the first name's field (in editing).
    void focusFirstName();
    void layoutSubviews() override;
    // Without a photo, a plain silhouette in its place.
    void drawRect(CGRect rect) override;

private:
    // A long name takes a smaller font and more lines, and is cut short only when even that is
    // not enough.
    void fitName();

    std::shared_ptr<UIImageView> photo_;
    std::shared_ptr<UIButton> photoButton_;
    std::shared_ptr<UILabel> name_;
    std::shared_ptr<UITextField> first_;
    std::shared_ptr<UITextField> last_;
    std::shared_ptr<UIButton> edit_;
    HeaderActions actions_;
};

// One value: its label at the left, the value beside it; while editing, a control before them.
class ValueCell : public UITableViewCell {
public:
    ValueCell();
    void configure(const std::string& label, const std::string& value, bool selectable,
                   std::optional<EditControl::Kind> control, std::function<void()> onControl);
    // Shows the value in a field that sends each change to `onChange` (none: as text again).
    // Configure first.
    void editValue(const std::string& placeholder, std::function<void(std::string)> onChange);
    // A small button at the right end of the row; an empty title hides it. Configure first.
    void setButton(const std::string& title, std::function<void()> action);
    UITextField& field() { return *field_; }
    void layoutSubviews() override;

private:
    std::shared_ptr<UILabel> label_;
    std::shared_ptr<UILabel> value_;
    std::shared_ptr<UITextField> field_;
    std::shared_ptr<UIButton> button_;
    std::shared_ptr<EditControl> control_;
    std::function<void()> onControl_;
    std::function<void(std::string)> onChange_;
    std::function<void()> onButton_;
};

// "Delete Contact": a red button the width of the group, on the table's background. A tap
// selects its row.
class DeleteContactCell : public UITableViewCell {
public:
    DeleteContactCell();
    void layoutSubviews() override;
    void drawRect(CGRect rect) override;

private:
    std::shared_ptr<UILabel> title_;
};

} // namespace addressbookui
