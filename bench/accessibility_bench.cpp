// What a screen reader costs a screen: the accessible tree of a list of n rows of three labels
// under a tab bar, read from the screen's window through every object (role, name, state and
// place), as at-spi does when it walks the application. Each iteration scrolls the list to
// another row first, so the rows read are freshly made. Only the rows on screen are objects, so
// the time should not grow with n.
#include "Screen.h"
#include "uikit/Automation.h"
#include "uikit/UILabel.h"
#include "uikit/UIScreen.h"
#include "uikit/UITabBar.h"
#include "uikit/UITableView.h"
#include "uikit/UIWindow.h"

#include <benchmark/benchmark.h>

#include <QAccessible>
#include <QApplication>
#include <QWidget>
#include <memory>
#include <string>

namespace {

class Rows : public UITableViewDataSource {
public:
    explicit Rows(int count) : count_(count) {}
    int numberOfSectionsInTableView(UITableView*) override { return 1; }
    int tableView_numberOfRowsInSection(UITableView*, int) override { return count_; }
    std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(
        UITableView* table, const NSIndexPath& indexPath) override
    {
        auto cell = table->dequeueReusableCellWithIdentifier("row");
        if (!cell) {
            cell = std::make_shared<UITableViewCell>(CGRectZero, "row");
            for (int i = 0; i < 3; ++i)
                cell->contentView()->addSubview(
                    std::make_shared<UILabel>(CGRectMake(10 + 100 * CGFloat(i), 10, 90, 20)));
        }
        const auto& labels = cell->contentView()->subviews();
        const std::string row = std::to_string(indexPath.row());
        static_cast<UILabel&>(*labels[0]).setText("Person " + row);
        static_cast<UILabel&>(*labels[1]).setText("December " + row);
        static_cast<UILabel&>(*labels[2]).setText("Age: " + row);
        return cell;
    }

private:
    int count_;
};

int read(QAccessibleInterface* object)
{
    benchmark::DoNotOptimize(object->role());
    benchmark::DoNotOptimize(object->text(QAccessible::Name));
    benchmark::DoNotOptimize(object->state());
    benchmark::DoNotOptimize(object->rect());
    int objects = 1;
    for (int i = 0, count = object->childCount(); i < count; ++i)
        objects += read(object->child(i));
    return objects;
}

void BM_ReadTheAccessibleTreeOfAList(benchmark::State& state)
{
    const int count = int(state.range(0));
    uikit::Screen::shared().show();
    QWidget* screen = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->size() == QSize(320, 480))
            screen = widget;
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(screen);

    auto window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    Rows rows(count);
    auto table = std::make_shared<UITableView>(CGRectMake(0, 20, 320, 411), UITableViewStylePlain);
    table->setDataSource(&rows);
    window->addSubview(table);
    auto tabs = std::make_shared<UITabBar>(CGRectMake(0, 431, 320, 49));
    tabs->setItems({std::make_shared<UITabBarItem>("Next", nullptr, 0),
                    std::make_shared<UITabBarItem>("Settings", nullptr, 1)});
    window->addSubview(tabs);
    window->makeKeyAndVisible();
    uikit::runPendingWork();

    int objects = 0, row = 0;
    for (auto _ : state) {
        state.PauseTiming();
        row = (row + 997) % count;
        uikit::scrollTo(0, row);
        state.ResumeTiming();
        objects = read(root);
    }
    state.counters["objects"] = objects;
}
BENCHMARK(BM_ReadTheAccessibleTreeOfAList)->Arg(100)->Arg(100'000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
