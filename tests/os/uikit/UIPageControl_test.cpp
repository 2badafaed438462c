#include "uikit/UIPageControl.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(UIPageControl, ATapEitherSideTurnsOnePageWithinThePages)
{
    auto pages = std::make_shared<UIPageControl>(CGRectMake(0, 0, 100, 36));
    pages->setNumberOfPages(2);
    int changes = 0;
    pages->addTarget_action_forControlEvents([&](UIControl*) { ++changes; },
                                             UIControlEventValueChanged);
    for (CGFloat x : {80.f, 80.f, 10.f}) {
        pages->touchesBegan({x, 18});
        pages->touchesEnded({x, 18});
    }
    EXPECT_EQ(pages->currentPage(), 0);
    EXPECT_EQ(changes, 2);
    pages->setCurrentPage(7);
    EXPECT_EQ(pages->currentPage(), 1);
}

} // namespace
