// The contacts tool on 100,000 persons, run as a whole process as a user runs it: importing a
// file whose persons are all stored already (nothing may be written: the store file's change
// counter and modification date are checked after every run), and syncing a vdir folder of
// 100,000 cards of which 1% changed since the last sync. Beside them, the vCard reader on a
// property name folded over ever more lines, which must grow linearly. And the birthdays of
// 100,000 persons as a vdir calendar: written whole, and run again with nothing changed, when
// nothing may be written (the folder's modification time, which every file created, renamed or
// removed in it moves, is checked after every run).
#include "TempDevice.h"
#include "addressbook/AddressBook.h"
#include "foundation/FileAttributes.h"
#include "vcard/VCardReader.h"
#include "vcard/VCardWriter.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <memory>

namespace {

constexpr int kPersons = 100'000;

ab::Person card_person(int i, int version)
{
    ab::Person p;
    p.first_name = "Person " + std::to_string(i);
    p.last_name = "Surname";
    if (i % 10 != 0)
        p.uid = "urn:uuid:bench-" + std::to_string(i); // a tenth matched by name
    p.birthday = ab::CivilDate{1930 + i % 80, 1 + i % 12, 1 + i % 28};
    p.phones = {
        {"mobile", "+55 11 9" + std::to_string(1000000 + i) + "-" + std::to_string(version)}};
    p.emails = {{"home", "person" + std::to_string(i) + "@example.com"}};
    return p;
}

int contacts(const std::string& arguments)
{
    return std::system((std::string(CONTACTS_PROGRAM) + " " + arguments + " >/dev/null").c_str());
}

// SQLite counts every committed write in the file's header (bytes 24 to 27).
std::string change_counter(const std::filesystem::path& store)
{
    std::ifstream in(store, std::ios::binary);
    std::string header(28, '\0');
    in.read(header.data(), 28);
    return header.substr(24);
}

void BM_ReimportUnchanged(benchmark::State& state)
{
    TempDevice device;
    const auto file = device.root() / "all.vcf";
    {
        std::ofstream out(file, std::ios::binary);
        for (int i = 0; i < kPersons; ++i)
            out << contacts::write_vcard(card_person(i, 0));
    }
    if (contacts("import '" + file.string() + "'") != 0)
        return state.SkipWithError("first import");
    const auto store = ab::AddressBook::device_store_path();
    const auto counter = change_counter(store);
    const auto modified = os::file_modification_date(store);
    for (auto _ : state) {
        if (contacts("import '" + file.string() + "'") != 0)
            return state.SkipWithError("import");
        if (change_counter(store) != counter || os::file_modification_date(store) != modified)
            return state.SkipWithError("the unchanged import wrote to the store");
    }
    state.counters["persons"] = kPersons;
    state.counters["writes"] = 0; // reached only when no run changed the store
}
BENCHMARK(BM_ReimportUnchanged)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_SyncOnePercentChanged(benchmark::State& state)
{
    TempDevice device;
    const auto folder = device.root() / "vdir";
    std::filesystem::create_directories(folder);
    const auto write_card = [&](int i, int version) {
        std::ofstream(folder / ("card-" + std::to_string(i) + ".vcf"), std::ios::binary)
            << contacts::write_vcard(card_person(i, version));
    };
    for (int i = 0; i < kPersons; ++i)
        write_card(i, 0);
    if (contacts("sync '" + folder.string() + "'") != 0)
        return state.SkipWithError("first sync");
    int version = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++version;
        for (int i = version % 100; i < kPersons; i += 100)
            write_card(i, version);
        state.ResumeTiming();
        if (contacts("sync '" + folder.string() + "'") != 0)
            return state.SkipWithError("sync");
    }
    state.counters["persons"] = kPersons;
    state.counters["changed"] = kPersons / 100;
}
BENCHMARK(BM_SyncOnePercentChanged)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Fills the current device's book with the 100,000 persons of the sync, each with a birthday.
bool fill_book()
{
    std::vector<ab::Person> persons;
    for (int i = 0; i < kPersons; ++i)
        persons.push_back(card_person(i, 0));
    return ab::AddressBook::create()->save(persons);
}

void BM_CalendarFolderWritten(benchmark::State& state)
{
    TempDevice device;
    if (!fill_book())
        return state.SkipWithError("filling the book");
    const auto folder = device.root() / "calendar";
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(folder);
        state.ResumeTiming();
        if (contacts("calendar '" + folder.string() + "' --remind 0,7") != 0)
            return state.SkipWithError("calendar");
    }
    state.counters["events"] = kPersons;
}
BENCHMARK(BM_CalendarFolderWritten)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_CalendarFolderUnchanged(benchmark::State& state)
{
    TempDevice device;
    if (!fill_book())
        return state.SkipWithError("filling the book");
    const auto folder = device.root() / "calendar";
    if (contacts("calendar '" + folder.string() + "' --remind 0,7") != 0)
        return state.SkipWithError("first calendar");
    // Long ago, so that a write within the same clock tick still shows.
    const auto long_ago = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    std::filesystem::last_write_time(folder, long_ago);
    for (auto _ : state) {
        if (contacts("calendar '" + folder.string() + "' --remind 0,7") != 0)
            return state.SkipWithError("calendar");
        if (std::filesystem::last_write_time(folder) != long_ago)
            return state.SkipWithError("the unchanged calendar wrote to the folder");
    }
    state.counters["events"] = kPersons;
    state.counters["writes"] = 0; // reached only when no run changed the folder
}
BENCHMARK(BM_CalendarFolderUnchanged)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// "N;ENCODING=QUOTED-PRINTABLE" continued by n lines " x=" and never given its ':'.
void BM_ReadFoldedPropertyName(benchmark::State& state)
{
    std::string text = "BEGIN:VCARD\r\nN;ENCODING=QUOTED-PRINTABLE";
    for (int64_t i = 0; i < state.range(0); ++i)
        text += "\r\n x=";
    text += "\r\nEND:VCARD\r\n";
    for (auto _ : state) {
        const auto result = contacts::read_vcards(text);
        if (!result.error)
            return state.SkipWithError("the card was read");
        benchmark::DoNotOptimize(result);
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_ReadFoldedPropertyName)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 18)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
