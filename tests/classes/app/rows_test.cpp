#include "AppTest.h"
#include "PhotoBomb.h"
#include "PhotoCache.h"
#include "TodoCell.h"

namespace {

class Rows : public AppTest {
protected:
    // The cell the table shows at the row, after a layout pass.
    TodoCell* shownCell(int section, int row)
    {
        screen().myTableView->layoutIfNeeded();
        auto* cell = screen().myTableView->cellForRowAtIndexPath(
            NSIndexPath::indexPathForRow_inSection(row, section));
        return dynamic_cast<TodoCell*>(cell);
    }
};

// An address book in memory that counts the photo reads it is asked for.
class CountingBook final : public ab::InMemoryAddressBook {
public:
    std::vector<uint8_t> copyImageData(ab::RecordID id) const override
    {
        ++reads;
        return ab::InMemoryAddressBook::copyImageData(id);
    }
    mutable int reads = 0;
};

TEST_F(Rows, ACellShowsItsRecordsValues)
{
    add_person(book, born("Carla", 15, 3, 1980));
    TodoCell* cell = shownCell(0, 0);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->reuseIdentifier(), "MyIdentifier");
    EXPECT_EQ(cell->todoTextLabel->text(), "Carla");
    EXPECT_EQ(cell->todoPriorityLabel->text(), "March 15 1980");
    EXPECT_EQ(cell->todoTextItem->text(), "Pisces");
    EXPECT_EQ(cell->todoItemImageView->image()->name(), "peixes.png");
    EXPECT_EQ(cell->todoAgeLabel->text(), "Age: 28");
    EXPECT_EQ(cell->todoTimeLabel->text(), "in 5 days");
    EXPECT_EQ(cell->todoTimeLabel->textColor(), UIColor::brownColor());
    EXPECT_EQ(cell->todoPriorityImageView->image()->name(), "contact.png");
    EXPECT_EQ(cell->accessoryType(), UITableViewCellAccessoryDisclosureIndicator);
}

TEST_F(Rows, ShownRowsDrawTheirTextsOverTheBackgroundPicture)
{
    add_person(book, born("Carla", 15, 3, 1980));
    TodoCell* cell = shownCell(0, 0);
    ASSERT_TRUE(cell);
    // Otherwise the age and countdown labels would cover the date beside the photo.
    for (UILabel* label :
         {cell->todoTextLabel.get(), cell->todoPriorityLabel.get(), cell->todoTextItem.get(),
          cell->todoAgeLabel.get(), cell->todoTimeLabel.get()}) {
        EXPECT_EQ(label->backgroundColor(), UIColor::clearColor());
        EXPECT_FALSE(label->isHighlighted());
    }
}

TEST_F(Rows, AReusedCellTakesTheColourOfItsNewRow)
{
    ab::Person davi = born("Davi", 10, 3);
    add_person(book, davi);
    TodoCell* today = shownCell(0, 0);
    ASSERT_TRUE(today);
    EXPECT_EQ(today->todoTimeLabel->text(), "Today");
    EXPECT_EQ(today->todoTimeLabel->textColor(), UIColor::redColor());

    // The birthday was corrected on the person screen; coming back rebuilds the list.
    davi.birthday = ab::CivilDate{1980, 5, 12};
    book.remove(davi.id);
    add_person(book, davi);
    screen().PopulateAddressBook();
    screen().PopulateSection_byDate(true);
    screen().myTableView->reloadData();
    TodoCell* reused = shownCell(0, 0);
    EXPECT_EQ(reused, today);
    EXPECT_EQ(reused->todoTimeLabel->text(), "in 2 months, 2 days");
    EXPECT_EQ(reused->todoTimeLabel->textColor(), UIColor::brownColor());
    EXPECT_EQ(reused->todoPriorityLabel->text(), "May 12 1980");
}

TEST_F(Rows, HiddenSignsAndAgesFollowTheSettingsAsSoonAsARowIsBuilt)
{
    add_person(book, born("Ivo", 15, 3, 1900));
    TodoCell* cell = shownCell(0, 0);
    EXPECT_EQ(cell->todoAgeLabel->text(), "Age: 108");
    EXPECT_EQ(cell->todoTextItem->text(), "Pisces");

    bHideAge = 1;
    bHideSigno = 1;
    screen().myTableView->reloadData();
    cell = shownCell(0, 0);
    EXPECT_EQ(cell->todoAgeLabel->text(), "");
    EXPECT_EQ(cell->todoTextItem->text(), "");
    EXPECT_EQ(cell->todoItemImageView->image()->name(), "clear.png");
    EXPECT_EQ(cell->todoTimeLabel->text(), "in 5 days");
}

TEST_F(Rows, PhotosAreDecodedAndBadDataShowsThePlaceholder)
{
    add_person(book, born("Ana", 11, 3, 1980, solidPng({80, 80})));
    add_person(book, born("Bia", 12, 3, 1980, {0x89, 'P', 'N', 'G', 0, 1, 2, 3}));
    add_person(book, born("Cid", 13, 3, 1980, std::vector<uint8_t>(5000, 0xff)));
    const auto photo = [&](int row) { return shownCell(0, row)->todoPriorityImageView->image(); };
    ASSERT_TRUE(photo(0));
    EXPECT_EQ(photo(0)->size(), CGSizeMake(80, 80));
    EXPECT_EQ(photo(1)->name(), "contact.png");
    EXPECT_EQ(photo(2)->name(), "contact.png");
    EXPECT_EQ(shownCell(0, 0)->todoPriorityImageView->frame().size, CGSizeMake(50, 62));
}

TEST_F(Rows, PhotosAreReadOncePerImport)
{
    auto counting = std::make_shared<CountingBook>();
    const ab::RecordID ana = add_person(*counting, born("Ana", 11, 3, 1980, solidPng({40, 40})));
    auto root = std::make_shared<RootViewController>(counting, clock);
    root->view();
    root->myTableView->layoutIfNeeded();
    root->myTableView->reloadData();
    root->myTableView->layoutIfNeeded();
    EXPECT_EQ(counting->reads, 1);

    // The user changed the photo: the next import shows the new one.
    ab::Person changed = *counting->personWithRecordID(ana);
    counting->remove(ana);
    changed.image_data = solidPng({30, 30});
    add_person(*counting, changed);
    root->PopulateAddressBook();
    root->PopulateSection_byDate(true);
    root->myTableView->reloadData();
    root->myTableView->layoutIfNeeded();
    EXPECT_EQ(counting->reads, 2);
    auto* cell = dynamic_cast<TodoCell*>(
        root->myTableView->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(0, 0)));
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->todoPriorityImageView->image()->size(), CGSizeMake(30, 30));
}

TEST(PhotoCacheTest, KeepsOnlyTheMostRecentlyShown)
{
    NSBundle::setMainBundlePath(TORTAMOS_APP_DIR);
    CountingBook counting;
    std::vector<ab::RecordID> ids;
    for (int i = 0; i < 3; ++i)
        ids.push_back(add_person(counting, born("P", 1, 1, 1980, solidPng({10, 10}))));
    PhotoCache cache(counting, 2);
    const auto show = [&](ab::RecordID id) { return cache.photoFor({id, true}); };
    show(ids[0]);
    show(ids[1]);
    show(ids[0]); // now the most recent
    show(ids[2]); // pushes out ids[1]
    EXPECT_EQ(cache.size(), 2u);
    EXPECT_EQ(counting.reads, 3);
    show(ids[0]);
    EXPECT_EQ(counting.reads, 3);
    show(ids[1]);
    EXPECT_EQ(counting.reads, 4);
    EXPECT_EQ(cache.photoFor({ids[0], false})->name(), "contact.png");
}

// Photos as another program than ours may have stored them: however large, a kept photo holds only
// the pixels its row shows, and one with more pixels than the system decodes is never decoded.
TEST(PhotoCacheTest, KeepsPhotosAtTheSizeOfTheRowAndLeavesOutThoseWithTooManyPixels)
{
    NSBundle::setMainBundlePath(TORTAMOS_APP_DIR);
    ab::InMemoryAddressBook book;
    const ab::RecordID large = add_person(book, born("Ana", 1, 1, 1980, solidPng({1200, 900})));
    std::vector<ab::RecordID> bombs;
    for (int i = 0; i < 20; ++i)
        bombs.push_back(add_person(book, born("B", 1, 1, 1980, compressedPng(5792, 5792))));
    PhotoCache cache(book);

    const auto photo = cache.photoFor({large, true});
    EXPECT_EQ(photo->size(), CGSizeMake(1200, 900));
    EXPECT_EQ(UIImage::imageWithData(UIImagePNGRepresentation(photo))->size(),
              TodoCell::photoSize())
        << "the pixels it holds";
    EXPECT_EQ(TodoCell::photoSize(), CGSizeMake(50, 62));
    for (const ab::RecordID bomb : bombs)
        EXPECT_EQ(cache.photoFor({bomb, true})->name(), "contact.png");
}

} // namespace
