#include "DumpQuery.h"
#include "PhotoBomb.h"
#include "ScopedEnv.h"
#include "SolidPng.h"
#include "TempDevice.h"
#include "addressbook/InMemoryAddressBook.h"
#include "addressbookui/ABPersonViewController.h"
#include "foundation/DeviceText.h"
#include "foundation/ManualRunLoop.h"
#include "uikit/Automation.h"
#include "uikit/DeviceDates.h"
#include "uikit/KeyboardFocus.h"
#include "uikit/UILabel.h"
#include "uikit/UINavigationController.h"
#include "uikit/UIScreen.h"
#include "uikit/UITableView.h"
#include "uikit/UIWindow.h"

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Local noon of the day, as a moment.
os::Moment localNoon(int year, int month, int day)
{
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = 12;
    parts.tm_isdst = -1;
    return static_cast<os::Moment>(std::mktime(&parts)) * 1000.0;
}

// A book whose writes can be made to fail, as a full disk or a lock held
// elsewhere would.
struct FailingBook : ab::InMemoryAddressBook {
    bool fail = false;
    using InMemoryAddressBook::save;
    bool save(ab::Person& person) override { return !fail && InMemoryAddressBook::save(person); }
    bool remove(ab::RecordID id) override { return !fail && InMemoryAddressBook::remove(id); }
    std::optional<ab::Person> edit(ab::RecordID id,
                                   const std::function<void(ab::Person&)>& apply) override
    {
        return fail ? std::nullopt : InMemoryAddressBook::edit(id, apply);
    }
};

struct Answers : ABPersonViewControllerDelegate {
    bool allow = true;
    std::vector<std::pair<ABPropertyID, ABMultiValueIdentifier>> asked;
    bool personViewController_shouldPerformDefaultActionForPerson_property_identifier(
        ABPersonViewController*, const ab::Person&, ABPropertyID property,
        ABMultiValueIdentifier identifier) override
    {
        asked.emplace_back(property, identifier);
        return allow;
    }
};

class PersonScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        ana.first_name = "Ana";
        ana.last_name = "Lima";
        ana.birthday = ab::CivilDate{1980, 3, 5};
        ana.phones = {{"mobile", "(11) 9876-5432"}, {"home", "+55 11 1234-5678"}};
        ana.emails = {{"work", "ana@example.com"}};
        ASSERT_TRUE(book->save(ana));
        show(ana);
    }

    void TearDown() override
    {
        navigation->view()->removeFromSuperview();
        window->setHidden(true);
        uikit::runPendingWork();
        EXPECT_FALSE(std::filesystem::exists(ab::AddressBook::device_store_path()))
            << "the screen writes to the book it was given only";
    }

    // Pushed, the screen has a list below it to go back to.
    void show(const ab::Person& person, bool allowsEditing = true, bool pushed = false)
    {
        if (navigation)
            TearDown();
        screen = std::make_shared<ABPersonViewController>();
        screen->setDisplayedPerson(person);
        screen->setAddressBook(book);
        screen->setClock(clock);
        screen->setAllowsEditing(allowsEditing);
        screen->setPersonViewDelegate(&answers);
        screen->setAddressBookChangeHandler([this] { ++bookChanges; });
        navigation = std::make_shared<UINavigationController>(
            pushed ? std::make_shared<UIViewController>() : screen);
        if (pushed)
            navigation->pushViewController_animated(screen, false);
        window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
        window->addSubview(navigation->view());
        window->makeKeyAndVisible();
        uikit::runPendingWork();
    }

    // Every text on the screen, in the order of the view tree.
    std::vector<std::string> texts()
    {
        std::vector<std::string> all;
        walkShown(uikit::dumpScreen(), [&](const uikit::DumpRecord& record) {
            if (auto text = record.text("text"); text && !text->empty())
                all.push_back(*text);
        });
        return all;
    }

    bool shows(const std::string& text)
    {
        const auto all = texts();
        return std::find(all.begin(), all.end(), text) != all.end();
    }

    // The frames of the views whose key holds the value, top to bottom, then left
    // to right.
    std::vector<CGRect> framesOf(std::string_view key, std::string_view value)
    {
        std::vector<CGRect> frames;
        const auto dump = uikit::dumpScreen();
        for (const auto* record : shownWith(dump, key, value))
            frames.push_back(frameOf(*record));
        std::sort(frames.begin(), frames.end(), [](const CGRect& a, const CGRect& b) {
            return a.origin.y != b.origin.y ? a.origin.y < b.origin.y : a.origin.x < b.origin.x;
        });
        return frames;
    }

    void tapAt(const CGRect& frame)
    {
        uikit::tapAt({CGRectGetMidX(frame), CGRectGetMidY(frame)});
        uikit::runPendingWork();
    }

    // Month, day and year steppers.
    void step(size_t column, bool up)
    {
        const auto frames = framesOf("text", up ? "\u25B2" : "\u25BC");
        ASSERT_EQ(frames.size(), 3u);
        tapAt(frames[column]);
    }

    ab::Person stored() { return book->personWithRecordID(ana.id).value_or(ab::Person{}); }

    // The screen of a person not yet saved, in editing, over a list.
    void showNewPerson()
    {
        show(ab::Person{}, true, true);
        screen->setEditing(true);
        uikit::runPendingWork();
    }

    void tapDeleteContact()
    {
        const auto* table = dynamic_cast<UITableView*>(screen->view().get());
        ASSERT_TRUE(uikit::scrollTo(table->numberOfSections() - 1, 0));
        ASSERT_TRUE(uikit::tap("Delete Contact"));
    }

    bool onTop() { return navigation->topViewController() == screen.get(); }

    void type(std::string_view field, std::string_view text)
    {
        ASSERT_TRUE(uikit::tap(field)) << field;
        uikit::runPendingWork();
        ASSERT_TRUE(uikit::typeText(text));
        uikit::runPendingWork();
    }

    TempDevice device;
    std::shared_ptr<FailingBook> book = std::make_shared<FailingBook>();
    int bookChanges = 0;
    os::FixedClock clock{localNoon(2009, 3, 10)};
    ab::Person ana;
    Answers answers;
    std::shared_ptr<ABPersonViewController> screen;
    std::shared_ptr<UINavigationController> navigation;
    std::shared_ptr<UIWindow> window;
};

// The colour on the screen at the middle of the photo, left of the name.
QColor photoColour()
{
    const auto dump = uikit::dumpScreen();
    const auto name = shownWith(dump, "text", "Ana Lima");
    if (name.empty())
        return {};
    const CGRect frame = frameOf(*name.front());
    const auto png = UIImagePNGRepresentation(uikit::screenshot());
    const QImage screen = QImage::fromData(png.data(), int(png.size()), "PNG");
    return screen.pixelColor(int(frame.origin.x - 76 + 32), int(frame.origin.y + 32));
}

TEST_F(PersonScreen, APhotoIsShownAndOneWithTooManyPixelsIsLeftOutUndecoded)
{
    ana.image_data = compressedPng(3000, 3000, Qt::red);
    ASSERT_TRUE(book->save(ana));
    show(ana);
    EXPECT_EQ(photoColour(), QColor(Qt::red));

    ana.image_data = compressedPng(5792, 5792, Qt::red); // written by another program than ours
    ASSERT_TRUE(book->save(ana));
    show(ana);
    EXPECT_NE(photoColour(), QColor(Qt::red)) << "the place of a missing photo";
    EXPECT_TRUE(shows("Ana Lima"));
}

TEST_F(PersonScreen, ShowsTheNameAndEachValueWithItsLabelInStoredOrder)
{
    const auto all = texts();
    const std::vector<std::string> expected{
        "Ana Lima",       "Edit", "birthday",         "March 5, 1980", "mobile",
        "(11) 9876-5432", "home", "+55 11 1234-5678", "work",          "ana@example.com"};
    std::vector<std::string> shown;
    for (const auto& text : all)
        if (std::find(expected.begin(), expected.end(), text) != expected.end())
            shown.push_back(text);
    EXPECT_EQ(shown, expected);
}

TEST_F(PersonScreen, LabelledDatesShowUnderTheBirthdayAsItIsWrittenAndStayOnDone)
{
    ana.dates = {{"anniversary", {2010, 6, 3}}, {"other", {ab::kUnknownYear, 12, 1}}};
    ASSERT_TRUE(book->save(ana));
    show(ana);
    const auto all = texts();
    const auto birthday = std::find(all.begin(), all.end(), "March 5, 1980");
    ASSERT_NE(birthday, all.end());
    EXPECT_EQ(std::vector<std::string>(birthday + 1, birthday + 5),
              (std::vector<std::string>{"anniversary", "June 3, 2010", "other", "December 1"}));

    ASSERT_TRUE(uikit::tap("Edit"));
    const auto deletes = framesOf("class", "ABDeleteControl");
    ASSERT_GE(deletes.size(), 2u);
    EXPECT_GT(deletes[1].origin.y, framesOf("text", "December 1").at(0).origin.y)
        << "no control on a date";
    step(1, true);
    ASSERT_TRUE(uikit::tap("Done"));
    EXPECT_EQ(stored().dates, ana.dates);

    // Shown only where asked for: not on a screen of the birthday, numbers and addresses.
    screen->setDisplayedProperties(
        {kABPersonBirthdayProperty, kABPersonPhoneProperty, kABPersonEmailProperty});
    uikit::runPendingWork();
    const auto asked = texts();
    EXPECT_NE(std::find(asked.begin(), asked.end(), "birthday"), asked.end());
    EXPECT_EQ(std::find(asked.begin(), asked.end(), "anniversary"), asked.end());
}

TEST_F(PersonScreen, ATapOnAValueCarriesOutItsActionWhenTheDelegateAllows)
{
    ASSERT_TRUE(uikit::tap("+55 11 1234-5678"));
    ASSERT_TRUE(uikit::tap("ana@example.com"));
    ASSERT_TRUE(uikit::tap("March 5, 1980"));
    EXPECT_EQ(answers.asked, (std::vector<std::pair<ABPropertyID, ABMultiValueIdentifier>>{
                                 {kABPersonPhoneProperty, 1},
                                 {kABPersonEmailProperty, 0},
                                 {kABPersonBirthdayProperty, kABMultiValueInvalidIdentifier}}));
    std::string journal = device.journal();
    EXPECT_NE(journal.find(" openURL tel:+551112345678\n"), std::string::npos) << journal;
    EXPECT_NE(journal.find(" openURL mailto:ana@example.com\n"), std::string::npos) << journal;
    // A birthday has no action of its own.
    EXPECT_EQ(std::count(journal.begin(), journal.end(), '\n'), 2);

    answers.allow = false;
    ASSERT_TRUE(uikit::tap("(11) 9876-5432"));
    EXPECT_EQ(answers.asked.back(),
              std::make_pair(kABPersonPhoneProperty, ABMultiValueIdentifier(0)));
    EXPECT_EQ(device.journal(), journal);
}

TEST_F(PersonScreen, ANumberWithoutDigitsOrAnAddressOutsideURLSyntaxOpensNothing)
{
    ana.phones = {{"other", "call me"}};
    ana.emails = {{"home", "a b\"c@example.com"},
                  {"work", "ana@example.com?subject=x"},
                  {"other", "x{y}@example.com"}};
    show(ana);
    EXPECT_FALSE(screen->selectValue(kABPersonPhoneProperty, 0));
    EXPECT_FALSE(screen->selectValue(kABPersonPhoneProperty, 7));
    EXPECT_TRUE(screen->selectValue(kABPersonEmailProperty, 0));
    EXPECT_TRUE(screen->selectValue(kABPersonEmailProperty, 1));
    EXPECT_TRUE(screen->selectValue(kABPersonEmailProperty, 2));
    const std::string journal = device.journal();
    // Characters of the address stay part of the address, escaped, never URL
    // syntax.
    EXPECT_NE(journal.find(" openURL mailto:a%20b%22c@example.com\n"), std::string::npos)
        << journal;
    EXPECT_NE(journal.find(" openURL mailto:ana@example.com%3Fsubject=x\n"), std::string::npos)
        << journal;
    EXPECT_NE(journal.find(" openURL mailto:x%7By%7D@example.com\n"), std::string::npos) << journal;
}

TEST_F(PersonScreen, EditingTheBirthdaySavesItOnDone)
{
    ASSERT_TRUE(uikit::tap("Edit"));
    EXPECT_TRUE(screen->isEditing());
    step(0, true); // April
    step(1, false); // 4
    step(2, true); // 1981
    EXPECT_TRUE(shows("April 4, 1981"));
    EXPECT_EQ(stored().birthday, (ab::CivilDate{1980, 3, 5}));

    ASSERT_TRUE(uikit::tap("Done"));
    uikit::runPendingWork();
    EXPECT_FALSE(screen->isEditing());
    EXPECT_EQ(stored().birthday, (ab::CivilDate{1981, 4, 4}));
    EXPECT_EQ(stored().phones, ana.phones);
    EXPECT_EQ(screen->displayedPerson().birthday, (ab::CivilDate{1981, 4, 4}));
    EXPECT_TRUE(shows("April 4, 1981"));
    EXPECT_TRUE(shows("Edit"));
}

TEST_F(PersonScreen, SteppersKeepTheDateRealAndTheYearMayBeUnknown)
{
    ana.birthday = ab::CivilDate{1901, 1, 31};
    ASSERT_TRUE(book->save(ana));
    show(ana);
    ASSERT_TRUE(uikit::tap("Edit"));
    step(0, true); // February of 1901 has 28 days
    EXPECT_EQ(screen->shownPerson().birthday, (ab::CivilDate{1901, 2, 28}));
    step(1, true); // the day goes round
    EXPECT_EQ(screen->shownPerson().birthday, (ab::CivilDate{1901, 2, 1}));
    step(1, false);
    step(2,
         false); // below 1901: the year is unknown, and February may have its 29th
    step(1, true);
    EXPECT_EQ(screen->shownPerson().birthday, (ab::CivilDate{1900, 2, 29}));
    EXPECT_TRUE(shows("no year"));
    step(0, false);
    step(0, false);
    EXPECT_EQ(screen->shownPerson().birthday, (ab::CivilDate{1900, 12, 29}));

    ASSERT_TRUE(uikit::tap("Done"));
    EXPECT_EQ(stored().birthday, (ab::CivilDate{1900, 12, 29}));
}

TEST_F(PersonScreen, RemovingValuesAndAddingABirthdayTakeEffectOnDone)
{
    ASSERT_TRUE(uikit::tap("Edit"));
    auto deletes = framesOf("class", "ABDeleteControl");
    ASSERT_EQ(deletes.size(), 4u); // birthday, two numbers, one address
    tapAt(deletes[1]);
    EXPECT_FALSE(shows("(11) 9876-5432"));
    tapAt(framesOf("class", "ABDeleteControl").at(0));
    EXPECT_TRUE(shows("add birthday"));
    ASSERT_TRUE(uikit::tap("Done"));
    EXPECT_EQ(stored().birthday, std::nullopt);
    EXPECT_EQ(stored().phones, (std::vector<ab::LabeledValue>{{"home", "+55 11 1234-5678"}}));
    EXPECT_EQ(stored().emails, ana.emails);
    EXPECT_FALSE(shows("add birthday"));

    ASSERT_TRUE(uikit::tap("Edit"));
    ASSERT_TRUE(uikit::tap("add birthday"));
    ASSERT_TRUE(screen->shownPerson().birthday.has_value());
    ASSERT_TRUE(uikit::tap("Done"));
    EXPECT_EQ(stored().birthday, screen->displayedPerson().birthday);
    EXPECT_TRUE(stored().birthday.has_value());
}

TEST_F(PersonScreen, DoneKeepsWhatChangedElsewhereOutsideTheShownValues)
{
    ASSERT_TRUE(uikit::tap("Edit"));
    step(1, true);
    ab::Person renamed = stored();
    renamed.last_name = "Souza";
    renamed.image_data = {1, 2, 3};
    ASSERT_TRUE(book->save(renamed)); // as another handle on the book would

    ASSERT_TRUE(uikit::tap("Done"));
    const ab::Person after = stored();
    EXPECT_EQ(after.last_name, "Souza");
    EXPECT_EQ(after.image_data, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(after.birthday, (ab::CivilDate{1980, 3, 6}));
}

TEST_F(PersonScreen, DoneForAPersonDeletedMeanwhileWritesNothing)
{
    ASSERT_TRUE(uikit::tap("Edit"));
    step(1, true);
    ASSERT_TRUE(book->remove(ana.id));
    ASSERT_TRUE(uikit::tap("Done"));
    EXPECT_FALSE(screen->isEditing());
    EXPECT_EQ(book->personCount(), 0u);
    EXPECT_TRUE(shows("March 5, 1980"));
    EXPECT_TRUE(shows("The contact was deleted in another program.")) << "never silently";
    EXPECT_TRUE(uikit::tap("OK"));
}

// Another program puts another store file in place while Ana is edited (a backup brought back),
// in which her identifier names Bo: Done must not write her edit onto him.
TEST_F(PersonScreen, DoneAfterTheStoreFileWasReplacedWritesNothingOntoAnotherPerson)
{
    const auto file = device.root() / "book.sqlitedb", other = device.root() / "other.sqlitedb";
    std::shared_ptr<ab::AddressBook> shown = ab::AddressBook::open(file);
    ab::Person bo;
    bo.first_name = "Bo";
    bo.birthday = ab::CivilDate{1990, 7, 1};
    for (auto [store, person] : {std::pair{file, ana}, std::pair{other, bo}}) {
        person.id = ab::kInvalidRecordID;
        ASSERT_TRUE(ab::AddressBook::open(store)->save(person));
        ASSERT_EQ(person.id, ana.id);
    }
    screen->setAddressBook(shown);
    ASSERT_TRUE(uikit::tap("Edit"));
    step(1, true);
    std::filesystem::rename(other, file);
    ASSERT_TRUE(uikit::tap("Done"));
    uikit::runPendingWork();
    EXPECT_TRUE(shows("Cannot Save Contact"));
    EXPECT_TRUE(uikit::tap("OK"));
    EXPECT_EQ(shown->personWithRecordID(ana.id)->birthday, bo.birthday);
    EXPECT_EQ(shown->personWithRecordID(ana.id)->first_name, "Bo");
}

TEST_F(PersonScreen, EditsOutsideEditingOrOfDatesThatDoNotExistAreIgnored)
{
    screen->setEditing(true);
    screen->setEditedBirthday(ab::CivilDate{1981, 2, 29});
    screen->removeEditedValue(kABPersonEmailProperty, 5);
    EXPECT_EQ(screen->shownPerson(), screen->displayedPerson());

    show(ana, false);
    EXPECT_FALSE(shows("Edit"));
    screen->setEditing(true);
    EXPECT_FALSE(screen->isEditing());
    screen->removeEditedValue(kABPersonPhoneProperty, 0);
    screen->setEditedBirthday(ab::CivilDate{2000, 1, 1});
    EXPECT_EQ(screen->shownPerson(), ana);
}

TEST_F(PersonScreen, TodayComesFromTheClockItWasGiven)
{
    ASSERT_TRUE(uikit::tap("Edit"));
    tapAt(framesOf("class", "ABDeleteControl").at(0));
    ASSERT_TRUE(uikit::tap("add birthday"));
    EXPECT_EQ(screen->shownPerson().birthday, (ab::CivilDate{ab::kUnknownYear, 3, 10}));

    screen->setEditedBirthday(ab::CivilDate{ab::kUnknownYear, 7, 1});
    clock.set(localNoon(2012, 1, 1));
    step(2, true); // an unknown year steps to this year
    EXPECT_EQ(screen->shownPerson().birthday, (ab::CivilDate{2012, 7, 1}));
}

// The device's own texts, dates and clock follow the user's language, the catalogue of the
// device as it is installed; labels the person typed stay as typed.
TEST_F(PersonScreen, DeviceTextsDatesAndClockFollowTheUsersLanguage)
{
    const auto framework = device.path("/System/Library/Frameworks/UIKit.framework");
    std::filesystem::create_directories(framework.parent_path());
    std::filesystem::create_directory_symlink(TORTAMOS_BUILD_DIR "/UIKit.framework", framework);
    ana.phones.push_back({"beach house", "+55 13 3333-4444"});
    ana.dates.push_back({"anniversary", ab::CivilDate{2010, 6, 3}});
    struct Case {
        const char* language;
        // A switch's state, then the screen's texts in order; then, while editing a birthday
        // without a year, the Done button, the stepper's month and year.
        std::vector<std::string> texts;
        std::vector<std::string> editing;
        std::string withoutYear;
        std::string clock;
    };
    const std::vector<Case> cases{
        {"pt_BR",
         {"SIM", "Editar", "aniversário", "5 de março de 1980", "casamento", "3 de junho de 2010",
          "celular", "residencial", "beach house", "trabalho"},
         {"OK", "Abril", "sem ano"},
         "5 de março",
         "21:41"},
        {"C",
         {"ON", "Edit", "birthday", "March 5, 1980", "anniversary", "June 3, 2010", "mobile",
          "home", "beach house", "work"},
         {"Done", "April", "no year"},
         "March 5",
         "9:41 PM"},
        // English with its region; a language the device cannot speak leaves it all in English.
        {"en_GB", {"ON", "Edit", "birthday", "5 March 1980"}, {}, "5 March", "21:41"},
        {"de_DE", {"ON", "Edit", "birthday", "March 5, 1980"}, {}, "March 5", "9:41 PM"},
    };
    const auto shownOf = [&](const std::vector<std::string>& wanted) {
        std::vector<std::string> shown;
        for (const auto& text : texts())
            if (std::find(wanted.begin(), wanted.end(), text) != wanted.end())
                shown.push_back(text);
        return shown;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        ScopedEnv language("LANGUAGE", c.language);
        show(ana);
        auto shown = shownOf(c.texts);
        shown.insert(shown.begin(), os::deviceText("ON"));
        EXPECT_EQ(shown, c.texts);
        if (!c.editing.empty()) {
            ASSERT_TRUE(uikit::tap(c.texts[1]));
            screen->setEditedBirthday(ab::CivilDate{ab::kUnknownYear, 4, 5});
            EXPECT_EQ(shownOf(c.editing), c.editing);
        }
        EXPECT_EQ(uikit::deviceDateText(ab::kUnknownYear, 3, 5, false), c.withoutYear);
        EXPECT_EQ(uikit::deviceTimeText(21, 41), c.clock);
    }
}

TEST_F(PersonScreen, ANewPersonIsAddedWithWhatWasTypedAndThenShown)
{
    showNewPerson();
    EXPECT_EQ(screen->title(), "New Contact");
    EXPECT_TRUE(shows("add phone"));
    EXPECT_FALSE(shows("Delete Contact")) << "nothing to delete yet";
    type("First", "Bea");
    type("Last", "Souza");
    type("add phone", "555 1234"); // the new number's field has the keyboard
    ASSERT_TRUE(uikit::tap("mobile"));
    ASSERT_TRUE(uikit::tap("work")); // the label, from the sheet
    ASSERT_TRUE(uikit::tap("add phone"));
    EXPECT_TRUE(shows("mobile")) << "the first usual label not used yet";
    type("add email", "bea@example.com");
    ASSERT_TRUE(uikit::tap("add birthday"));
    ASSERT_TRUE(uikit::tap("no year"));
    EXPECT_EQ(bookChanges, 0);
    ASSERT_TRUE(uikit::tap("Done"));

    const auto all = book->copyAllPersons().value();
    ASSERT_EQ(all.size(), 2u);
    const ab::Person& bea = all.back();
    EXPECT_EQ(bea.first_name, "Bea");
    EXPECT_EQ(bea.last_name, "Souza");
    EXPECT_EQ(bea.birthday, (ab::CivilDate{ab::kUnknownYear, 3, 10}));
    EXPECT_EQ(bea.phones, (std::vector<ab::LabeledValue>{{"work", "555 1234"}}))
        << "the number left empty is dropped";
    EXPECT_EQ(bea.emails, (std::vector<ab::LabeledValue>{{"home", "bea@example.com"}}));
    EXPECT_EQ(bookChanges, 1);
    EXPECT_EQ(screen->displayedPerson(), bea);
    EXPECT_FALSE(screen->isEditing());
    EXPECT_TRUE(onTop());
    EXPECT_TRUE(shows("Bea Souza"));
    EXPECT_TRUE(shows("Edit"));
    EXPECT_EQ(screen->title(), "");
}

// New Contact takes what is typed in First; "add birthday" starts with no year and the month
// focused, and the keys set each part: digits as in a date field (a part no further digit could
// lengthen is complete and the next takes the digits), arrows, Page Up and Page Down.
TEST_F(PersonScreen, TheDateEditorTakesDigitsArrowsAndPagesOnEachPart)
{
    const struct {
        const char* keys;
        ab::CivilDate date;
    } cases[] = {
        {"5 3 Right 1 9 9 0", {1990, 5, 3}},
        {"1 2 3 1 2 0 0 0", {2000, 12, 31}},
        {"0 7 0 4", {ab::kUnknownYear, 7, 4}},
        {"1 4", {ab::kUnknownYear, 4, 10}}, // 14 is no month: 4 starts it anew
        {"2 2 9 2 0 0 1", {2001, 2, 28}}, // the 29th shrinks in a common year
        {"Right Right 1 8 5 0", {ab::kUnknownYear, 3, 10}}, // no year before 1901
        {"Up Up Down Right PgUp Right Up PgDown Left Left Down", {1999, 3, 17}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        showNewPerson();
        ASSERT_TRUE(uikit::typeText("Bea"));
        EXPECT_EQ(screen->shownPerson().first_name, "Bea");
        ASSERT_TRUE(uikit::tap("add birthday"));
        uikit::runPendingWork();
        const auto* month = dynamic_cast<const UILabel*>(uikit::focusedView());
        ASSERT_NE(month, nullptr);
        EXPECT_EQ(month->text(), "March");
        std::istringstream keys(c.keys);
        for (std::string key; keys >> key;) {
            ASSERT_TRUE(uikit::pressKey(key)) << key;
            uikit::runPendingWork();
        }
        EXPECT_EQ(screen->shownPerson().birthday, c.date);
    }
}

// A stepper held down steps again and again; the wheel steps the part under it a notch at a time.
TEST_F(PersonScreen, AHeldStepperRepeatsAndTheWheelStepsEachPart)
{
    os::FixedClock loopClock{0};
    os::ManualRunLoop loop(loopClock);
    os::RunLoop* const installed = os::main_run_loop();
    os::install_main_run_loop(&loop);
    ASSERT_TRUE(uikit::tap("Edit"));
    const auto viewAt = [&](const CGRect& frame) {
        const CGPoint middle{CGRectGetMidX(frame), CGRectGetMidY(frame)};
        UIView* view = window->hitTest(middle);
        return std::pair{view, view->convertPoint_fromView(middle, nullptr)};
    };
    const auto [up, onUp] = viewAt(framesOf("text", "\u25B2").at(2));
    up->touchesBegan(onUp);
    loop.advance(std::chrono::milliseconds(1000));
    up->touchesEnded(onUp);
    loop.advance(std::chrono::milliseconds(1000));
    EXPECT_EQ(screen->shownPerson().birthday, (ab::CivilDate{1987, 3, 5}))
        << "a step at once, then one each tenth of a second after the first four tenths";

    const auto [year, onYear] = viewAt(framesOf("text", "1987").at(0));
    EXPECT_TRUE(year->scrollByWheel(onYear, 0, -2 * 44));
    EXPECT_EQ(screen->shownPerson().birthday, (ab::CivilDate{1989, 3, 5}));
    year->scrollByWheel(onYear, 0, 22);
    EXPECT_EQ(screen->shownPerson().birthday, (ab::CivilDate{1989, 3, 5})) << "half a notch";
    year->scrollByWheel(onYear, 0, 22);
    EXPECT_EQ(screen->shownPerson().birthday, (ab::CivilDate{1988, 3, 5}));
    os::install_main_run_loop(installed);
}

TEST_F(PersonScreen, ANewPersonLeftEmptyOrCancelledIsNotAdded)
{
    const struct {
        const char* typed;
        const char* button;
    } cases[] = {{"", "Done"}, {" ", "Done"}, {"Bea", "Cancel"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.button) + " after '" + c.typed + "'");
        showNewPerson();
        type("add phone", c.typed);
        ASSERT_TRUE(uikit::tap(c.button));
        uikit::runPendingWork();
        EXPECT_EQ(book->personCount(), 1u);
        EXPECT_EQ(bookChanges, 0);
        EXPECT_FALSE(onTop()) << "the screen is left";
    }

    // Presented over the list rather than pushed, it is dismissed.
    auto newPerson = std::make_shared<ABPersonViewController>();
    newPerson->setAllowsEditing(true);
    navigation->presentModalViewController_animated(
        std::make_shared<UINavigationController>(newPerson), false);
    newPerson->setEditing(true);
    uikit::runPendingWork();
    ASSERT_TRUE(uikit::tap("Cancel"));
    uikit::runPendingWork();
    EXPECT_EQ(navigation->modalViewController(), nullptr);
}

TEST_F(PersonScreen, NamesNumbersAndAddressesEditedAreSavedOnDone)
{
    ASSERT_TRUE(uikit::tap("Edit"));
    EXPECT_TRUE(shows("Ana")) << "the names in their fields";
    screen->setEditedFirstName("Anna");
    screen->setEditedLastName("");
    screen->setEditedValue(kABPersonPhoneProperty, 1, "+55 11 1111-2222");
    screen->setEditedValue(kABPersonEmailProperty, 0, "");
    ASSERT_TRUE(uikit::tap("mobile"));
    ASSERT_TRUE(uikit::tap("other"));
    ASSERT_TRUE(uikit::tap("Done"));
    const ab::Person after = stored();
    EXPECT_EQ(after.first_name, "Anna");
    EXPECT_EQ(after.last_name, std::nullopt);
    EXPECT_EQ(after.phones, (std::vector<ab::LabeledValue>{{"other", "(11) 9876-5432"},
                                                           {"home", "+55 11 1111-2222"}}));
    EXPECT_TRUE(after.emails.empty());
    EXPECT_EQ(bookChanges, 1);
    EXPECT_TRUE(shows("Anna"));

    ASSERT_TRUE(uikit::tap("Edit"));
    ASSERT_TRUE(uikit::tap("Done"));
    EXPECT_EQ(bookChanges, 1) << "nothing changed, nothing written";

    ASSERT_TRUE(uikit::tap("Edit"));
    screen->setEditedFirstName("Bea");
    ASSERT_TRUE(uikit::tap("Cancel"));
    EXPECT_FALSE(screen->isEditing());
    EXPECT_EQ(stored(), after);
    EXPECT_TRUE(shows("Anna"));
}

TEST_F(PersonScreen, APhotoComesFromTheApplicationsChooserAndMayBeRemoved)
{
    const auto png = solidPng({40, 40}, UIColor::redColor());
    screen->setPhotoChooser([&](ABPersonViewController& asking) {
        asking.setEditedImageData({1, 2, 3}); // no picture: ignored
        asking.setEditedImageData(png);
    });
    EXPECT_FALSE(shows("add photo")) << "only in editing";
    ASSERT_TRUE(uikit::tap("Edit"));
    ASSERT_TRUE(uikit::tap("add photo"));
    ASSERT_TRUE(uikit::tap("Done"));
    EXPECT_EQ(stored().image_data, png);

    ASSERT_TRUE(uikit::tap("Edit"));
    ASSERT_TRUE(uikit::tap("edit photo"));
    ASSERT_TRUE(uikit::tap("Delete Photo"));
    EXPECT_TRUE(shows("add photo"));
    ASSERT_TRUE(uikit::tap("Done"));
    EXPECT_TRUE(stored().image_data.empty());
}

TEST_F(PersonScreen, DeleteContactRemovesThePersonOnceConfirmed)
{
    for (const bool confirmed : {false, true}) {
        SCOPED_TRACE(confirmed);
        show(ana, true, true);
        ASSERT_TRUE(uikit::tap("Edit"));
        tapDeleteContact();
        ASSERT_TRUE(uikit::tap(confirmed ? "Delete Contact" : "Cancel")); // the sheet's
        uikit::runPendingWork();
        EXPECT_EQ(book->personCount(), confirmed ? 0u : 1u);
        EXPECT_EQ(bookChanges, confirmed ? 1 : 0);
        EXPECT_EQ(onTop(), !confirmed);
    }
}

TEST_F(PersonScreen, AWriteThatFailsKeepsTheStoredPersonAndSaysSo)
{
    const struct {
        const char* what;
        std::function<void()> act;
        const char* alert;
    } cases[] = {
        // Another program holds the book at "Done": the edit stays on screen for another try.
        {"save",
         [this] {
             screen->setEditing(true);
             screen->setEditedFirstName("Anna");
             screen->setEditing(false);
             EXPECT_TRUE(screen->isEditing()) << "what was typed stays";
             EXPECT_EQ(screen->shownPerson().first_name, "Anna");
         },
         "Cannot Save Contact"},
        {"remove",
         [this] {
             screen->setEditing(true);
             tapDeleteContact();
             ASSERT_TRUE(uikit::tap("Delete Contact"));
             EXPECT_TRUE(screen->isEditing());
         },
         "Cannot Delete Contact"},
        {"add",
         [this] {
             showNewPerson();
             type("First", "Bea");
             ASSERT_TRUE(uikit::tap("Done"));
             EXPECT_TRUE(screen->isEditing()) << "what was typed stays";
             EXPECT_EQ(screen->shownPerson().first_name, "Bea");
         },
         "Cannot Save Contact"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        show(ana, true, true);
        book->fail = true;
        c.act();
        uikit::runPendingWork();
        EXPECT_TRUE(shows(c.alert));
        EXPECT_TRUE(uikit::tap("OK"));
        book->fail = false;
        EXPECT_EQ(stored(), ana);
        EXPECT_EQ(book->personCount(), 1u);
        EXPECT_EQ(bookChanges, 0);
        EXPECT_TRUE(onTop());
    }
}

} // namespace
