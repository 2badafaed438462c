#include "uikit/UIPickerView.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

// Two wheels of 10 and 3 rows; remembers the turns it was told of.
class TwoWheels : public UIPickerViewDataSource, public UIPickerViewDelegate {
public:
    int numberOfComponentsInPickerView(UIPickerView*) override { return 2; }
    int pickerView_numberOfRowsInComponent(UIPickerView*, int component) override
    {
        return component == 0 ? 10 : 3;
    }
    void pickerView_didSelectRow_inComponent(UIPickerView*, int row, int component) override
    {
        told.emplace_back(row, component);
    }
    std::vector<std::pair<int, int>> told;
};

class UIPickerViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        picker->setDataSource(&wheels);
        picker->setDelegate(&wheels);
    }

    // A finger put on the middle of a row and lifted `dy` points lower.
    void touch(int row, int component, CGFloat dy = 0)
    {
        const CGRect r = picker->rectForRow_inComponent(row, component);
        const CGPoint at{CGRectGetMidX(r), CGRectGetMidY(r)};
        picker->touchesBegan(at);
        picker->touchesEnded({at.x, at.y + dy});
    }

    TwoWheels wheels;
    std::shared_ptr<UIPickerView> picker =
        std::make_shared<UIPickerView>(CGRectMake(0, 0, 320, 216));
};

TEST(UIPickerViewSize, FitsTheStandardSizeWhateverItIsAsked)
{
    auto picker = std::make_shared<UIPickerView>(CGRectZero);
    EXPECT_EQ(picker->sizeThatFits(CGSizeMake(0, 0)), CGSizeMake(320, 216));
    EXPECT_EQ(picker->sizeThatFits(CGSizeMake(100, 1000)), CGSizeMake(320, 216));
}

TEST_F(UIPickerViewTest, ATapTurnsItsWheelToTheRowTappedWithinTheRows)
{
    picker->selectRow_inComponent_animated(4, 0, false); // code tells nobody
    touch(6, 0);
    touch(5, 0);
    EXPECT_EQ(picker->selectedRowInComponent(0), 5);
    EXPECT_EQ(picker->selectedRowInComponent(1), 0);
    picker->selectRow_inComponent_animated(99, 1, false);
    touch(2, 1);
    touch(3, 1);
    EXPECT_EQ(picker->selectedRowInComponent(1), 2);
    EXPECT_EQ(wheels.told, (std::vector<std::pair<int, int>>{{6, 0}, {5, 0}}));
}

TEST_F(UIPickerViewTest, ADragTurnsTheWheelByWholeRows)
{
    touch(0, 0, -2 * UIPickerView::rowHeight - 10);
    EXPECT_EQ(picker->selectedRowInComponent(0), 2);
    touch(2, 0, UIPickerView::rowHeight);
    EXPECT_EQ(picker->selectedRowInComponent(0), 1);
    EXPECT_EQ(wheels.told, (std::vector<std::pair<int, int>>{{2, 0}, {1, 0}}));
}

} // namespace
