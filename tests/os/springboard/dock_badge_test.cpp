#include "DockBadge.h"

#include <gtest/gtest.h>

namespace {

TEST(DockBadge, OnlyAWholeNumberIsACountOnTheDock)
{
    const std::vector<std::pair<std::string, std::optional<long long>>> cases{
        {"", std::nullopt},  {"1", 1}, {"12", 12}, {"New", std::nullopt}, {"3 new", std::nullopt},
        {" 3", std::nullopt}};
    for (const auto& [badge, count] : cases)
        EXPECT_EQ(springboard::dock_count(badge), count) << '"' << badge << '"';
}

} // namespace
