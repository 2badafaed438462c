#include "uikit/UIDatePicker.h"

#include "foundation/DeviceText.h"
#include "uikit/UILabel.h"
#include "uikit/ViewDump.h"

#include <unicode/gregocal.h>
#include <unicode/timezone.h>

#include <memory>
#include <utility>

namespace {

// A Gregorian calendar in the default time zone as it is now (tests change it between cases).
std::unique_ptr<icu::Calendar> localCalendar(double date)
{
    UErrorCode status = U_ZERO_ERROR;
    auto calendar =
        std::make_unique<icu::GregorianCalendar>(icu::TimeZone::createDefault(), status);
    if (U_FAILURE(status))
        return nullptr;
    calendar->setTime(date, status);
    return U_SUCCESS(status) ? std::move(calendar) : nullptr;
}

int localField(double date, UCalendarDateFields field)
{
    auto calendar = localCalendar(date);
    if (!calendar)
        return 0;
    UErrorCode status = U_ZERO_ERROR;
    const int value = calendar->get(field, status);
    return U_SUCCESS(status) ? value : 0;
}

std::shared_ptr<UILabel> makeUnitLabel(std::string text)
{
    auto label = std::make_shared<UILabel>();
    label->setText(std::move(text));
    label->setFont(UIFont::boldSystemFontOfSize(16));
    label->setBackgroundColor(UIColor::clearColor());
    label->setOpaque(false);
    return label;
}

} // namespace

UIDatePicker::UIDatePicker(CGRect frame)
    : UIControl(frame), wheels_(std::make_shared<UIPickerView>()),
      hoursUnit_(makeUnitLabel(os::deviceText("hours"))),
      minutesUnit_(makeUnitLabel(os::deviceText("min")))
{
    wheels_->setDataSource(this);
    wheels_->setDelegate(this);
    wheels_->setShowsSelectionIndicator(true);
    wheels_->setAccessibilityLabel(os::deviceText("Time"));
    addSubview(wheels_);
    addSubview(hoursUnit_);
    addSubview(minutesUnit_);
    showDate();
}

UIDatePicker::~UIDatePicker()
{
    wheels_->setDataSource(nullptr);
    wheels_->setDelegate(nullptr);
}

void UIDatePicker::setDate_animated(double date, bool animated)
{
    (void)animated;
    date_ = date;
    showDate();
}

int UIDatePicker::hour() const { return localField(date_, UCAL_HOUR_OF_DAY); }
int UIDatePicker::minute() const { return localField(date_, UCAL_MINUTE); }

void UIDatePicker::showDate()
{
    wheels_->selectRow_inComponent_animated(hour(), hoursComponent, false);
    wheels_->selectRow_inComponent_animated(minute(), minutesComponent, false);
}

CGSize UIDatePicker::sizeThatFits(CGSize size) const { return wheels_->sizeThatFits(size); }

void UIDatePicker::layoutSubviews()
{
    UIControl::layoutSubviews();
    wheels_->setFrame(bounds());
    // The units sit on the selection band, in the right part of their wheels.
    const CGFloat bandTop = (bounds().size.height - UIPickerView::rowHeight) / 2;
    for (auto [component, unit] : {std::pair{int(hoursComponent), hoursUnit_.get()},
                                   std::pair{int(minutesComponent), minutesUnit_.get()}}) {
        const CGRect wheel = wheels_->rectForComponent(component);
        const CGFloat x = wheel.origin.x + wheel.size.width * 0.62f;
        unit->setFrame(
            CGRectMake(x, bandTop, CGRectGetMaxX(wheel) - x - 4, UIPickerView::rowHeight));
    }
}

bool UIDatePicker::scrollByWheel(CGPoint point, CGFloat dx, CGFloat dy)
{
    return wheels_->scrollByWheel(convertPoint_toView(point, wheels_.get()), dx, dy);
}

void UIDatePicker::describe(uikit::DumpRecord& record) const
{
    UIControl::describe(record);
    record.set("hour", hour());
    record.set("minute", minute());
}

int UIDatePicker::numberOfComponentsInPickerView(UIPickerView* pickerView)
{
    (void)pickerView;
    return 2;
}

int UIDatePicker::pickerView_numberOfRowsInComponent(UIPickerView* pickerView, int component)
{
    (void)pickerView;
    return component == hoursComponent ? 24 : 60;
}

std::string UIDatePicker::pickerView_titleForRow_forComponent(UIPickerView* pickerView, int row,
                                                              int component)
{
    (void)pickerView, (void)component;
    return std::to_string(row);
}

std::string UIDatePicker::pickerView_accessibilityLabelForComponent(UIPickerView* pickerView,
                                                                    int component)
{
    (void)pickerView;
    return component == hoursComponent ? os::deviceText("Hours") : os::deviceText("Minutes");
}

void UIDatePicker::pickerView_didSelectRow_inComponent(UIPickerView* pickerView, int row,
                                                       int component)
{
    (void)pickerView, (void)row, (void)component;
    auto calendar = localCalendar(date_);
    if (!calendar)
        return;
    calendar->set(UCAL_HOUR_OF_DAY, wheels_->selectedRowInComponent(hoursComponent));
    calendar->set(UCAL_MINUTE, wheels_->selectedRowInComponent(minutesComponent));
    calendar->set(UCAL_SECOND, 0);
    calendar->set(UCAL_MILLISECOND, 0);
    UErrorCode status = U_ZERO_ERROR;
    const double date = calendar->getTime(status);
    if (U_FAILURE(status))
        return;
    const bool changed = date != date_;
    date_ = date;
    // A time that the clock skips on that day lands after the gap: show where it landed.
    showDate();
    if (changed)
        sendActionsForControlEvents(UIControlEventValueChanged);
}
