#include "DumpQuery.h"
#include "uikit/Automation.h"
#include "uikit/UIScreen.h"
#include "uikit/UISearchBar.h"
#include "uikit/UITextField.h"
#include "uikit/UIWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace {

// What the bar told, in order.
class Listener : public UISearchBarDelegate {
public:
    void searchBar_textDidChange(UISearchBar*, const std::string& searchText) override
    {
        heard.push_back("text " + searchText);
    }
    void searchBarTextDidBeginEditing(UISearchBar*) override { heard.push_back("begin"); }
    void searchBarTextDidEndEditing(UISearchBar*) override { heard.push_back("end"); }
    void searchBarCancelButtonClicked(UISearchBar*) override { heard.push_back("cancel"); }
    std::vector<std::string> heard;
};

bool cancelShows() { return !shownWith(uikit::dumpScreen(), "text", "Cancel").empty(); }

TEST(UISearchBar, TellsEachChangeAsTypedAndCancelEmptiesItAndGivesUpTheKeyboard)
{
    auto window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    auto bar = std::make_shared<UISearchBar>(CGRectMake(0, 20, 320, 0));
    EXPECT_EQ(bar->frame().size.height, 44) << "the standard height";
    bar->setPlaceholder("Search");
    Listener listener;
    bar->setDelegate(&listener);
    window->addSubview(bar);
    window->makeKeyAndVisible();
    EXPECT_FALSE(cancelShows());

    ASSERT_TRUE(uikit::tap("Search")) << "the field is found by its placeholder";
    EXPECT_TRUE(bar->isEditing());
    EXPECT_TRUE(cancelShows());
    ASSERT_TRUE(uikit::typeText("Ad"));
    ASSERT_TRUE(uikit::typeText("a"));
    bar->setText("Ada L");
    EXPECT_EQ(bar->text(), "Ada L");

    // The magnifier comes first: the field's text starts after it, inside the field.
    const auto dump = uikit::dumpScreen();
    const auto fields = shownWith(dump, "class", "UITextField");
    const auto magnifiers = shownWith(dump, "class", "UISearchBarMagnifier");
    ASSERT_EQ(fields.size(), 1u);
    ASSERT_EQ(magnifiers.size(), 1u);
    const CGRect field = frameOf(*fields[0]), magnifier = frameOf(*magnifiers[0]);
    EXPECT_GT(CGRectGetMinX(magnifier), CGRectGetMinX(field));
    EXPECT_LT(CGRectGetMaxX(magnifier), CGRectGetMinX(field) + 30);
    EXPECT_LT(CGRectGetMaxX(field),
              CGRectGetMinX(frameOf(*shownWith(dump, "text", "Cancel").at(0))))
        << "the field makes room for Cancel";
    ASSERT_EQ(shownWith(dump, "class", "UISearchBar").size(), 1u);
    EXPECT_TRUE(std::get<bool>(*shownWith(dump, "class", "UISearchBar")[0]->find("editing")));

    ASSERT_TRUE(uikit::tap("Cancel"));
    EXPECT_EQ(bar->text(), "");
    EXPECT_FALSE(bar->isEditing());
    EXPECT_FALSE(cancelShows());
    EXPECT_EQ(listener.heard,
              (std::vector<std::string>{"begin", "text Ad", "text Ada", "text ", "end", "cancel"}));
}

} // namespace
