// The list engine at address-book sizes up to 100,000 persons: the import beside a bare SQLite
// scan of the same rows, both in a warm loop and as the first one in a fresh process, each of
// the three list builds, and the values of one row. The program runs with the allocator as the
// application has it, untuned.
#include "BareSqliteScan.h"
#include "BenchDevice.h"
#include "addressbook/DeviceAddressBook.h"
#include "addressbook/InMemoryAddressBook.h"
#include "engine/BirthdayList.h"
#include "platform/DateServices.h"
#include "platform/ScopedTimeZone.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <random>
#include <string>

namespace {

const char* const kFirstNames[] = {"Ana",    "bruno",    "Carla",   "Davi",  "\xC3\x89rica",
                                   "Fábio",  "Gabriela", "Heitor",  "Íris",  "João",
                                   "karina", "Luís",     "Mariana", "Nuno",  "Otávio",
                                   "Paula",  "Quitéria", "Rafael",  "Sofia", "Tiago",
                                   "Úrsula", "Vitor",    "Wagner",  "Yara",  "Zé"};
const char* const kLastNames[] = {
    "Silva", "Santos", "Oliveira", "Souza",   "Rodrigues", "Ferreira", "Alves", "Pereira", "Lima",
    "Gomes", "Costa",  "Ribeiro",  "Martins", "Carvalho",  "Almeida",  "Lopes", "Soares"};

// n persons: 90% with a birthday, 10% with a photo, names from the lists above.
std::vector<ab::Person> makePersons(int n)
{
    std::mt19937 random(20090310);
    std::vector<ab::Person> persons(n);
    for (ab::Person& p : persons) {
        p.first_name = kFirstNames[random() % std::size(kFirstNames)];
        if (random() % 8 != 0)
            p.last_name = kLastNames[random() % std::size(kLastNames)];
        if (random() % 10 != 0) {
            const int month = 1 + static_cast<int>(random() % 12);
            const int day = 1 + static_cast<int>(random() % (month == 2 ? 29 : 30));
            const int year =
                month == 2 && day == 29 ? 1980 : 1930 + static_cast<int>(random() % 80);
            p.birthday = ab::CivilDate{year, month, day};
        }
        if (random() % 10 == 0)
            p.image_data.assign(4096, static_cast<uint8_t>(random()));
    }
    return persons;
}

constexpr platform::DateParts kToday{2009, 3, 10};

void setTimeZone() { static platform::ScopedTimeZone zone("America/Sao_Paulo"); }

// The import's two log lines per run would flood the output.
struct QuietStderr {
    int saved = ::dup(2);
    QuietStderr()
    {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 2);
        ::close(null);
    }
    ~QuietStderr()
    {
        ::dup2(saved, 2);
        ::close(saved);
    }
};

void BM_BareSqliteScan(benchmark::State& state)
{
    useDeviceWith(static_cast<int>(state.range(0)), makePersons);
    runBareSqliteScan(state);
}

void BM_PopulateAddressBook(benchmark::State& state)
{
    useDeviceWith(static_cast<int>(state.range(0)), makePersons);
    setTimeZone();
    const ab::DeviceAddressBook book;
    QuietStderr quiet;
    size_t recordBytes = 0;
    {
        engine::BirthdayList list(book);
        const size_t before = mallinfo2().uordblks;
        list.PopulateAddressBook(kToday);
        recordBytes = mallinfo2().uordblks - before;
        for (auto _ : state) {
            list.PopulateAddressBook(kToday);
            benchmark::DoNotOptimize(list.listArray().data());
        }
        state.counters["records"] = static_cast<double>(list.listArray().size());
    }
    state.counters["records_MB"] = static_cast<double>(recordBytes) / 1e6;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The address book's own list of all persons, the part of the import spent in the store.
void BM_AllPeopleFromTheStore(benchmark::State& state)
{
    useDeviceWith(static_cast<int>(state.range(0)), makePersons);
    const ab::DeviceAddressBook book;
    for (auto _ : state)
        benchmark::DoNotOptimize(book.copyArrayOfAllPeople());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The first run in a fresh process, as the application meets it: this program started again
// with `--first-run import`, `--first-run scan` (the plain scan) or `--first-run store-scan`
// (the scan over a connection set up as the store sets up its own) on the benchmark's device.
// It times the one run alone, after what the application does before it (the date set, the
// list made), and prints its nanoseconds of wall time and of the thread's processor time; the
// second is reported too, since it varies less while other programs share the processor.
constexpr const char* kFirstRunFlag = "--first-run";

long long threadCpuNanoseconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

int firstRun(const std::string& what)
{
    setTimeZone();
    const ab::DeviceAddressBook book;
    QuietStderr quiet;
    engine::BirthdayList list(book);
    const auto start = std::chrono::steady_clock::now();
    const long long startCpu = threadCpuNanoseconds();
    if (what == "import")
        list.PopulateAddressBook(kToday);
    else if (what == "scan")
        benchmark::DoNotOptimize(scanPersonRows(ScanConnection::Plain));
    else if (what == "store-scan")
        benchmark::DoNotOptimize(scanPersonRows(ScanConnection::AsTheStore));
    else
        return 2;
    const long long cpu = threadCpuNanoseconds() - startCpu;
    const auto took = std::chrono::steady_clock::now() - start;
    std::printf("%lld %lld\n", static_cast<long long>(std::chrono::nanoseconds(took).count()), cpu);
    return 0;
}

struct FirstRunTimes {
    double wall = -1, cpu = -1; // seconds; negative when the run failed
};

// Starts this program for one first run and reads its times.
FirstRunTimes timeFirstRunInAFreshProcess(const char* what)
{
    int out[2];
    if (::pipe(out) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char self[] = "/proc/self/exe";
    char flag[32], arg[16];
    std::snprintf(flag, sizeof flag, "%s", kFirstRunFlag);
    std::snprintf(arg, sizeof arg, "%s", what);
    char* argv[] = {self, flag, arg, nullptr};
    pid_t child = -1;
    const int spawned = posix_spawn(&child, self, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    std::string text;
    char buffer[64];
    for (ssize_t got; (got = ::read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, size_t(got));
    ::close(out[0]);
    int status = 0;
    if (spawned != 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return {};
    long long wall = -1, cpu = -1;
    if (std::sscanf(text.c_str(), "%lld %lld", &wall, &cpu) != 2)
        return {};
    return {static_cast<double>(wall) / 1e9, static_cast<double>(cpu) / 1e9};
}

void runFirstRuns(benchmark::State& state, const char* what)
{
    useDeviceWith(static_cast<int>(state.range(0)), makePersons);
    double cpu = 0;
    for (auto _ : state) {
        const FirstRunTimes times = timeFirstRunInAFreshProcess(what);
        if (times.wall < 0) {
            state.SkipWithError("the fresh process failed");
            break;
        }
        state.SetIterationTime(times.wall);
        cpu += times.cpu;
    }
    state.counters["cpu_ms"] = benchmark::Counter(cpu * 1e3, benchmark::Counter::kAvgIterations);
}

void BM_FirstScanInAFreshProcess(benchmark::State& state) { runFirstRuns(state, "scan"); }
void BM_FirstStoreScanInAFreshProcess(benchmark::State& state)
{
    runFirstRuns(state, "store-scan");
}
void BM_FirstImportInAFreshProcess(benchmark::State& state) { runFirstRuns(state, "import"); }

// Side by side per size, so each store is filled once.
BENCHMARK(BM_BareSqliteScan)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PopulateAddressBook)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareSqliteScan)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PopulateAddressBook)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareSqliteScan)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PopulateAddressBook)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllPeopleFromTheStore)->Arg(100000)->Unit(benchmark::kMillisecond);
// Side by side, so the store is filled once: the ratio of the two is the first import's cost.
BENCHMARK(BM_FirstScanInAFreshProcess)
    ->Arg(100000)
    ->UseManualTime()
    ->Iterations(15)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstStoreScanInAFreshProcess)
    ->Arg(100000)
    ->UseManualTime()
    ->Iterations(15)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstImportInAFreshProcess)
    ->Arg(100000)
    ->UseManualTime()
    ->Iterations(15)
    ->Unit(benchmark::kMillisecond);

// 100,000 records in memory, each build measured after the other kind of build, as when the
// user switches tabs.
struct Records {
    ab::InMemoryAddressBook book;
    std::unique_ptr<engine::BirthdayList> list;
    Records()
    {
        setTimeZone();
        for (ab::Person& p : makePersons(111'112)) // 90% of them: 100,000 records
            book.save(p);
        list = std::make_unique<engine::BirthdayList>(book);
        QuietStderr quiet;
        list->PopulateAddressBook(kToday);
    }
};

engine::BirthdayList& records()
{
    static Records instance;
    return *instance.list;
}

void BM_PopulateSection_byDate(benchmark::State& state)
{
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

void BM_PopulateSection_byName(benchmark::State& state)
{
    engine::BirthdayList& list = records();
    for (auto _ : state) {
        state.PauseTiming();
        list.PopulateSection_byDate(false);
        state.ResumeTiming();
        list.PopulateSection_byName();
    }
    state.counters["sections"] = static_cast<double>(list.dataArraySection().size());
}

BENCHMARK(BM_PopulateSection_byDate)
    ->ArgName("comingOnly")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PopulateSection_byName)->Unit(benchmark::kMillisecond);

void BM_RowValues(benchmark::State& state)
{
    engine::BirthdayList& list = records();
    const auto& all = list.listArray();
    size_t i = 0;
    for (auto _ : state) {
        engine::RowValues row = list.rowValues(*all[i], {});
        benchmark::DoNotOptimize(row);
        i = (i + 7919) % all.size();
    }
}
BENCHMARK(BM_RowValues);

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], kFirstRunFlag) == 0)
        return firstRun(argv[2]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
