#include "settings_screen_fixture.h"

#include "platform/DateServices.h"
#include "platform/ScopedTimeZone.h"

namespace {

// Turns a wheel of the time picker by whole rows, as a finger drags it: up shows later rows.
void turn(UIDatePicker& picker, int component, int rows)
{
    UIPickerView& wheels = picker.wheels();
    const CGRect row =
        wheels.rectForRow_inComponent(wheels.selectedRowInComponent(component), component);
    const CGPoint start{CGRectGetMidX(row), CGRectGetMidY(row)};
    const CGPoint end{start.x, start.y - CGFloat(rows) * UIPickerView::rowHeight};
    wheels.touchesBegan(start);
    wheels.touchesMoved(end);
    wheels.touchesEnded(end);
    uikit::runPendingWork();
}

TEST_F(SettingsScreenTest, TheTimeRowShowsTheStoredTime)
{
    store({1, 0, 0, 1, 1, 9, 5, 0});
    InfoViewController& s = open();
    EXPECT_EQ(s.labelTimer->text(), "09:05:00");
    EXPECT_EQ(s.labelTimer->frame().size, CGSizeMake(80, 25));
    EXPECT_EQ(s.labelTimer->textColor(), UIColor::grayColor());
    EXPECT_EQ(s.labelTimer->textAlignment(), UITextAlignmentRight);
    EXPECT_EQ(s.labelTimer->font(), UIFont::systemFontOfSize(18));
}

TEST_F(SettingsScreenTest, TimeTwiceShowsAndHidesThePicker)
{
    store({1, 0, 0, 1, 1, 11, 0, 0});
    InfoViewController& s = open();
    EXPECT_TRUE(s.datePickerView->isHidden());
    tapRow("Time");
    EXPECT_FALSE(s.datePickerView->isHidden());
    tapRow("Time");
    EXPECT_TRUE(s.datePickerView->isHidden());
    EXPECT_TRUE(s.myPickerView->isHidden());
}

TEST_F(SettingsScreenTest, AnyOtherRowHidesThePicker)
{
    store({1, 0, 0, 1, 1, 11, 0, 0});
    InfoViewController& s = open();
    tapRow("Time");
    ASSERT_FALSE(s.datePickerView->isHidden());
    tapRow("Use Badge");
    EXPECT_TRUE(s.datePickerView->isHidden());
    tapRow("Use Badge");
    EXPECT_TRUE(s.datePickerView->isHidden());
    EXPECT_FALSE(s.myTableView()->indexPathForSelectedRow().has_value());
}

TEST_F(SettingsScreenTest, ThePickerOpensAtTheStoredTimeAndSaveStoresTheTimeTurnedTo)
{
    platform::ScopedTimeZone zone("America/Sao_Paulo");
    store({1, 0, 0, 1, 1, 11, 0, 0});
    InfoViewController& s = open();
    tapRow("Time");
    UIDatePicker& picker = *s.datePickerView;
    EXPECT_EQ(picker.date(), platform::Calendar().dateFromParts(2009, 1, 1, 11, 0));
    EXPECT_EQ(picker.hour(), 11);
    EXPECT_EQ(picker.minute(), 0);

    turn(picker, UIDatePicker::hoursComponent, -4);
    turn(picker, UIDatePicker::minutesComponent, 5);
    EXPECT_EQ(s.labelTimer->text(), "07:05:00");
    EXPECT_EQ(iTimerHour, 7);
    EXPECT_EQ(iTimerMinute, 5);
    save();
    EXPECT_EQ(stored(), (SettingsRow{1, 0, 0, 1, 1, 7, 5, 0}));
}

TEST_F(SettingsScreenTest, ThePickerOpensAgainAtTheTimeLastChosen)
{
    store({1, 0, 0, 1, 1, 11, 0, 0});
    InfoViewController& s = open();
    tapRow("Time");
    turn(*s.datePickerView, UIDatePicker::hoursComponent, 3);
    tapRow("Time");
    tapRow("Time");
    EXPECT_EQ(s.datePickerView->hour(), 14);
    EXPECT_EQ(s.labelTimer->text(), "14:00:00");
}

} // namespace
