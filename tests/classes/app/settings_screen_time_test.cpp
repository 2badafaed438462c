#include "platform/DateServices.h"
#include "platform/ScopedTimeZone.h"
#include "settings_screen_fixture.h"

namespace {

// Turns a wheel of the time picker by whole rows, as a finger drags it: up shows later rows.
void turn(UIDatePicker& picker, int component, int rows)
{
    UIPickerView& wheels = picker.wheels();
    const CGRect row =
        wheels.rectForRow_inComponent(wheels.selectedRowInComponent(component), component);
    const CGPoint start{CGRectGetMidX(row), CGRectGetMidY(row)};
    wheels.touchesBegan(start);
    wheels.touchesEnded({start.x, start.y - CGFloat(rows) * UIPickerView::rowHeight});
}

TEST_F(SettingsScreenTest, TimeShowsAndHidesThePickerAndEveryOtherRowHidesIt)
{
    store({1, 0, 0, 1, 1, 11, 0, 0});
    InfoViewController& s = open();
    EXPECT_TRUE(s.datePickerView->isHidden());
    tap("Time");
    EXPECT_FALSE(s.datePickerView->isHidden());
    tap("Time");
    EXPECT_TRUE(s.datePickerView->isHidden());
    tap("Time");
    tap("Use Badge");
    EXPECT_TRUE(s.datePickerView->isHidden());
    EXPECT_TRUE(s.myPickerView->isHidden());
    EXPECT_FALSE(s.myTableView()->indexPathForSelectedRow().has_value());
}

TEST_F(SettingsScreenTest, ThePickerOpensAtTheStoredTimeAndSaveStoresTheTimeTurnedTo)
{
    platform::ScopedTimeZone zone("America/Sao_Paulo");
    store({1, 0, 0, 1, 1, 11, 0, 0});
    InfoViewController& s = open();
    EXPECT_EQ(s.labelTimer->text(), "11:00:00");
    tap("Time");
    EXPECT_EQ(s.datePickerView->date(), platform::Calendar().dateFromParts(2009, 1, 1, 11, 0));

    turn(*s.datePickerView, UIDatePicker::hoursComponent, -4);
    turn(*s.datePickerView, UIDatePicker::minutesComponent, 5);
    EXPECT_EQ(s.labelTimer->text(), "07:05:00");
    tap("Save");
    EXPECT_EQ(stored(), (SettingsRow{1, 0, 0, 1, 1, 7, 5, 0}));
}

} // namespace
