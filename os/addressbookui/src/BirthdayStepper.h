#pragma once
// The birthday being edited: month, day and year, each between an up and a down button, and the
// rule by which one step changes the date.
#include <addressbook/AddressBook.h>
#include <uikit/UIButton.h>
#include <uikit/UILabel.h>
#include <uikit/UITableViewCell.h>

#include <array>
#include <functional>
#include <memory>

namespace addressbookui {

enum class Field { Month, Day, Year };

// One step of a field, the way the steppers turn: months and days go round, the year stops at
// its ends. A year stepped below 1901 becomes unknown; an unknown year steps to `thisYear`. The
// day shrinks to fit a shorter month.
ab::CivilDate stepped(ab::CivilDate date, Field field, int delta, int thisYear);

class BirthdayEditorCell : public UITableViewCell {
public:
    BirthdayEditorCell();
    // `onStep` gets the field and the direction (+1 up, -1 down) of each tap.
    void configure(const ab::CivilDate& date, std::function<void(Field, int)> onStep);
    void layoutSubviews() override;

private:
    struct Column {
        std::shared_ptr<UIButton> up;
        std::shared_ptr<UILabel> value;
        std::shared_ptr<UIButton> down;
    };

    std::shared_ptr<UIButton> stepper(const char* title, Field field, int delta);

    std::array<Column, 3> columns_;
    std::function<void(Field, int)> onStep_;
};

} // namespace addressbookui
