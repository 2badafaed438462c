#include "AppTest.h"
#include "DumpQuery.h"
#include "addressbookui/ABPersonViewController.h"
#include "uikit/UIActionSheet.h"

namespace {

struct ShownSheet {
    std::string title;
    std::vector<std::string> buttons;
    double style = -1;
    double destructiveButtonIndex = -1;
};

class ContactActionsTest : public AppTest {
protected:
    ContactActionsTest()
    {
        ana = born("Ana", 5, 5);
        ana.phones = {
            {"home", "(11) 9876-5432"}, {"work", "+55 11 1234-5678"}, {"mobile", "555.123.4567"}};
        add_person(book, ana);
        bia = born("Bia", 1, 2, 1985);
        add_person(book, bia);
    }

    ~ContactActionsTest() override
    {
        if (navigation)
            navigation->view()->removeFromSuperview();
        uikit::runPendingWork();
    }

    // The main screen in its navigation controller, on the screen.
    void open()
    {
        navigation = std::make_shared<UINavigationController>(screen().shared_from_this());
        window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
        window->addSubview(navigation->view());
        window->makeKeyAndVisible();
        uikit::runPendingWork();
    }

    // Taps the row of the person in the list on display.
    void tapRowOf(const std::string& name)
    {
        const auto& sections = screen().tempMutableTypeArray();
        for (size_t s = 0; s < sections.size(); ++s)
            for (size_t r = 0; r < sections[s].size(); ++r)
                if (sections[s][r]->Name == name) {
                    screen().tableView_didSelectRowAtIndexPath(
                        screen().myTableView.get(),
                        NSIndexPath::indexPathForRow_inSection(int(r), int(s)));
                    uikit::runPendingWork();
                    return;
                }
        FAIL() << name << " is not on display";
    }

    ABPersonViewController* personScreen()
    {
        return dynamic_cast<ABPersonViewController*>(navigation->topViewController());
    }

    void pressSend()
    {
        ASSERT_TRUE(personScreen());
        personScreen()->navigationItem()->rightBarButtonItem()->sendAction();
        uikit::runPendingWork();
    }

    std::optional<ShownSheet> shownSheet()
    {
        const auto dump = uikit::dumpScreen();
        const auto sheets = shownWith(dump, "class", "UIActionSheet");
        if (sheets.empty())
            return std::nullopt;
        const uikit::DumpRecord& sheet = *sheets.front();
        ShownSheet shown{*sheet.text("title"),
                         {},
                         std::get<double>(*sheet.find("style")),
                         std::get<double>(*sheet.find("destructiveButtonIndex"))};
        for (const auto* button : shownWith(sheet, "class", "UIButton"))
            shown.buttons.push_back(button->text("text").value_or(""));
        return shown;
    }

    size_t openedURLs() const
    {
        const std::string journal = device.journal();
        size_t count = 0;
        for (size_t at = journal.find(" openURL "); at != std::string::npos;
             at = journal.find(" openURL ", at + 1))
            ++count;
        return count;
    }

    ab::Person ana;
    ab::Person bia;
    std::shared_ptr<UINavigationController> navigation;
    std::shared_ptr<UIWindow> window;
};

TEST_F(ContactActionsTest, ARowOpensThePersonScreenOfItsContact)
{
    chooseTab(engine::BirthdayList::kTabAllByDate);
    open();
    tapRowOf("Ana");
    EXPECT_EQ(screen().itemSectionSelected, 1);
    EXPECT_EQ(screen().itemRowSelected, 0);

    ABPersonViewController* person = personScreen();
    ASSERT_TRUE(person);
    EXPECT_EQ(person->displayedPerson().id, ana.id);
    EXPECT_TRUE(person->allowsEditing());
    EXPECT_EQ(person->addressBook(), sharedBook) << "the screen's own book, never the device's";
    EXPECT_EQ(person->personViewDelegate(), &screen());
    EXPECT_EQ(person->displayedProperties(),
              (std::vector<ABPropertyID>{kABPersonBirthdayProperty, kABPersonPhoneProperty,
                                         kABPersonEmailProperty}));
    const auto& back = person->navigationItem()->leftBarButtonItem();
    const auto& send = person->navigationItem()->rightBarButtonItem();
    ASSERT_TRUE(back && send);
    EXPECT_EQ(back->title(), "Back");
    EXPECT_EQ(back->style(), UIBarButtonItemStylePlain);
    ASSERT_TRUE(send->image());
    EXPECT_EQ(send->image()->name(), "email.png");
    EXPECT_EQ(send->style(), UIBarButtonItemStylePlain);
    EXPECT_TRUE(
        screen().personViewController_shouldPerformDefaultActionForPerson_property_identifier(
            person, ana, kABPersonBirthdayProperty, kABMultiValueInvalidIdentifier));
}

TEST_F(ContactActionsTest, ThreeLabelledNumbersGiveThreeButtonsInStoredOrderThenCancel)
{
    open();
    tapRowOf("Ana");
    pressSend();
    EXPECT_EQ(screen().arrayPhones,
              (std::vector<std::string>{"(11) 9876-5432", "+55 11 1234-5678", "555.123.4567"}));
    const auto sheet = shownSheet();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->title, "Select the Mobile Phone Number:");
    EXPECT_EQ(sheet->buttons, (std::vector<std::string>{"(11) 9876-5432", "+55 11 1234-5678",
                                                        "555.123.4567", "Cancel"}));
    EXPECT_EQ(sheet->style, UIActionSheetStyleBlackTranslucent);
    EXPECT_EQ(sheet->destructiveButtonIndex, 3);

    ASSERT_TRUE(uikit::tap("+55 11 1234-5678"));
    uikit::runPendingWork();
    EXPECT_FALSE(shownSheet());
    EXPECT_NE(device.journal().find(" openURL sms:+551112345678\n"), std::string::npos)
        << device.journal();
    EXPECT_EQ(openedURLs(), 1u);
}

TEST_F(ContactActionsTest, CancelAndEveryIndexPastTheNumbersOpenNothing)
{
    open();
    tapRowOf("Ana");
    pressSend();
    ASSERT_TRUE(uikit::tap("Cancel"));
    uikit::runPendingWork();
    EXPECT_FALSE(shownSheet());
    for (int index : {3, 4, 1000, -1})
        screen().actionSheet_clickedButtonAtIndex(nullptr, index);
    EXPECT_EQ(openedURLs(), 0u);
    // A number without a digit to dial opens nothing either.
    screen().arrayPhones.front() = "call me";
    screen().actionSheet_clickedButtonAtIndex(nullptr, 0);
    EXPECT_EQ(openedURLs(), 0u);
    screen().actionSheet_clickedButtonAtIndex(nullptr, 2);
    EXPECT_NE(device.journal().find(" openURL sms:5551234567\n"), std::string::npos);
}

TEST_F(ContactActionsTest, AContactWithoutNumbersGetsNoSheetAndTheLastNumbersAreForgotten)
{
    open();
    tapRowOf("Ana");
    pressSend();
    ASSERT_TRUE(uikit::tap("Cancel"));
    personScreen()->navigationItem()->leftBarButtonItem()->sendAction();
    uikit::runPendingWork();

    chooseTab(engine::BirthdayList::kTabAllByName);
    tapRowOf("Bia");
    pressSend();
    EXPECT_TRUE(screen().arrayPhones.empty());
    EXPECT_FALSE(shownSheet());
    screen().actionSheet_clickedButtonAtIndex(nullptr, 0);
    EXPECT_EQ(openedURLs(), 0u);
}

TEST_F(ContactActionsTest, ARowWhoseContactWasDeletedRebuildsTheListInsteadOfOpening)
{
    chooseTab(engine::BirthdayList::kTabAllByName);
    open();
    ASSERT_TRUE(book.remove(ana.id));
    tapRowOf("Ana");
    EXPECT_EQ(navigation->topViewController(), &screen());
    EXPECT_EQ(sectionNames(), (std::vector<std::vector<std::string>>{{"Bia"}}));
    EXPECT_EQ(screen().myTableView->numberOfSections(), 1);
}

TEST_F(ContactActionsTest, TheSendButtonOfAContactDeletedMeanwhileDoesNothing)
{
    open();
    tapRowOf("Ana");
    ASSERT_TRUE(book.remove(ana.id));
    pressSend();
    EXPECT_TRUE(screen().arrayPhones.empty());
    EXPECT_FALSE(shownSheet());

    personScreen()->navigationItem()->leftBarButtonItem()->sendAction();
    uikit::runPendingWork();
    EXPECT_EQ(navigation->topViewController(), &screen());
    EXPECT_TRUE(sectionNames().empty());
}

struct BackCase {
    int tag;
    std::vector<std::vector<std::string>> rows;
};

void PrintTo(const BackCase& backCase, std::ostream* out) { *out << "tag " << backCase.tag; }

class BackButtonTest : public ContactActionsTest, public ::testing::WithParamInterface<BackCase> {};

TEST_P(BackButtonTest, ReadsTheBookAgainAndRebuildsTheListOfTheTabLastChosen)
{
    chooseTab(GetParam().tag);
    if (screen().modalViewController())
        screen().dismissModalViewControllerAnimated(false);
    open();
    tapRowOf("Ana");
    ASSERT_TRUE(personScreen());
    add_person(book, born("Caio", 20, 12, 1990));

    personScreen()->navigationItem()->leftBarButtonItem()->sendAction();
    uikit::runPendingWork();
    EXPECT_EQ(navigation->topViewController(), &screen());
    EXPECT_EQ(sectionNames(), GetParam().rows);
    EXPECT_EQ(screen().myTableView->numberOfSections(), int(GetParam().rows.size()));
}

INSTANTIATE_TEST_SUITE_P(EachTab, BackButtonTest,
                         ::testing::Values(BackCase{0, {{"Ana"}, {"Caio"}}},
                                           BackCase{1, {{"Bia"}, {"Ana"}, {"Caio"}}},
                                           BackCase{2, {{"Ana"}, {"Bia"}, {"Caio"}}},
                                           BackCase{3, {{"Ana"}, {"Caio"}}}),
                         [](const ::testing::TestParamInfo<BackCase>& test) {
                             return "Tag" + std::to_string(test.param.tag);
                         });

} // namespace
