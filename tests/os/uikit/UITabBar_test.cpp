#include "uikit/Automation.h"
#include "uikit/UIImage.h"
#include "uikit/UIScreen.h"
#include "uikit/UITabBar.h"
#include "uikit/UIWindow.h"
#include "uikit/ViewDump.h"

#include <gtest/gtest.h>

#include <QImage>
#include <memory>
#include <vector>

namespace {

class Chooser : public UITabBarDelegate {
public:
    void tabBar_didSelectItem(UITabBar* bar, UITabBarItem* item) override
    {
        tags.push_back(item->tag());
        selectedWhenTold = bar->selectedItem();
    }
    std::vector<int> tags;
    UITabBarItem* selectedWhenTold = nullptr;
};

struct TabBar : testing::Test {
    void SetUp() override
    {
        bar = std::make_shared<UITabBar>();
        bar->sizeToFit();
        for (int tag = 0; tag < 4; ++tag)
            items.push_back(
                std::make_shared<UITabBarItem>("Item " + std::to_string(tag), nullptr, tag));
        bar->setItems(items);
        bar->setSelectedItem(items[0].get());
        bar->setDelegate(&chooser);
    }

    const uikit::DumpRecord& button(const uikit::DumpRecord& dump, size_t index)
    {
        return dump.list("children")->at(index);
    }

    std::shared_ptr<UITabBar> bar;
    std::vector<std::shared_ptr<UITabBarItem>> items;
    Chooser chooser;
};

TEST_F(TabBar, SizeToFitGivesTheStandardHeight)
{
    EXPECT_EQ(bar->frame().size, CGSizeMake(320, 49));
    bar->setFrame(CGRectMake(0, 367, 300, 10));
    bar->sizeToFit();
    EXPECT_EQ(bar->frame(), CGRectMake(0, 367, 300, 49));
}

TEST_F(TabBar, ATapSelectsTheItemAndTellsTheDelegateEvenWhenAlreadySelected)
{
    auto window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    bar->setFrame(CGRectMake(0, 431, 320, 49));
    window->addSubview(bar);
    window->makeKeyAndVisible();

    ASSERT_TRUE(uikit::tap("Item 2"));
    EXPECT_EQ(bar->selectedItem(), items[2].get());
    EXPECT_EQ(chooser.selectedWhenTold, items[2].get());
    uikit::tapAt({20, 460});
    uikit::tapAt({20, 460});
    EXPECT_EQ(chooser.tags, (std::vector<int>{2, 0, 0}));
}

TEST_F(TabBar, ABadgeShowsInTheDumpAndAsARedLozenge)
{
    items[0]->setBadgeValue("3");
    bar->layoutIfNeeded();
    const auto dump = uikit::dumpView(*bar);
    EXPECT_EQ(button(dump, 0).text("badge"), "3");
    EXPECT_EQ(button(dump, 0).text("text"), "Item 0");
    EXPECT_FALSE(button(dump, 1).find("badge"));
    EXPECT_EQ(std::get<bool>(*button(dump, 0).find("selected")), true);
    EXPECT_EQ(std::get<bool>(*button(dump, 1).find("selected")), false);

    auto window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    bar->setFrame(CGRectMake(0, 431, 320, 49));
    window->addSubview(bar);
    window->makeKeyAndVisible();
    const auto png = UIImagePNGRepresentation(uikit::screenshot());
    const QImage shot = QImage::fromData(png.data(), int(png.size()), "PNG");
    // The lozenge's centre: the first button's icon area is centred in the first quarter.
    int red = 0;
    for (int x = 40; x < 90; ++x)
        for (int y = 431; y < 445; ++y) {
            const QColor c = shot.pixelColor(x, y);
            red += c.red() > 180 && c.green() < 80 && c.blue() < 80;
        }
    EXPECT_GT(red, 20);

    items[0]->setBadgeValue(std::nullopt);
    EXPECT_FALSE(button(uikit::dumpView(*bar), 0).find("badge"));
}

TEST_F(TabBar, NewItemsKeepTheSelectionOnlyWhenTheSelectedItemStays)
{
    bar->setItems({items[0], items[1]});
    EXPECT_EQ(bar->selectedItem(), items[0].get());
    bar->setItems({items[2], items[3]});
    EXPECT_EQ(bar->selectedItem(), nullptr);
    bar->setSelectedItem(items[0].get());
    EXPECT_EQ(bar->selectedItem(), nullptr) << "an item not on the bar cannot be selected";
}

} // namespace
