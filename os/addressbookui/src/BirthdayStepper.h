#pragma once
// The birthday being edited: month, day and year, each between an up and a down button, and the
// rules by which a step and typed digits change the date. Each part takes the keyboard's focus:
// the arrows Up and Down step it, Page Up and Page Down step it by a season, a week or a decade,
// the wheel steps it a notch at a time, and digits typed into it set it, as in a date field; Left
// and Right go to the part beside it. A button held down steps again and again.
#include "addressbook/AddressBook.h"
#include "foundation/RepeatingTimer.h"
#include "uikit/UIButton.h"
#include "uikit/UIKeyInput.h"
#include "uikit/UILabel.h"
#include "uikit/UITableViewCell.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace addressbookui {

enum class Field { Month, Day, Year };

// One step of a field, the way the steppers turn: months and days go round, the year stops at
// its ends. A year stepped below 1901 becomes unknown; an unknown year steps to `thisYear`. The
// day shrinks to fit a shorter month.
ab::CivilDate stepped(ab::CivilDate date, Field field, int delta, int thisYear);

// A digit typed into a field. It goes after the digits typed into the field before while they
// still make a value the field can hold (a month, a day of the month, a year after 1900), else
// it starts the field anew; the date takes each whole value, the day shrunk to fit. The field is
// complete when no further digit could make a longer value: the user moves on to the next.
struct TypedDigit {
    ab::CivilDate date;
    // The digits typed into the field so far, shown in its place until they make a year.
    std::string typed;
    bool complete = false;
};
TypedDigit typedDigit(ab::CivilDate date, Field field, const std::string& typedBefore, int digit);

// What the editor does to the birthday: a step of a field (a button, an arrow, Page Up or Down,
// the wheel), or a date made by typing.
struct BirthdayEdits {
    std::function<void(Field, int)> step;
    std::function<void(const ab::CivilDate&)> set;
};

// One part of the date, as the editor shows it; it takes the keys and the wheel while focused.
class BirthdayPart : public UILabel, public UIKeyInput {
public:
    BirthdayPart();
    bool canBecomeFocused() const override { return true; }
    bool keyPressed(UIKey key) override;
    bool insertText(const std::string& text) override;
    bool scrollByWheel(CGPoint point, CGFloat dx, CGFloat dy) override;

    std::function<bool(UIKey)> onKey;
    std::function<bool(int digit)> onDigit;
    std::function<void(int notches)> onWheel;

private:
    // What the wheel moved that is not yet a whole notch.
    CGFloat wheelRest_ = 0;
};

// An up or down button that steps once when pressed and again and again while held.
class StepperButton : public UIButton {
public:
    explicit StepperButton(std::function<void()> step);
    // The parts take the keys: Tab does not stop at the buttons too.
    bool canBecomeFocused() const override { return false; }
    void touchesBegan(CGPoint point) override;
    void touchesEnded(CGPoint point) override;
    void touchesCancelled() override;

    // Between two steps of a held button, and how many of those it waits before the first.
    static constexpr std::chrono::milliseconds repeatInterval{100};
    static constexpr int repeatDelay = 4;

private:
    std::function<void()> step_;
    os::RepeatingTimer repeat_;
    int ticks_ = 0;
};

class BirthdayEditorCell : public UITableViewCell {
public:
    BirthdayEditorCell();
    void configure(const ab::CivilDate& date, BirthdayEdits edits);
    // The keyboard's focus goes to the part.
    void focus(Field field);
    void layoutSubviews() override;

private:
    struct Column {
        std::shared_ptr<StepperButton> up;
        std::shared_ptr<BirthdayPart> value;
        std::shared_ptr<StepperButton> down;
    };

    std::shared_ptr<StepperButton> stepper(const char* title, Field field, int delta);
    void step(Field field, int delta);
    bool keyPressedIn(Field field, UIKey key);
    bool typed(Field field, int digit);
    void showDate();

    std::array<Column, 3> columns_;
    ab::CivilDate date_;
    BirthdayEdits edits_;
    // The digits typed into a part since it was last stepped or typed into whole.
    Field typingField_ = Field::Month;
    std::string typed_;
};

} // namespace addressbookui
