#include <uikit/UIPickerView.h>
#include <uikit/ViewDump.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// Two wheels: 10 rows and 3 rows, titled by their numbers; remembers what it was told.
class TwoWheels : public UIPickerViewDataSource, public UIPickerViewDelegate {
public:
    int numberOfComponentsInPickerView(UIPickerView*) override { return 2; }
    int pickerView_numberOfRowsInComponent(UIPickerView*, int component) override
    {
        return component == 0 ? 10 : 3;
    }
    std::string pickerView_titleForRow_forComponent(UIPickerView*, int row, int) override
    {
        return std::to_string(row);
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
        picker = std::make_shared<UIPickerView>(CGRectMake(0, 0, 320, 216));
        picker->setDataSource(&wheels);
        picker->setDelegate(&wheels);
    }

    CGPoint middleOfRow(int row, int component) const
    {
        const CGRect r = picker->rectForRow_inComponent(row, component);
        return {CGRectGetMidX(r), CGRectGetMidY(r)};
    }

    TwoWheels wheels;
    std::shared_ptr<UIPickerView> picker;
};

TEST(UIPickerViewSize, FitsTheStandardSizeWhateverItIsAsked)
{
    auto picker = std::make_shared<UIPickerView>(CGRectZero);
    EXPECT_EQ(picker->sizeThatFits(CGSizeMake(0, 0)), CGSizeMake(320, 216));
    EXPECT_EQ(picker->sizeThatFits(CGSizeMake(100, 1000)), CGSizeMake(320, 216));
    picker->sizeToFit();
    EXPECT_EQ(picker->frame(), CGRectMake(0, 0, 320, 216));
}

TEST(UIPickerViewSize, WithoutADataSourceItHasNoWheels)
{
    auto picker = std::make_shared<UIPickerView>(CGRectMake(0, 0, 320, 216));
    EXPECT_EQ(picker->numberOfComponents(), 0);
    EXPECT_EQ(picker->selectedRowInComponent(0), -1);
    picker->selectRow_inComponent_animated(3, 0, false);
    picker->touchesBegan({160, 150});
    picker->touchesEnded({160, 150});
    EXPECT_EQ(picker->selectedRowInComponent(0), -1);
}

TEST_F(UIPickerViewTest, SelectionFromCodeIsClampedAndTellsNobody)
{
    EXPECT_EQ(picker->selectedRowInComponent(0), 0);
    picker->selectRow_inComponent_animated(7, 0, false);
    picker->selectRow_inComponent_animated(99, 1, false);
    EXPECT_EQ(picker->selectedRowInComponent(0), 7);
    EXPECT_EQ(picker->selectedRowInComponent(1), 2);
    picker->selectRow_inComponent_animated(-4, 0, false);
    EXPECT_EQ(picker->selectedRowInComponent(0), 0);
    EXPECT_TRUE(wheels.told.empty());
}

TEST_F(UIPickerViewTest, TappingARowTurnsOnlyItsWheelToIt)
{
    picker->selectRow_inComponent_animated(4, 0, false);
    const CGPoint below = middleOfRow(6, 0);
    picker->touchesBegan(below);
    picker->touchesEnded(below);
    EXPECT_EQ(picker->selectedRowInComponent(0), 6);
    EXPECT_EQ(picker->selectedRowInComponent(1), 0);

    const CGPoint above = middleOfRow(5, 0);
    picker->touchesBegan(above);
    picker->touchesEnded(above);
    EXPECT_EQ(picker->selectedRowInComponent(0), 5);
    EXPECT_EQ(wheels.told, (std::vector<std::pair<int, int>>{{6, 0}, {5, 0}}));
}

TEST_F(UIPickerViewTest, TappingTheSelectedRowOrPastTheEndChangesNothing)
{
    picker->selectRow_inComponent_animated(2, 1, false);
    for (CGPoint at : {middleOfRow(2, 1), middleOfRow(3, 1)}) {
        picker->touchesBegan(at);
        picker->touchesEnded(at);
    }
    EXPECT_EQ(picker->selectedRowInComponent(1), 2);
    EXPECT_TRUE(wheels.told.empty());
}

TEST_F(UIPickerViewTest, DraggingTurnsTheWheelByWholeRows)
{
    const CGPoint start = middleOfRow(0, 0);
    picker->touchesBegan(start);
    picker->touchesMoved({start.x, start.y - 50});
    picker->touchesMoved({start.x, start.y - 2 * UIPickerView::rowHeight - 10});
    picker->touchesEnded({start.x, start.y - 2 * UIPickerView::rowHeight - 10});
    EXPECT_EQ(picker->selectedRowInComponent(0), 2);

    picker->touchesBegan(start);
    picker->touchesEnded({start.x, start.y + UIPickerView::rowHeight});
    EXPECT_EQ(picker->selectedRowInComponent(0), 1);
    EXPECT_EQ(wheels.told, (std::vector<std::pair<int, int>>{{2, 0}, {1, 0}}));
}

TEST_F(UIPickerViewTest, TheDumpListsTheSelectedRowsAndTheIndicator)
{
    picker->selectRow_inComponent_animated(3, 0, false);
    picker->setShowsSelectionIndicator(true);
    uikit::DumpRecord record;
    picker->describe(record);
    EXPECT_EQ(record.text("class"), "UIPickerView");
    EXPECT_EQ(std::get<uikit::DumpRecord::Numbers>(*record.find("selectedRows")),
              (uikit::DumpRecord::Numbers{3, 0}));
    EXPECT_TRUE(std::get<bool>(*record.find("showsSelectionIndicator")));
}

} // namespace
