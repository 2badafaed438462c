// The home-screen agent's two costs: the ten-second tick when nothing changed (one file status,
// no address-book read), and the count of today's birthdays over 100,000 persons beside a bare
// SQLite scan of the same rows.
#include "AgentEnvironment.h"
#include "BareSqliteScan.h"
#include "BenchDevice.h"
#include "DailyCheck.h"
#include "addressbook/DeviceAddressBook.h"

#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <sys/stat.h>

#include <atomic>
#include <random>

// Every lstat of the process passes here first, so the benchmark can count file-status calls.
namespace {
std::atomic<long> file_status_calls{0};
}
extern "C" int lstat(const char* path, struct stat* status)
{
    using Lstat = int (*)(const char*, struct stat*);
    static const auto real = reinterpret_cast<Lstat>(dlsym(RTLD_NEXT, "lstat"));
    ++file_status_calls;
    return real(path, status);
}

namespace {

// n persons, 90% with a birthday.
std::vector<ab::Person> makePersons(int n)
{
    std::mt19937 random(20090310);
    std::vector<ab::Person> persons(n);
    for (ab::Person& p : persons) {
        p.first_name = "Person";
        if (random() % 4 != 0)
            p.last_name = "Surname";
        if (random() % 10 != 0) {
            const int month = 1 + static_cast<int>(random() % 12);
            const int day = 1 + static_cast<int>(random() % (month == 2 ? 29 : 30));
            const int year =
                month == 2 && day == 29 ? 1980 : 1930 + static_cast<int>(random() % 80);
            p.birthday = ab::CivilDate{year, month, day};
        }
    }
    return persons;
}

// The device's address book, counting its reads.
class CountingAddressBook final : public ab::DeviceAddressBook {
public:
    bool visitAllPeople(ab::PersonVisitor& visitor) const override
    {
        ++reads;
        return ab::DeviceAddressBook::visitAllPeople(visitor);
    }
    mutable long reads = 0;
};

void quiet_sinks()
{
    auto& env = agent::environment();
    env.setBadge = [](const char*, const char*) {};
    env.showAlert = [](const char*, const char*, const char*, const std::vector<std::string>&) {};
}

void BM_WatchTickWithoutChange(benchmark::State& state)
{
    useDeviceWith(1000, makePersons);
    quiet_sinks();
    CountingAddressBook book;
    agent::environment().addressBook = &book;
    bBadge = 1;
    iStandby = 0;
    birthdaysActivate2(); // the first tick always counts
    const long reads_before = book.reads;
    const long status_before = file_status_calls;
    for (auto _ : state)
        birthdaysActivate2();
    const auto ticks = static_cast<double>(state.iterations());
    state.counters["file_status_per_tick"] =
        static_cast<double>(file_status_calls - status_before) / ticks;
    state.counters["address_book_reads_per_tick"] =
        static_cast<double>(book.reads - reads_before) / ticks;
}
BENCHMARK(BM_WatchTickWithoutChange)->Unit(benchmark::kMicrosecond);

void BM_BareScan(benchmark::State& state)
{
    useDeviceWith(static_cast<int>(state.range(0)), makePersons);
    runBareSqliteScan(state);
}
BENCHMARK(BM_BareScan)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SearchNivers(benchmark::State& state)
{
    useDeviceWith(static_cast<int>(state.range(0)), makePersons);
    quiet_sinks();
    ab::DeviceAddressBook book;
    agent::environment().addressBook = &book;
    bBadge = 1;
    for (auto _ : state)
        SearchNivers();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SearchNivers)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
