// The number sheet of a person with thousands of phone numbers, made the way the person
// screen's send button makes it: a button per number added one by one, "Cancel" drawn
// destructive, shown, laid out and drawn once, then chosen and let go. The time of one
// iteration is what a user waits for the sheet; "resident MB" is the process's size with the
// sheet on screen.
#include "uikit/Automation.h"
#include "uikit/UIActionSheet.h"
#include "uikit/UIImage.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <string>

namespace {

double residentMegabytes()
{
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void BM_OpenTheNumberSheet(benchmark::State& state)
{
    const auto numbers = int(state.range(0));
    double resident = 0;
    for (auto _ : state) {
        auto sheet =
            std::make_shared<UIActionSheet>("Select the Mobile Phone Number:", nullptr, "", "");
        for (int i = 0; i < numbers; ++i)
            sheet->addButtonWithTitle("+55 11 9" + std::to_string(10'000'000 + i));
        sheet->addButtonWithTitle("Cancel");
        sheet->setActionSheetStyle(UIActionSheetStyleBlackTranslucent);
        sheet->setDestructiveButtonIndex(numbers);
        sheet->showInView(nullptr);
        uikit::runPendingWork();
        benchmark::DoNotOptimize(uikit::screenshot());
        state.PauseTiming();
        resident = residentMegabytes();
        state.ResumeTiming();
        sheet->dismissWithClickedButtonIndex_animated(numbers, false);
        sheet.reset();
        uikit::runPendingWork();
    }
    state.counters["resident MB"] = resident;
}
BENCHMARK(BM_OpenTheNumberSheet)->Arg(100)->Arg(2'000)->Arg(10'000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
