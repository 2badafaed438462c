// The list engine at address-book sizes up to 100,000 persons: the import beside a bare SQLite
// scan of the same rows, each of the three list builds, and the values of one row.
#include "BareSqliteScan.h"
#include "BenchDevice.h"

#include "engine/BirthdayList.h"
#include "engine/TodayDate.h"

#include "platform/AddressBookAccess.h"
#include "platform/ScopedTimeZone.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <memory>
#include <random>

namespace {

const char* const kFirstNames[] = {"Ana", "bruno", "Carla", "Davi", "\xC3\x89rica", "Fábio",
                                   "Gabriela", "Heitor", "Íris", "João", "karina", "Luís",
                                   "Mariana", "Nuno", "Otávio", "Paula", "Quitéria", "Rafael",
                                   "Sofia", "Tiago", "Úrsula", "Vitor", "Wagner", "Yara", "Zé"};
const char* const kLastNames[] = {"Silva", "Santos", "Oliveira", "Souza", "Rodrigues", "Ferreira",
                                  "Alves", "Pereira", "Lima", "Gomes", "Costa", "Ribeiro",
                                  "Martins", "Carvalho", "Almeida", "Lopes", "Soares"};

// n persons: 90% with a birthday, 10% with a photo, names from the lists above.
std::vector<ab::Person> makePersons(int n) {
    std::mt19937 random(20090310);
    std::vector<ab::Person> persons(n);
    for (ab::Person& p : persons) {
        p.first_name = kFirstNames[random() % std::size(kFirstNames)];
        if (random() % 8 != 0) p.last_name = kLastNames[random() % std::size(kLastNames)];
        if (random() % 10 != 0) {
            const int month = 1 + static_cast<int>(random() % 12);
            const int day = 1 + static_cast<int>(random() % (month == 2 ? 29 : 30));
            const int year = month == 2 && day == 29 ? 1980 : 1930 + static_cast<int>(random() % 80);
            p.birthday = ab::CivilDate{year, month, day};
        }
        if (random() % 10 == 0) p.image_data.assign(4096, static_cast<uint8_t>(random()));
    }
    return persons;
}

void setToday() {
    static platform::ScopedTimeZone zone("America/Sao_Paulo");
    const platform::Calendar calendar;
    engine::SetDateNow(platform::FixedClock(calendar.dateFromParts(2009, 3, 10, 12)));
}

// The import's two log lines per run would flood the output.
struct QuietStderr {
    int saved = ::dup(2);
    QuietStderr() {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 2);
        ::close(null);
    }
    ~QuietStderr() {
        ::dup2(saved, 2);
        ::close(saved);
    }
};

void BM_BareSqliteScan(benchmark::State& state) {
    useDeviceWith(static_cast<int>(state.range(0)), makePersons);
    runBareSqliteScan(state);
}

void BM_PopulateAddressBook(benchmark::State& state) {
    useDeviceWith(static_cast<int>(state.range(0)), makePersons);
    setToday();
    const platform::DeviceAddressBook book;
    QuietStderr quiet;
    size_t recordBytes = 0;
    {
        engine::BirthdayList list(book, nullptr);
        const size_t before = mallinfo2().uordblks;
        list.PopulateAddressBook();
        recordBytes = mallinfo2().uordblks - before;
        for (auto _ : state) {
            list.PopulateAddressBook();
            benchmark::DoNotOptimize(list.listArray().data());
        }
        state.counters["records"] = static_cast<double>(list.listArray().size());
    }
    state.counters["records_MB"] = static_cast<double>(recordBytes) / 1e6;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Side by side per size, so each store is filled once.
// The address book's own list of all persons, the part of the import spent in the store.
void BM_AllPeopleFromTheStore(benchmark::State& state) {
    useDeviceWith(static_cast<int>(state.range(0)), makePersons);
    const platform::DeviceAddressBook book;
    for (auto _ : state) benchmark::DoNotOptimize(book.copyArrayOfAllPeople());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_BareSqliteScan)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PopulateAddressBook)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareSqliteScan)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PopulateAddressBook)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareSqliteScan)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PopulateAddressBook)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllPeopleFromTheStore)->Arg(100000)->Unit(benchmark::kMillisecond);

// 100,000 records in memory, each build measured after the other kind of build, as when the
// user switches tabs.
struct Records {
    platform::InMemoryAddressBook book;
    std::unique_ptr<engine::BirthdayList> list;
    Records() {
        setToday();
        for (ab::Person& p : makePersons(111'112)) // 90% of them: 100,000 records
            book.add(std::move(p));
        list = std::make_unique<engine::BirthdayList>(book, nullptr);
        QuietStderr quiet;
        list->PopulateAddressBook();
    }
};

engine::BirthdayList& records() {
    static Records instance;
    return *instance.list;
}

void BM_PopulateSection_byDate(benchmark::State& state) {
    engine::BirthdayList& list = records();
    const bool comingOnly = state.range(0) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        list.PopulateSection_byName();
        state.ResumeTiming();
        list.PopulateSection_byDate(comingOnly);
    }
    state.counters["records"] = static_cast<double>(list.listArray().size());
}

void BM_PopulateSection_byName(benchmark::State& state) {
    engine::BirthdayList& list = records();
    for (auto _ : state) {
        state.PauseTiming();
        list.PopulateSection_byDate(false);
        state.ResumeTiming();
        list.PopulateSection_byName();
    }
    state.counters["sections"] = static_cast<double>(list.dataArraySection().size());
}

BENCHMARK(BM_PopulateSection_byDate)->ArgName("comingOnly")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PopulateSection_byName)->Unit(benchmark::kMillisecond);

void BM_RowValues(benchmark::State& state) {
    engine::BirthdayList& list = records();
    const auto& all = list.listArray();
    size_t i = 0;
    for (auto _ : state) {
        engine::RowValues row = list.rowValues(*all[i], false, false);
        benchmark::DoNotOptimize(row);
        i = (i + 7919) % all.size();
    }
}
BENCHMARK(BM_RowValues);

} // namespace

int main(int argc, char** argv) {
    // glibc adapts its mmap and trim thresholds to the frees it has seen, so without fixed
    // thresholds an import of 10,000 persons runs three times slower after the 1,000 runs than
    // alone, giving back and faulting in its pages on every run.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
