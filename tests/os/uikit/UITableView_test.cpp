#include "DumpQuery.h"
#include "uikit/Automation.h"
#include "uikit/UIScreen.h"
#include "uikit/UITableView.h"
#include "uikit/UIWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

namespace {

// Sections of given lengths; counts the cells it makes and remembers the taps.
class Rows : public UITableViewDataSource, public UITableViewDelegate {
public:
    explicit Rows(std::vector<int> lengths, CGFloat height = 68)
        : lengths_(std::move(lengths)), height_(height)
    {
    }

    int numberOfSectionsInTableView(UITableView*) override { return int(lengths_.size()); }
    int tableView_numberOfRowsInSection(UITableView*, int section) override
    {
        return lengths_[size_t(section)];
    }
    std::string tableView_titleForHeaderInSection(UITableView*, int section) override
    {
        return "Section " + std::to_string(section);
    }
    std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(
        UITableView* table, const NSIndexPath& indexPath) override
    {
        auto cell = table->dequeueReusableCellWithIdentifier("MyIdentifier");
        if (!cell) {
            cell = std::make_shared<UITableViewCell>(CGRectZero, "MyIdentifier");
            ++made;
        }
        cell->setText(std::to_string(indexPath.section()) + "/" + std::to_string(indexPath.row()));
        return cell;
    }
    CGFloat tableView_heightForRowAtIndexPath(UITableView*, const NSIndexPath&) override
    {
        ++heightQuestions;
        return height_;
    }
    std::optional<UITableViewCellAccessoryType> tableView_accessoryTypeForRowWithIndexPath(
        UITableView*, const NSIndexPath&) override
    {
        return UITableViewCellAccessoryDisclosureIndicator;
    }
    void tableView_didSelectRowAtIndexPath(UITableView*, const NSIndexPath& indexPath) override
    {
        selected.push_back(indexPath);
    }

    int made = 0;
    int heightQuestions = 0;
    std::vector<NSIndexPath> selected;

private:
    std::vector<int> lengths_;
    CGFloat height_;
};

std::shared_ptr<UITableView> makeTable(Rows& rows, UITableViewStyle style = UITableViewStylePlain)
{
    auto table = std::make_shared<UITableView>(CGRectMake(0, 0, 320, 370), style);
    table->setDataSource(&rows);
    table->setDelegate(&rows);
    table->reloadData();
    table->layoutIfNeeded();
    return table;
}

TEST(UITableView, AHundredThousandRowsCostOnlyAScreenfulOfCells)
{
    Rows rows({100000});
    auto table = makeTable(rows);
    EXPECT_EQ(rows.heightQuestions, 100000) << "heights are asked once per reload";
    const int screenful = int(370 / 68) + 2;
    EXPECT_LE(rows.made, screenful);
    EXPECT_EQ(table->visibleCells().size(), size_t(rows.made));
    EXPECT_EQ(table->contentSize().height, 22 + 100000 * 68.f);

    // Scrolling row by row through a thousand rows makes no new cells.
    const int madeBefore = rows.made;
    for (int step = 1; step <= 1000; ++step) {
        table->setContentOffset({0, CGFloat(step) * 68.f});
        table->layoutIfNeeded();
    }
    EXPECT_LE(rows.made, madeBefore + 1);
    EXPECT_EQ(rows.heightQuestions, 100000);
    EXPECT_LE(table->visibleCells().size(), size_t(screenful));

    // A jump to the far end reuses the same cells too.
    table->scrollToRowAtIndexPath_atScrollPosition_animated(
        NSIndexPath::indexPathForRow_inSection(99999, 0), UITableViewScrollPositionTop, false);
    table->layoutIfNeeded();
    EXPECT_LE(rows.made, madeBefore + 1);
    ASSERT_NE(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(99999, 0)),
              nullptr);
    EXPECT_EQ(
        table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(99999, 0))->text(),
        "0/99999");
}

TEST(UITableView, VisibleRowsAreTheOnesInTheViewInOrder)
{
    Rows rows({3, 10});
    auto table = makeTable(rows);
    // Header 22, three rows (204), header 22: the second section's rows start at 248.
    EXPECT_EQ(table->rectForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(0, 1)),
              CGRectMake(0, 248, 320, 68));
    const auto visible = table->indexPathsForVisibleRows();
    ASSERT_FALSE(visible.empty());
    EXPECT_EQ(visible.front(), NSIndexPath::indexPathForRow_inSection(0, 0));
    EXPECT_EQ(visible.back(), NSIndexPath::indexPathForRow_inSection(1, 1));
    EXPECT_EQ(table->indexPathForRowAtPoint({5, 250}),
              NSIndexPath::indexPathForRow_inSection(0, 1));
    EXPECT_EQ(table->indexPathForRowAtPoint({5, 230}), std::nullopt) << "a header is no row";
    for (auto* cell : table->visibleCells())
        EXPECT_EQ(cell->accessoryType(), UITableViewCellAccessoryDisclosureIndicator);
}

TEST(UITableView, ReloadAsksAgainAndTheDumpListsTheSections)
{
    Rows rows({2, 1});
    auto table = makeTable(rows);
    auto record = uikit::dumpView(*table);
    EXPECT_NE(record.toJson().find(R"("sections": [{"title": "Section 0", "rows": 2}, )"
                                   R"({"title": "Section 1", "rows": 1}])"),
              std::string::npos);

    Rows empty({0});
    table->setDataSource(&empty);
    table->setDelegate(&empty);
    table->reloadData();
    table->layoutIfNeeded();
    EXPECT_EQ(table->numberOfSections(), 1);
    EXPECT_EQ(table->numberOfRowsInSection(0), 0);
    EXPECT_TRUE(table->visibleCells().empty());
    EXPECT_EQ(table->titleForHeaderInSection(0), "Section 0")
        << "an empty list still has its header";
}

TEST(UITableView, ATapSelectsTheRowAndTellsTheDelegate)
{
    Rows rows({20});
    auto table = makeTable(rows);
    auto window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    window->addSubview(table);
    window->makeKeyAndVisible();

    uikit::tapAt({100, 22 + 68 + 30});
    ASSERT_EQ(rows.selected.size(), 1u);
    EXPECT_EQ(rows.selected[0], NSIndexPath::indexPathForRow_inSection(1, 0));
    EXPECT_EQ(table->indexPathForSelectedRow(), NSIndexPath::indexPathForRow_inSection(1, 0));
    EXPECT_TRUE(table->cellForRowAtIndexPath(rows.selected[0])->isSelected());

    table->deselectRowAtIndexPath_animated(rows.selected[0], true);
    EXPECT_FALSE(table->cellForRowAtIndexPath(rows.selected[0])->isSelected());
    EXPECT_EQ(table->indexPathForSelectedRow(), std::nullopt);

    // A drag scrolls and selects nothing.
    // Touches come in the table's own coordinates, which move as it scrolls.
    auto at = [&](CGFloat y) { return table->convertPoint_fromView({100, y}, nullptr); };
    table->touchesBegan(at(300));
    table->touchesMoved(at(250));
    table->touchesMoved(at(200));
    table->touchesEnded(at(200));
    EXPECT_EQ(table->contentOffset().y, 100);
    EXPECT_EQ(rows.selected.size(), 1u);
}

// Rows with an index of one title per section.
class IndexedRows : public Rows {
public:
    using Rows::Rows;
    std::vector<std::string> sectionIndexTitlesForTableView(UITableView*) override
    {
        return titles;
    }
    std::vector<std::string> titles;
};

TEST(UITableView, TheIndexStaysAtTheRightEdgeAndATouchOrADragScrollsToTheSection)
{
    IndexedRows rows({10, 10, 10, 10});
    rows.titles = {"A", "B", "C", "D"};
    auto table = makeTable(rows);
    auto window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    window->addSubview(table);
    window->makeKeyAndVisible();
    const CGFloat section = 22 + 10 * 68;

    const auto dump = uikit::dumpView(*table);
    const auto indexes = shownWith(dump, "class", "UITableViewIndex");
    ASSERT_EQ(indexes.size(), 1u);
    const CGRect index = frameOf(*indexes[0]);
    EXPECT_EQ(CGRectGetMaxX(index), 320);
    EXPECT_EQ(index.size.height, 370);
    ASSERT_EQ(indexes[0]->list("titles")->size(), 4u);
    EXPECT_EQ(indexes[0]->list("titles")->at(3).text("title"), "D");

    // The titles are spread evenly around the middle of the column: "C" is the third of four.
    const CGFloat step = 16, first = (370 - 4 * step) / 2;
    uikit::tapAt({CGRectGetMidX(index), first + 2.5f * step});
    EXPECT_EQ(table->contentOffset().y, 2 * section);
    EXPECT_TRUE(rows.selected.empty()) << "a touch on the index selects no row";

    // The index moved along with the content, and dragging along it picks each title passed.
    UIView* column = table->subviews().back().get();
    ASSERT_EQ(column->className(), "UITableViewIndex");
    EXPECT_EQ(column->screenFrame().origin.y, 0);
    column->touchesBegan({10, first + 0.5f * step});
    EXPECT_EQ(table->contentOffset().y, 0);
    column->touchesMoved({10, first + 1.5f * step});
    EXPECT_EQ(table->contentOffset().y, section);
    column->touchesMoved({10, 400}); // past the end: the last title
    EXPECT_EQ(table->contentOffset().y, 3 * section);
    column->touchesEnded({10, 400});

    rows.titles.clear();
    table->reloadData();
    table->layoutIfNeeded();
    EXPECT_TRUE(shownWith(uikit::dumpView(*table), "class", "UITableViewIndex").empty());
}

TEST(UITableView, SelectionFollowsTheRowNotTheCell)
{
    Rows rows({100});
    auto table = makeTable(rows);
    table->selectRowAtIndexPath_animated_scrollPosition(
        NSIndexPath::indexPathForRow_inSection(0, 0), false, UITableViewScrollPositionNone);
    table->setContentOffset({0, 68 * 50});
    table->layoutIfNeeded();
    for (auto* cell : table->visibleCells())
        EXPECT_FALSE(cell->isSelected()) << "a reused cell shows its new row's state";
    table->setContentOffset({0, 0});
    table->layoutIfNeeded();
    EXPECT_TRUE(
        table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(0, 0))->isSelected());
}

TEST(UITableView, GroupedRowsAreInsetAndKnowTheirPlaceInTheGroup)
{
    Rows rows({1, 3}, 44);
    auto table = makeTable(rows, UITableViewStyleGrouped);
    using P = UITableViewCell::GroupPosition;
    auto position = [&](int section, int row) {
        return table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(row, section))
            ->groupPosition();
    };
    EXPECT_EQ(position(0, 0), P::Single);
    EXPECT_EQ(position(1, 0), P::Top);
    EXPECT_EQ(position(1, 1), P::Middle);
    EXPECT_EQ(position(1, 2), P::Bottom);
    const CGRect first = table->rectForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(0, 0));
    EXPECT_EQ(first.origin.x, 10);
    EXPECT_EQ(first.size.width, 300);
}

TEST(UITableView, ScrollingStaysWithinTheContent)
{
    Rows rows({3});
    auto table = makeTable(rows);
    table->setContentOffset({0, 500});
    EXPECT_EQ(table->contentOffset().y, 0) << "the content is shorter than the view";
    Rows many({30});
    table->setDataSource(&many);
    table->setDelegate(&many);
    table->reloadData();
    table->scrollByWheel({}, 0, 1e6f);
    EXPECT_EQ(table->contentOffset().y, 22 + 30 * 68 - 370);
    table->scrollByWheel({}, 0, -1e6f);
    EXPECT_EQ(table->contentOffset().y, 0);
}

} // namespace
