#include "AppTest.h"
#include "TodayDate.h"
#include "foundation/ManualRunLoop.h"

#include <functional>

namespace {

using Names = std::vector<std::vector<std::string>>;

// The first record of the dump, depth first, that `match` takes.
const uikit::DumpRecord* findRecord(const uikit::DumpRecord& record,
                                    const std::function<bool(const uikit::DumpRecord&)>& match)
{
    if (match(record))
        return &record;
    if (const auto* children = record.list("children"))
        for (const auto& child : *children)
            if (const auto* found = findRecord(child, match))
                return found;
    return nullptr;
}

class MainScreen : public AppTest {
protected:
    // The list table as it shows the list now.
    UITableView* table()
    {
        screen().myTableView->layoutIfNeeded();
        return screen().myTableView.get();
    }
};

TEST_F(MainScreen, LoadingImportsThenReadsTheListSettingsThenBuilds)
{
    testing::internal::CaptureStderr();
    screen();
    const std::string log = testing::internal::GetCapturedStderr();
    const size_t importing = log.find("] PopulateAddressBook...\n");
    const size_t imported = log.find("] PopulateAddressBook OK...\n");
    const size_t settings = log.find("] initializeDatabase...\n");
    ASSERT_NE(settings, std::string::npos);
    EXPECT_LT(importing, imported);
    EXPECT_LT(imported, settings);
    EXPECT_EQ(log.find("] initializeDatabase...\n", settings + 1), std::string::npos);
}

TEST_F(MainScreen, BuildsItsViewsWithTheirFrames)
{
    UIView* content = screen().view().get();
    EXPECT_EQ(content->frame(), CGRectMake(0, 20, 320, 460));
    EXPECT_EQ(content->backgroundColor(), UIColor::blackColor());
    EXPECT_TRUE(content->autoresizesSubviews());
    ASSERT_EQ(content->subviews().size(), 2u);
    EXPECT_EQ(content->subviews()[0], screen().myTableView);
    EXPECT_EQ(content->subviews()[1], screen().tabBar); // on top of the table
    EXPECT_EQ(screen().myTableView->frame(), CGRectMake(0, 0, 320, 370));
    EXPECT_EQ(screen().myTableView->style(), UITableViewStylePlain);
    EXPECT_EQ(screen().myTableView->dataSource(), &screen());
    EXPECT_EQ(screen().tabBar->frame(), CGRectMake(0, 367, 320, 49));
    EXPECT_EQ(screen().tabBar->delegate(), &screen());

    EXPECT_EQ(screen().title(), "Birthdays");
    const auto& info = screen().navigationItem()->rightBarButtonItem();
    ASSERT_TRUE(info);
    auto button = std::dynamic_pointer_cast<UIButton>(info->customView());
    ASSERT_TRUE(button);
    EXPECT_EQ(button->buttonType(), UIButtonTypeInfoLight);
    EXPECT_FALSE(screen().navigationItem()->leftBarButtonItem());
}

TEST_F(MainScreen, InsideTheNavigationControllerTheTabBarEndsAtTheBottomOfTheScreen)
{
    auto navigation = std::make_shared<UINavigationController>(
        std::make_shared<RootViewController>(sharedBook, clock));
    auto* root = static_cast<RootViewController*>(navigation->topViewController());
    navigation->view()->setFrame(UIScreen::mainScreen().applicationFrame());
    navigation->layoutContent();
    // Neither the table nor the tab bar resizes with the content view.
    EXPECT_EQ(root->tabBar->frame(), CGRectMake(0, 367, 320, 49));
    EXPECT_EQ(root->myTableView->frame(), CGRectMake(0, 0, 320, 370));
    EXPECT_EQ(CGRectGetMaxY(root->tabBar->screenFrame()), 480);
}

TEST_F(MainScreen, FourTabItemsWithTitlesImagesAndTags)
{
    const auto& items = screen().tabBar->items();
    ASSERT_EQ(items.size(), 4u);
    const char* titles[] = {"Next Birthdays", "All by Date", "All by Name", "Settings"};
    const char* images[] = {"maindn.png", "datedn.png", "namedn.png", "configdn.png"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(items[i]->title(), titles[i]);
        ASSERT_TRUE(items[i]->image()) << images[i];
        EXPECT_EQ(items[i]->image()->name(), images[i]);
        EXPECT_EQ(items[i]->tag(), i);
    }
    EXPECT_EQ(items[0], screen().tabItem1);
    EXPECT_EQ(screen().tabBar->selectedItem(), screen().tabItem1.get());
    EXPECT_EQ(screen().itemTabSelected(), 0);
}

TEST_F(MainScreen, TabTitlesAreTranslated)
{
    ::setenv("LANGUAGE", "pt", 1);
    screen();
    ::setenv("LANGUAGE", "", 1);
    EXPECT_EQ(screen().title(), "Anivers\u00e1rios");
    EXPECT_EQ(screen().tabItem1->title(), "Pr\u00f3ximos");
    EXPECT_EQ(screen().tabBar->items()[3]->title(), "Ajustes");
}

TEST_F(MainScreen, AboutBoxNamesTheProjectAndCloses)
{
    screen().about(nullptr);
    uikit::runPendingWork();
    const uikit::DumpRecord dump = uikit::dumpScreen();
    const auto* alert =
        findRecord(dump, [](const auto& r) { return r.text("class") == "UIAlertView"; });
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->text("text"), "About Tortamos 2.0");
    const std::string message = alert->text("message").value_or("");
    const std::string sentence =
        "The Tortamos helps you remember all the birthdays of your contacts.";
    EXPECT_EQ(message.rfind(sentence + "\n\n", 0), 0u);
    const std::string credits = message.substr(sentence.size() + 2);
    EXPECT_NE(credits.find("Tortamos 2.0"), std::string::npos);
    EXPECT_NE(credits.find("License"), std::string::npos);
    EXPECT_EQ(std::get<double>(*alert->find("tag")), 1);

    ASSERT_TRUE(uikit::tap("Close"));
    uikit::runPendingWork();
    EXPECT_FALSE(findRecord(uikit::dumpScreen(),
                            [](const auto& r) { return r.text("class") == "UIAlertView"; }));
}

TEST_F(MainScreen, TabsRebuildFromTheRecordsInMemoryOnly)
{
    add_person(book, born("Bruno", 3, 1));
    const ab::RecordID ana = add_person(book, born("ana", 15, 3));
    add_person(book, born("Carla", 20, 3));
    add_person(book, born("Davi", 10, 3));
    EXPECT_EQ(sectionNames(), (Names{{"Davi", "ana", "Carla"}}));

    book.remove(ana);
    add_person(book, born("Eva", 1, 4));
    chooseTab(1);
    EXPECT_EQ(screen().itemTabSelected(), 1);
    EXPECT_EQ(screen().dataArraySection(), (std::vector<std::string>{"January", "March"}));
    EXPECT_EQ(sectionNames(), (Names{{"Bruno"}, {"Davi", "ana", "Carla"}}));
    EXPECT_EQ(table()->numberOfSections(), 2);
    EXPECT_EQ(table()->titleForHeaderInSection(0), "January");
    EXPECT_EQ(table()->numberOfRowsInSection(1), 3);

    chooseTab(2);
    EXPECT_EQ(sectionNames(), (Names{{"Bruno"}, {"Carla"}, {"Davi"}, {"ana"}}));
    EXPECT_EQ(table()->titleForHeaderInSection(3), "A");

    chooseTab(0);
    EXPECT_EQ(sectionNames(), (Names{{"Davi", "ana", "Carla"}}));

    // Only a new import sees the changed address book.
    screen().PopulateAddressBook();
    screen().PopulateSection_byDate(true);
    EXPECT_EQ(sectionNames(), (Names{{"Davi", "Carla"}, {"Eva"}}));
}

TEST_F(MainScreen, EmptyListsShowOneHeaderWithAMessage)
{
    EXPECT_EQ(table()->numberOfSections(), 1);
    EXPECT_EQ(table()->numberOfRowsInSection(0), 0);
    EXPECT_EQ(table()->titleForHeaderInSection(0), "No futures birthdays this year");
    chooseTab(1);
    EXPECT_EQ(table()->titleForHeaderInSection(0), "No birthdays in your database");
    chooseTab(2);
    EXPECT_EQ(table()->numberOfSections(), 1);
    EXPECT_EQ(table()->titleForHeaderInSection(0), "No birthdays in your database");
}

TEST_F(MainScreen, FirstTabItemCarriesTodaysCount)
{
    add_person(book, born("Davi", 10, 3));
    add_person(book, born("Ivo", 10, 3, 1900));
    add_person(book, born("Eva", 11, 3));
    EXPECT_EQ(screen().tabItem1->badgeValue(), "2");
    chooseTab(2);
    EXPECT_EQ(screen().tabItem1->badgeValue(), "2");
    chooseTab(1);
    EXPECT_EQ(screen().tabItem1->badgeValue(), "2");
}

TEST_F(MainScreen, NoBadgeWithoutBirthdaysToday)
{
    add_person(book, born("Eva", 11, 3));
    EXPECT_EQ(screen().tabItem1->badgeValue(), std::nullopt);
}

// A window left open across midnight: the list on display is rebuilt on the new day within a
// second, as a launch that day would show it, on the same tab.
TEST_F(MainScreen, ANewDayRebuildsTheListOnDisplayWithItsBadge)
{
    os::ManualRunLoop loop(clock);
    os::install_main_run_loop(&loop);
    clock.set(platform::Calendar().dateFromParts(2009, 3, 10, 23, 59) + 58'000);
    add_person(book, born("Eva", 11, 3));
    chooseTab(2);
    screen().viewWillAppear(false);
    EXPECT_EQ(screen().tabItem1->badgeValue(), std::nullopt);

    loop.advance(std::chrono::seconds(3));
    EXPECT_EQ(dayNow, 11);
    EXPECT_EQ(screen().tabItem1->badgeValue(), "1");
    EXPECT_EQ(screen().itemTabSelected(), 2);
    EXPECT_EQ(sectionNames(), (Names{{"Eva"}}));
    screen().viewWillDisappear(false);
    os::install_main_run_loop(nullptr);
}

} // namespace
