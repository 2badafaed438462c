#include "DisplayCell.h"
#include "uikit/UILabel.h"
#include "uikit/UIPageControl.h"
#include "uikit/UISwitch.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A cell whose content view is 300 x 44: the row's last point is its separator.
std::shared_ptr<DisplayCell> cellWith300By44Content()
{
    auto cell = std::make_shared<DisplayCell>(CGRectMake(0, 0, 300, 45), kDisplayCell_ID);
    cell->layoutIfNeeded();
    EXPECT_EQ(cell->contentView()->bounds().size, CGSizeMake(300, 44));
    return cell;
}

TEST(DisplayCell, PlacesTheControlAtTheRightEndCentredWithHalvesRoundedAway)
{
    auto cell = cellWith300By44Content();
    auto control = std::make_shared<UISwitch>(CGRectMake(0, 0, 94, 27));
    cell->setView(control);
    EXPECT_EQ(control->frame(), CGRectMake(198, 9, 94, 27)); // 8.5 down goes to 9
    EXPECT_EQ(cell->nameLabel()->frame(), CGRectMake(8, 12, 300, 25));

    auto time = std::make_shared<UILabel>(CGRectMake(175, 9, 80, 25));
    cell->setView(time);
    EXPECT_EQ(time->frame(), CGRectMake(212, 10, 80, 25)); // 9.5 down goes to 10

    auto pages = std::make_shared<UIPageControl>(CGRectMake(3, 4, 50, 20));
    cell->setView(pages);
    EXPECT_EQ(pages->frame(), CGRectMake(132, 12, 160, 20)); // made 160 wide first
}

TEST(DisplayCell, ANewControlReplacesTheOldOneUnlessAnotherCellTookIt)
{
    auto first = cellWith300By44Content();
    auto second = cellWith300By44Content();
    auto moved = std::make_shared<UISwitch>();
    auto replaced = std::make_shared<UISwitch>();
    first->setView(replaced);
    first->setView(moved);
    EXPECT_EQ(replaced->superview(), nullptr);
    EXPECT_EQ(first->contentView()->subviews().size(), 2u); // the name and one control

    second->setView(moved);
    first->setView(replaced);
    EXPECT_EQ(moved->superview(), second->contentView());
    EXPECT_EQ(replaced->superview(), first->contentView());
}

TEST(DisplayCell, TheNameIsHighlightedWithTheCell)
{
    auto cell = cellWith300By44Content();
    cell->setSelected_animated(true, false);
    EXPECT_TRUE(cell->nameLabel()->isHighlighted());
    cell->setSelected_animated(false, false);
    EXPECT_FALSE(cell->nameLabel()->isHighlighted());
}

} // namespace
