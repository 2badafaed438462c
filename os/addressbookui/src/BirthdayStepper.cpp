#include "BirthdayStepper.h"

#include "BirthdayText.h"
#include "PersonCells.h"

#include <algorithm>

namespace addressbookui {

ab::CivilDate stepped(ab::CivilDate date, Field field, int delta, int thisYear)
{
    switch (field) {
    case Field::Month: date.month = (date.month - 1 + delta + 12) % 12 + 1; break;
    case Field::Day: {
        const int days = ab::days_in_birthday_month(date.year, date.month);
        date.day = (date.day - 1 + delta + days) % days + 1;
        break;
    }
    case Field::Year:
        if (date.year == ab::kUnknownYear)
            date.year = thisYear;
        else
            date.year = std::clamp(date.year + delta, ab::kUnknownYear, 9999);
        break;
    }
    date.day = std::min(date.day, ab::days_in_birthday_month(date.year, date.month));
    return date;
}

BirthdayEditorCell::BirthdayEditorCell() : UITableViewCell(CGRectZero, "ABBirthdayEditorCell")
{
    setSelectionStyle(UITableViewCellSelectionStyleNone);
    for (size_t i = 0; i < 3; ++i) {
        const Field field = Field(i);
        columns_[i].up = stepper("\u25B2", field, +1);
        columns_[i].value = makeLabel(UIFont::boldSystemFontOfSize(17), UIColor::blackColor(),
                                      UITextAlignmentCenter);
        contentView()->addSubview(columns_[i].value);
        columns_[i].down = stepper("\u25BC", field, -1);
    }
}

void BirthdayEditorCell::configure(const ab::CivilDate& date,
                                   std::function<void(Field, int)> onStep)
{
    onStep_ = std::move(onStep);
    columns_[0].value->setText(monthText(date.month));
    columns_[1].value->setText(std::to_string(date.day));
    columns_[2].value->setText(yearText(date.year));
}

void BirthdayEditorCell::layoutSubviews()
{
    UITableViewCell::layoutSubviews();
    const CGFloat width = contentView()->bounds().size.width;
    // Month, day and year columns in proportion to what they show.
    const CGFloat lefts[] = {8, width * 0.47f, width * 0.70f};
    const CGFloat rights[] = {width * 0.47f - 8, width * 0.70f - 8, width - 8};
    for (size_t i = 0; i < 3; ++i) {
        const CGFloat x = lefts[i], w = rights[i] - lefts[i];
        columns_[i].up->setFrame(CGRectMake(x, 6, w, 28));
        columns_[i].value->setFrame(CGRectMake(x, 36, w, 26));
        columns_[i].down->setFrame(CGRectMake(x, 64, w, 28));
    }
}

std::shared_ptr<UIButton> BirthdayEditorCell::stepper(const char* title, Field field, int delta)
{
    auto button = UIButton::buttonWithType(UIButtonTypeRoundedRect);
    button->setTitle_forState(title, UIControlStateNormal);
    button->setFont(UIFont::boldSystemFontOfSize(15));
    button->addTarget_action_forControlEvents(
        [this, field, delta](UIControl*) {
            if (auto step = onStep_)
                step(field, delta);
        },
        UIControlEventTouchUpInside);
    contentView()->addSubview(button);
    return button;
}

} // namespace addressbookui
