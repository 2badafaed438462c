#pragma once
// A row of the birthday lists: the contact's photo at the left over a 320 x 68 background, the
// name, date, age and countdown in a column to its right, the zodiac sign's icon and name on
// the lower line. Cells are reused for other rows: every setter replaces what the last row set.
// Main thread only.
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"
#include "uikit/UITableViewCell.h"

#include <memory>
#include <string>

class TodoCell : public UITableViewCell {
public:
    // initWithFrame:reuseIdentifier:
    TodoCell(CGRect frame, std::string reuseIdentifier);
    std::string className() const override { return "TodoCell"; }

    // The placeholder photo every new cell starts with.
    static std::shared_ptr<UIImage> priority1Image;
    // The size every photo is drawn at: the placeholder's.
    static CGSize photoSize();
    // The sign icon every new cell starts with: "aries.png" until the first setSigno, then the
    // 20 x 21 sign image it last drew, which also sets the size of new cells' sign icon views.
    static std::shared_ptr<UIImage> itemImage;

    static std::shared_ptr<UILabel> newLabelWithPrimaryColor_selectedColor_fontSize_bold(
        const UIColor& primaryColor, const UIColor& selectedColor, CGFloat fontSize, bool bold);

    void setImageContact(std::shared_ptr<UIImage> image);
    void setTodo(std::string name);
    void setDateCall(std::string date);
    // 1 to 12: the sign's icon and localised name; anything else: a clear icon and no name.
    void setSigno(int sign);
    void setAge(std::string age);
    void setAlertColor(const UIColor& color);
    void setTimeAge(std::string countdown);

    void layoutSubviews() override;
    void setSelected_animated(bool selected, bool animated) override;

    std::shared_ptr<UILabel> todoTextLabel; // name
    std::shared_ptr<UILabel> todoPriorityLabel; // date
    std::shared_ptr<UILabel> todoAgeLabel;
    std::shared_ptr<UILabel> todoTimeLabel; // countdown
    std::shared_ptr<UILabel> todoTextItem; // sign name
    std::shared_ptr<UIImageView> todoPriorityImageView; // photo
    std::shared_ptr<UIImageView> todoItemImageView; // sign icon

private:
    static void initialize();
};
