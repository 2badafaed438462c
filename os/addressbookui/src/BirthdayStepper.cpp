#include "BirthdayStepper.h"

#include "BirthdayText.h"
#include "PersonCells.h"
#include "uikit/KeyboardFocus.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace addressbookui {
namespace {

// What one notch of the mouse wheel moves, as the screen reports it.
constexpr CGFloat wheelNotch = 44;

// Page Up and Page Down: a season, a week, a decade.
int pageOf(Field field)
{
    switch (field) {
    case Field::Month: return 3;
    case Field::Day: return 7;
    case Field::Year: return 10;
    }
    return 1;
}

ab::CivilDate withValue(ab::CivilDate date, Field field, int value)
{
    (field == Field::Month ? date.month : field == Field::Day ? date.day : date.year) = value;
    date.day = std::min(date.day, ab::days_in_birthday_month(date.year, date.month));
    return date;
}

// The digits as a value of the field: nullopt when no digit after them could make one either.
std::optional<TypedDigit> typedValue(const ab::CivilDate& date, Field field,
                                     const std::string& typed)
{
    const size_t width = field == Field::Year ? 4 : 2;
    if (typed.size() > width)
        return std::nullopt;
    const int value = std::stoi(typed);
    if (field == Field::Year) {
        if (typed.size() < width)
            return TypedDigit{date, typed, false};
        if (value <= ab::kUnknownYear)
            return std::nullopt;
        return TypedDigit{withValue(date, field, value), "", true};
    }
    const int most = field == Field::Month ? 12 : ab::days_in_birthday_month(date.year, date.month);
    if (value == 0)
        return typed.size() == 1 ? std::optional(TypedDigit{date, typed, false}) : std::nullopt;
    if (value > most)
        return std::nullopt;
    const bool complete = typed.size() == width || value * 10 > most;
    return TypedDigit{withValue(date, field, value), complete ? "" : typed, complete};
}

} // namespace

ab::CivilDate stepped(ab::CivilDate date, Field field, int delta, int thisYear)
{
    switch (field) {
    case Field::Month: date.month = ((date.month - 1 + delta) % 12 + 12) % 12 + 1; break;
    case Field::Day: {
        const int days = ab::days_in_birthday_month(date.year, date.month);
        date.day = ((date.day - 1 + delta) % days + days) % days + 1;
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

TypedDigit typedDigit(ab::CivilDate date, Field field, const std::string& typedBefore, int digit)
{
    const std::string typed = std::to_string(digit);
    if (auto longer = typedValue(date, field, typedBefore + typed))
        return *longer;
    if (auto anew = typedValue(date, field, typed))
        return *anew;
    return {date, "", false};
}

BirthdayPart::BirthdayPart()
{
    // Hit by the pointer, for the wheel; a tap still goes to the row.
    setUserInteractionEnabled(true);
}

bool BirthdayPart::keyPressed(UIKey key) { return onKey && onKey(key); }

bool BirthdayPart::insertText(const std::string& text)
{
    if (text.size() != 1 || text[0] < '0' || text[0] > '9' || !onDigit)
        return false;
    return onDigit(text[0] - '0');
}

bool BirthdayPart::scrollByWheel(CGPoint, CGFloat, CGFloat dy)
{
    wheelRest_ += dy;
    const int notches = int(wheelRest_ / wheelNotch);
    wheelRest_ -= CGFloat(notches) * wheelNotch;
    // The wheel turned away from the user moves the content down: the value goes up.
    if (notches != 0 && onWheel)
        onWheel(-notches);
    return true;
}

StepperButton::StepperButton(std::function<void()> step)
    : UIButton(CGRectZero, UIButtonTypeRoundedRect), step_(std::move(step))
{
}

void StepperButton::touchesBegan(CGPoint point)
{
    UIButton::touchesBegan(point);
    step_();
    ticks_ = 0;
    repeat_.start(repeatInterval, [this] {
        if (++ticks_ > repeatDelay && isHighlighted())
            step_();
    });
}

void StepperButton::touchesEnded(CGPoint point)
{
    repeat_.stop();
    UIButton::touchesEnded(point);
}

void StepperButton::touchesCancelled()
{
    repeat_.stop();
    UIButton::touchesCancelled();
}

BirthdayEditorCell::BirthdayEditorCell() : UITableViewCell(CGRectZero, "ABBirthdayEditorCell")
{
    setSelectionStyle(UITableViewCellSelectionStyleNone);
    for (size_t i = 0; i < 3; ++i) {
        const Field field = Field(i);
        Column& column = columns_[i];
        column.up = stepper("\u25B2", field, +1);
        column.value = std::make_shared<BirthdayPart>();
        styleLabel(*column.value, UIFont::boldSystemFontOfSize(17), UIColor::blackColor(),
                   UITextAlignmentCenter);
        column.value->onKey = [this, field](UIKey key) { return keyPressedIn(field, key); };
        column.value->onDigit = [this, field](int digit) { return typed(field, digit); };
        column.value->onWheel = [this, field](int notches) { step(field, notches); };
        contentView()->addSubview(column.value);
        column.down = stepper("\u25BC", field, -1);
    }
}

void BirthdayEditorCell::configure(const ab::CivilDate& date, BirthdayEdits edits)
{
    date_ = date;
    edits_ = std::move(edits);
    showDate();
}

void BirthdayEditorCell::showDate()
{
    columns_[0].value->setText(monthText(date_.month));
    columns_[1].value->setText(std::to_string(date_.day));
    const bool typingYear = typingField_ == Field::Year && !typed_.empty();
    columns_[2].value->setText(typingYear ? typed_ : yearText(date_.year));
}

void BirthdayEditorCell::focus(Field field)
{
    uikit::setFocusedView(*columns_[size_t(field)].value);
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

std::shared_ptr<StepperButton> BirthdayEditorCell::stepper(const char* title, Field field,
                                                           int delta)
{
    auto button = std::make_shared<StepperButton>([this, field, delta] { step(field, delta); });
    button->setTitle_forState(title, UIControlStateNormal);
    button->setFont(UIFont::boldSystemFontOfSize(15));
    contentView()->addSubview(button);
    return button;
}

// A copy of the handler runs: the date it sets reloads the table, which configures this cell
// anew.
void BirthdayEditorCell::step(Field field, int delta)
{
    typed_.clear();
    if (auto step = edits_.step)
        step(field, delta);
}

bool BirthdayEditorCell::keyPressedIn(Field field, UIKey key)
{
    switch (key) {
    case UIKey::Up: step(field, 1); return true;
    case UIKey::Down: step(field, -1); return true;
    case UIKey::PageUp: step(field, pageOf(field)); return true;
    case UIKey::PageDown: step(field, -pageOf(field)); return true;
    case UIKey::Left:
        if (field == Field::Month)
            return false;
        focus(Field(int(field) - 1));
        return true;
    case UIKey::Right:
        if (field == Field::Year)
            return false;
        focus(Field(int(field) + 1));
        return true;
    default: return false;
    }
}

bool BirthdayEditorCell::typed(Field field, int digit)
{
    if (field != typingField_)
        typed_.clear();
    typingField_ = field;
    const TypedDigit result = typedDigit(date_, field, typed_, digit);
    typed_ = result.typed;
    if (result.date != date_) {
        if (auto set = edits_.set)
            set(result.date);
    } else {
        showDate();
    }
    if (result.complete && field != Field::Year)
        focus(Field(int(field) + 1));
    return true;
}

} // namespace addressbookui
