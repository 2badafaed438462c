#include "AppTest.h"
#include "TodoCell.h"

#include <algorithm>

namespace {

class Cell : public AppTest {
protected:
    std::shared_ptr<TodoCell> newCell()
    {
        auto cell = std::make_shared<TodoCell>(CGRectZero, RootViewController::kCellIdentifier);
        cell->setFrame(CGRectMake(0, 0, 320, 68));
        return cell;
    }

    static size_t depth(const TodoCell& cell, const UIView* view)
    {
        const auto& views = cell.contentView()->subviews();
        return std::find_if(views.begin(), views.end(),
                            [&](const auto& v) { return v.get() == view; }) -
               views.begin();
    }

    std::vector<UILabel*> labels(const TodoCell& c)
    {
        return {c.todoTextLabel.get(), c.todoPriorityLabel.get(), c.todoTextItem.get(),
                c.todoAgeLabel.get(), c.todoTimeLabel.get()};
    }
};

TEST_F(Cell, LaysOutBesideAFiftyPointPhoto)
{
    auto cell = newCell();
    ASSERT_EQ(cell->todoPriorityImageView->frame().size, CGSizeMake(50, 62));
    cell->setDateCall("March 10 1980");
    cell->layoutIfNeeded();

    EXPECT_EQ(cell->contentView()->bounds().origin.x, 0);
    EXPECT_EQ(cell->todoTextLabel->frame(), CGRectMake(72, 5, 240, 19));
    EXPECT_EQ(cell->todoPriorityImageView->frame(), CGRectMake(6, 3, 50, 62));
    const CGSize measured = sizeWithFont("March 10 1980", UIFont::systemFontOfSize(12));
    EXPECT_EQ(cell->todoPriorityLabel->frame(),
              CGRectMake(64, 25, measured.width, measured.height));
    EXPECT_EQ(cell->todoItemImageView->frame().origin, CGPointMake(72, 41));
    EXPECT_EQ(cell->todoTextItem->frame(),
              CGRectMake(95, 41, 100, cell->todoItemImageView->frame().size.height));
    EXPECT_EQ(cell->todoAgeLabel->frame(), CGRectMake(72, 19, 220, 17));
    EXPECT_EQ(cell->todoTimeLabel->frame(), CGRectMake(72, 35, 220, 17));
}

TEST_F(Cell, DateLabelIsCutAt240AndFollowsAShorterText)
{
    auto cell = newCell();
    const std::string longDate(80, 'W');
    cell->setDateCall(longDate);
    cell->layoutIfNeeded();
    EXPECT_EQ(cell->todoPriorityLabel->frame().size.width, 240);
    EXPECT_EQ(cell->todoPriorityLabel->lineBreakMode(), UILineBreakModeTailTruncation);
    EXPECT_GT(sizeWithFont(longDate, cell->todoPriorityLabel->font()).width, 240);

    cell->setDateCall("May 1");
    cell->layoutIfNeeded(); // the new text asks for a layout by itself
    const CGFloat shorter = cell->todoPriorityLabel->frame().size.width;
    EXPECT_LT(shorter, 240);
    EXPECT_EQ(shorter, sizeWithFont("May 1", cell->todoPriorityLabel->font()).width);
}

TEST_F(Cell, PhotoAndSignIconLieAboveEveryLabel)
{
    auto cell = newCell();
    const auto& views = cell->contentView()->subviews();
    ASSERT_EQ(views.size(), 8u);
    EXPECT_EQ(std::dynamic_pointer_cast<UIImageView>(views[0])->image()->name(), "cellbg.png");
    EXPECT_EQ(views[0]->frame(), CGRectMake(0, 0, 320, 68));
    const std::vector<const UIView*> backToFront = {views[0].get(),
                                                    cell->todoTextLabel.get(),
                                                    cell->todoTextItem.get(),
                                                    cell->todoPriorityLabel.get(),
                                                    cell->todoAgeLabel.get(),
                                                    cell->todoTimeLabel.get(),
                                                    cell->todoPriorityImageView.get(),
                                                    cell->todoItemImageView.get()};
    for (size_t i = 0; i < backToFront.size(); ++i)
        EXPECT_EQ(views[i].get(), backToFront[i]) << i;
}

TEST_F(Cell, SelectionHighlightsTheTextsOverClearBackgrounds)
{
    auto cell = newCell();
    cell->setSelected_animated(true, false);
    for (UILabel* label : labels(*cell)) {
        EXPECT_TRUE(label->isHighlighted());
        EXPECT_FALSE(label->isOpaque());
        EXPECT_EQ(label->backgroundColor(), UIColor::clearColor());
        EXPECT_EQ(label->currentTextColor(), UIColor::whiteColor());
    }
    cell->setSelected_animated(false, false);
    for (UILabel* label : labels(*cell)) {
        EXPECT_FALSE(label->isHighlighted());
        EXPECT_TRUE(label->isOpaque());
        EXPECT_EQ(label->backgroundColor(), UIColor::clearColor());
        EXPECT_NE(label->currentTextColor(), UIColor::whiteColor());
    }
}

TEST_F(Cell, SignPictureIsDrawnAtTwentyByTwentyOne)
{
    auto cell = newCell();
    cell->setSigno(5);
    EXPECT_EQ(cell->todoTextItem->text(), "Leo");
    EXPECT_EQ(cell->todoItemImageView->image()->name(), "leao.png");
    EXPECT_EQ(cell->todoItemImageView->image()->size(), CGSizeMake(20, 21));
    EXPECT_EQ(TodoCell::itemImage, cell->todoItemImageView->image());

    for (int none : {0, 13, -1}) {
        cell->setSigno(none);
        EXPECT_EQ(cell->todoTextItem->text(), "");
        EXPECT_EQ(cell->todoItemImageView->image()->name(), "clear.png");
        EXPECT_EQ(cell->todoItemImageView->image()->size(), CGSizeMake(20, 21));
    }
    // Cells made from now on start with the last drawn sign image.
    EXPECT_EQ(newCell()->todoItemImageView->image(), TodoCell::itemImage);
    EXPECT_EQ(newCell()->todoItemImageView->frame().size, CGSizeMake(20, 21));
}

} // namespace
