#include "TempDevice.h"

#include "platform/AddressBookAccess.h"

#include <gtest/gtest.h>

#include <fstream>

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

namespace {

// What a visit saw, copied out while the views were valid.
struct Recorder final : ab::PersonVisitor {
    size_t expected = 0;
    std::vector<ab::PersonSummary> seen;
    void expect(size_t count) override { expected = count; }
    void visit(const ab::PersonSummaryView& p) override {
        seen.push_back({p.id, std::optional<std::string>(p.first_name),
                        std::optional<std::string>(p.last_name), p.birthday, p.has_image});
    }
};

void expectSamePersons(const std::vector<ab::PersonSummary>& a,
                       const std::vector<ab::PersonSummary>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].id, b[i].id) << i;
        EXPECT_EQ(a[i].first_name, b[i].first_name) << i;
        EXPECT_EQ(a[i].last_name, b[i].last_name) << i;
        EXPECT_EQ(a[i].birthday, b[i].birthday) << i;
        EXPECT_EQ(a[i].has_image, b[i].has_image) << i;
    }
}

} // namespace

// The visit is the list of all persons without the copies: the same persons, in the same order,
// with a missing name apart from an empty one, in the store and in memory alike.
TEST(AddressBookVisit, SeesWhatTheListOfAllPersonsHolds) {
    TempDevice device;
    std::vector<ab::Person> persons = {person("Ana", ab::CivilDate{1980, 3, 5}, {1}),
                                       person("", std::nullopt), person("Caio", std::nullopt)};
    persons[1].last_name = "Lima";
    persons[2].first_name.reset();
    ASSERT_TRUE(ab::AddressBook::create()->save(persons));

    const platform::DeviceAddressBook book;
    Recorder fromStore;
    EXPECT_TRUE(book.visitAllPeople(fromStore));
    EXPECT_EQ(fromStore.expected, 3u);
    expectSamePersons(fromStore.seen, book.copyArrayOfAllPeople());
    EXPECT_EQ(fromStore.seen[1].first_name, "");
    EXPECT_EQ(fromStore.seen[2].first_name, std::nullopt);

    InMemoryAddressBook memory;
    for (ab::Person& p : persons) memory.add(ab::Person(p));
    Recorder fromMemory;
    EXPECT_TRUE(memory.visitAllPeople(fromMemory));
    EXPECT_EQ(fromMemory.expected, 3u);
    expectSamePersons(fromMemory.seen, memory.copyArrayOfAllPeople());
}

TEST(AddressBookVisit, ABookThatIsNoStoreVisitsNoOne) {
    TempDevice device;
    Recorder none;
    EXPECT_TRUE(platform::DeviceAddressBook().visitAllPeople(none)); // no file: an empty book
    EXPECT_TRUE(none.seen.empty());

    const auto garbage = device.root() / "garbage.sqlitedb";
    std::ofstream(garbage) << "not a database at all, just text that is long enough";
    Recorder onGarbage;
    platform::DeviceAddressBook(garbage).visitAllPeople(onGarbage);
    EXPECT_TRUE(onGarbage.seen.empty());
}
