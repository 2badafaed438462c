#include "TempDevice.h"

#include "platform/AddressBookAccess.h"

#include <gtest/gtest.h>

using platform::InMemoryAddressBook;

namespace {

ab::Person person(const char* first, std::optional<ab::CivilDate> birthday,
                  std::vector<uint8_t> photo = {}) {
    ab::Person p;
    p.first_name = first;
    p.birthday = birthday;
    p.image_data = std::move(photo);
    return p;
}

} // namespace

TEST(InMemoryAddressBook, KeepsAddingOrderAndNeverReusesAnIdentifier) {
    InMemoryAddressBook book;
    const ab::RecordID ana = book.add(person("Ana", ab::CivilDate{1980, 3, 5}, {1, 2, 3}));
    const ab::RecordID bia = book.add(person("Bia", std::nullopt));
    EXPECT_TRUE(book.remove(bia));
    EXPECT_FALSE(book.remove(bia));
    const ab::RecordID caio = book.add(person("Caio", ab::CivilDate{1990, 1, 7}));
    EXPECT_GT(caio, bia);

    const auto all = book.copyArrayOfAllPeople();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].id, ana);
    EXPECT_EQ(all[0].first_name, "Ana");
    EXPECT_EQ(all[0].birthday, (ab::CivilDate{1980, 3, 5}));
    EXPECT_TRUE(all[0].has_image);
    EXPECT_EQ(all[1].id, caio);
    EXPECT_FALSE(all[1].has_image);

    EXPECT_EQ(book.copyImageData(ana), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_TRUE(book.copyImageData(caio).empty());
    EXPECT_TRUE(book.copyImageData(bia).empty());
    ASSERT_TRUE(book.personWithRecordID(caio));
    EXPECT_EQ(book.personWithRecordID(caio)->first_name, "Caio");
    EXPECT_FALSE(book.personWithRecordID(bia));
}

TEST(DeviceAddressBook, ReadsTheDeviceStoreAfreshOnEveryCall) {
    TempDevice device;
    const platform::DeviceAddressBook book;
    EXPECT_TRUE(book.copyArrayOfAllPeople().empty()); // no store file yet

    auto store = ab::AddressBook::create();
    ab::Person ana = person("Ana", ab::CivilDate{1980, 3, 5}, {0x89, 'P', 'N', 'G'});
    ab::Person bia = person("Bia", std::nullopt);
    ASSERT_TRUE(store->save(ana));
    ASSERT_TRUE(store->save(bia));

    auto all = book.copyArrayOfAllPeople();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].id, ana.id);
    EXPECT_TRUE(all[0].has_image);
    EXPECT_EQ(all[1].id, bia.id);
    EXPECT_EQ(book.copyImageData(ana.id), ana.image_data);
    EXPECT_EQ(book.personWithRecordID(bia.id), bia);

    ASSERT_TRUE(store->remove(ana.id));
    all = book.copyArrayOfAllPeople();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].id, bia.id);
    EXPECT_FALSE(book.personWithRecordID(ana.id));
    EXPECT_TRUE(book.copyImageData(ana.id).empty());
}

TEST(DeviceAddressBook, ReadsAGivenStoreFile) {
    TempDevice device;
    const auto file = device.root() / "elsewhere.sqlitedb";
    ab::Person caio = person("Caio", ab::CivilDate{1990, 1, 7});
    ASSERT_TRUE(ab::AddressBook::open(file)->save(caio));
    EXPECT_EQ(platform::DeviceAddressBook(file).copyArrayOfAllPeople().size(), 1u);
    EXPECT_TRUE(platform::DeviceAddressBook().copyArrayOfAllPeople().empty());
}
