// The main screen over 100,000 persons, each with a photo: making and filling the cell of one
// row, one frame of scrolling by a row (layout, a recycled cell filled anew, the whole screen
// drawn), scrolling through 1,000 rows, and switching lists with the tab bar.
#include "RootViewController.h"
#include "TempDevice.h"
#include "addressbook/InMemoryAddressBook.h"
#include "foundation/Bundle.h"
#include "platform/DateServices.h"
#include "platform/ScopedTimeZone.h"
#include "uikit/UIKit.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

constexpr int kPersons = 100'000;
constexpr CGFloat kRowHeight = 68;

std::vector<uint8_t> photoBytes()
{
    UIGraphicsBeginImageContext({50, 62});
    UIGraphicsSetFillColor(UIColor::brownColor());
    UIRectFill({{0, 0}, {50, 62}});
    auto image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return UIImagePNGRepresentation(image);
}

// The application on screen: its window, the navigation controller and the main screen showing
// every birthday by date.
struct Screen {
    TempDevice device;
    platform::ScopedTimeZone zone{"America/Sao_Paulo"};
    std::shared_ptr<ab::InMemoryAddressBook> book = std::make_shared<ab::InMemoryAddressBook>();
    platform::FixedClock clock{platform::Calendar().dateFromParts(2009, 3, 10, 12)};
    std::shared_ptr<UIWindow> window;
    std::shared_ptr<UINavigationController> navigation;
    RootViewController* root = nullptr;

    Screen()
    {
        NSBundle::setMainBundlePath(TORTAMOS_APP_DIR);
        std::mt19937 random(20090310);
        const std::vector<uint8_t> photo = photoBytes();
        for (int i = 0; i < kPersons; ++i) {
            ab::Person p;
            p.first_name = "Person " + std::to_string(i);
            const int month = 1 + static_cast<int>(random() % 12);
            p.birthday = ab::CivilDate{1930 + static_cast<int>(random() % 80), month,
                                       1 + static_cast<int>(random() % 28)};
            p.image_data = photo;
            book->save(p);
        }
        window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
        auto controller = std::make_shared<RootViewController>(book, clock);
        root = controller.get();
        navigation = std::make_shared<UINavigationController>(controller);
        window->addSubview(navigation->view());
        window->makeKeyAndVisible();
        root->tabBar->userSelectedItem(root->tabBar->items()[1].get());
        uikit::runPendingWork();
    }

    UITableView& table() { return *root->myTableView; }

    // Scrolls down by one row, back to the top at the end of the list.
    void scrollOneRow()
    {
        CGPoint offset = table().contentOffset();
        offset.y += kRowHeight;
        if (offset.y + table().frame().size.height >= table().contentSize().height)
            offset.y = 0;
        table().setContentOffset(offset);
        table().layoutIfNeeded();
    }
};

Screen& screen()
{
    static Screen* shared = new Screen;
    return *shared;
}

void BM_MakeAndFillOneCell(benchmark::State& state)
{
    Screen& s = screen();
    int row = 0;
    for (auto _ : state) {
        const NSIndexPath path = NSIndexPath::indexPathForRow_inSection(row, 2);
        benchmark::DoNotOptimize(s.root->tableView_cellForRowAtIndexPath(&s.table(), path));
        row = (row + 1) % s.table().numberOfRowsInSection(2);
    }
}
BENCHMARK(BM_MakeAndFillOneCell);

void BM_ScrollOneRowAndDrawTheScreen(benchmark::State& state)
{
    Screen& s = screen();
    for (auto _ : state) {
        s.scrollOneRow();
        benchmark::DoNotOptimize(uikit::screenshot());
    }
}
BENCHMARK(BM_ScrollOneRowAndDrawTheScreen)->Unit(benchmark::kMillisecond);

void BM_ScrollThrough1000Rows(benchmark::State& state)
{
    Screen& s = screen();
    for (auto _ : state)
        for (int i = 0; i < 1000; ++i)
            s.scrollOneRow();
    state.counters["rows/s"] = benchmark::Counter(1000.0 * static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ScrollThrough1000Rows)->Unit(benchmark::kMillisecond);

// A tap on "All by Name" then "All by Date": two rebuilds from memory, two reloads, the rows
// in view filled.
void BM_SwitchTwoTabs(benchmark::State& state)
{
    Screen& s = screen();
    for (auto _ : state)
        for (int tab : {2, 1}) {
            s.root->tabBar->userSelectedItem(s.root->tabBar->items()[tab].get());
            s.table().layoutIfNeeded();
        }
}
BENCHMARK(BM_SwitchTwoTabs)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
