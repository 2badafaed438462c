#include "DisplayCell.h"

#include <uikit/UILabel.h>
#include <uikit/UIPageControl.h>
#include <uikit/UISwitch.h>

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

TEST(DisplayCell, TheNameLabelIsABoldBlackTextOnNoBackground)
{
    auto cell = std::make_shared<DisplayCell>(CGRectMake(0, 0, 60, 20), kDisplayCell_ID);
    UILabel& name = *cell->nameLabel();
    EXPECT_EQ(cell->reuseIdentifier(), "DisplayCell_ID");
    EXPECT_EQ(name.frame(), CGRectMake(0, 0, 60, 20));
    EXPECT_EQ(name.superview(), cell->contentView());
    EXPECT_EQ(name.font(), UIFont::boldSystemFontOfSize(18));
    EXPECT_EQ(name.textColor(), UIColor::blackColor());
    EXPECT_EQ(name.highlightedTextColor(), UIColor::blackColor());
    EXPECT_EQ(name.backgroundColor(), UIColor::clearColor());
    EXPECT_FALSE(name.isOpaque());
    EXPECT_EQ(cell->view(), nullptr);

    cell->setSelected_animated(true, false);
    EXPECT_TRUE(name.isHighlighted());
    cell->setSelected_animated(false, false);
    EXPECT_FALSE(name.isHighlighted());
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
}

TEST(DisplayCell, APageControlIsMade160WideFirst)
{
    auto cell = cellWith300By44Content();
    auto pages = std::make_shared<UIPageControl>(CGRectMake(3, 4, 50, 20));
    cell->setView(pages);
    EXPECT_EQ(pages->frame(), CGRectMake(132, 12, 160, 20));
}

TEST(DisplayCell, ASecondControlReplacesTheFirst)
{
    auto cell = cellWith300By44Content();
    auto first = std::make_shared<UISwitch>();
    auto second = std::make_shared<UISwitch>();
    cell->setView(first);
    cell->setView(second);
    EXPECT_EQ(first->superview(), nullptr);
    EXPECT_EQ(second->superview(), cell->contentView());
    EXPECT_EQ(cell->view(), second);
    EXPECT_EQ(cell->contentView()->subviews().size(), 2u); // the name and the second control
}

TEST(DisplayCell, AControlAnotherCellTookStaysThere)
{
    auto first = cellWith300By44Content();
    auto second = cellWith300By44Content();
    auto shared = std::make_shared<UISwitch>();
    first->setView(shared);
    second->setView(shared);
    first->setView(std::make_shared<UISwitch>());
    EXPECT_EQ(shared->superview(), second->contentView());
}

} // namespace
