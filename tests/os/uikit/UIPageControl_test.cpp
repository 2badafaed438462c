#include <uikit/UIPageControl.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

void tap(UIView& view, CGPoint at)
{
    view.touchesBegan(at);
    view.touchesEnded(at);
}

TEST(UIPageControl, KeepsTheCurrentPageWithinThePages)
{
    auto pages = std::make_shared<UIPageControl>(CGRectMake(0, 0, 100, 36));
    pages->setNumberOfPages(3);
    pages->setCurrentPage(7);
    EXPECT_EQ(pages->currentPage(), 2);
    pages->setNumberOfPages(2);
    EXPECT_EQ(pages->currentPage(), 1);
    pages->setNumberOfPages(-1);
    EXPECT_EQ(pages->numberOfPages(), 0);
    EXPECT_EQ(pages->currentPage(), 0);
}

TEST(UIPageControl, ATapEitherSideTurnsOnePageAndSaysSoOnlyWhenItTurned)
{
    auto pages = std::make_shared<UIPageControl>(CGRectMake(0, 0, 100, 36));
    pages->setNumberOfPages(2);
    int changes = 0;
    pages->addTarget_action_forControlEvents([&](UIControl*) { ++changes; },
                                             UIControlEventValueChanged);
    tap(*pages, {80, 18});
    EXPECT_EQ(pages->currentPage(), 1);
    tap(*pages, {80, 18});
    EXPECT_EQ(pages->currentPage(), 1);
    tap(*pages, {10, 18});
    EXPECT_EQ(pages->currentPage(), 0);
    EXPECT_EQ(changes, 2);
}

} // namespace
