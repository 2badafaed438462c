#include "uikit/UIDatePicker.h"

#include <gtest/gtest.h>
#include <unicode/gregocal.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <memory>
#include <string_view>

namespace {

// Makes a zone the default of the date services for the life of a test.
class DefaultZone {
public:
    explicit DefaultZone(std::string_view id) : previous_(icu::TimeZone::createDefault())
    {
        icu::TimeZone::adoptDefault(
            icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(std::string(id))));
    }
    ~DefaultZone() { icu::TimeZone::adoptDefault(previous_); }

private:
    icu::TimeZone* previous_;
};

double localDate(int year, int month, int day, int hour, int minute, int second = 0)
{
    UErrorCode status = U_ZERO_ERROR;
    icu::GregorianCalendar calendar(icu::TimeZone::createDefault(), status);
    calendar.clear();
    calendar.set(year, month - 1, day, hour, minute, second);
    const double date = calendar.getTime(status);
    EXPECT_TRUE(U_SUCCESS(status));
    return date;
}

// Turns a wheel by whole rows the way a finger does: down shows earlier rows.
void drag(UIDatePicker& picker, int component, int rows)
{
    UIPickerView& wheels = picker.wheels();
    const CGRect row =
        wheels.rectForRow_inComponent(wheels.selectedRowInComponent(component), component);
    const CGPoint start{CGRectGetMidX(row), CGRectGetMidY(row)};
    const CGPoint end{start.x, start.y - CGFloat(rows) * UIPickerView::rowHeight};
    wheels.touchesBegan(start);
    wheels.touchesMoved(end);
    wheels.touchesEnded(end);
}

class UIDatePickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        picker->setFrame(CGRectMake(0, 200, 320, 216));
        picker->layoutIfNeeded();
        picker->addTarget_action_forControlEvents([this](UIControl*) { ++changes; },
                                                  UIControlEventValueChanged);
    }

    DefaultZone zone{"Europe/Lisbon"};
    std::shared_ptr<UIDatePicker> picker = std::make_shared<UIDatePicker>(CGRectZero);
    int changes = 0;
};

TEST_F(UIDatePickerTest, TheWheelsShowTheLocalTimeOfTheDateAndCodeSendsNothing)
{
    DefaultZone kolkata("Asia/Kolkata"); // five and a half hours ahead of UTC
    picker->setDate(0);
    EXPECT_EQ(picker->wheels().selectedRowInComponent(UIDatePicker::hoursComponent), 5);
    EXPECT_EQ(picker->wheels().selectedRowInComponent(UIDatePicker::minutesComponent), 30);
    EXPECT_EQ(changes, 0);
}

TEST_F(UIDatePickerTest, TurningTheWheelsMovesTheTimeOfTheSameDayOneChangeEach)
{
    picker->setDate(localDate(2009, 1, 1, 11, 0, 42));
    drag(*picker, UIDatePicker::hoursComponent, -4);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(picker->date(), localDate(2009, 1, 1, 7, 0));
    drag(*picker, UIDatePicker::minutesComponent, 5);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(picker->date(), localDate(2009, 1, 1, 7, 5));
}

TEST_F(UIDatePickerTest, AnHourTheClockSkipsLandsAfterTheGap)
{
    // Lisbon sets its clocks from 01:00 to 02:00 on 29 March 2009.
    picker->setDate(localDate(2009, 3, 29, 0, 30));
    drag(*picker, UIDatePicker::hoursComponent, 1);
    EXPECT_EQ(picker->hour(), 2);
    EXPECT_EQ(picker->wheels().selectedRowInComponent(UIDatePicker::hoursComponent), 2);
    EXPECT_EQ(picker->date(), localDate(2009, 3, 29, 2, 30));
    EXPECT_EQ(changes, 1);
}

} // namespace
