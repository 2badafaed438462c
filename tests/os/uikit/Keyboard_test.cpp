#include "uikit/Automation.h"
#include "uikit/KeyboardFocus.h"
#include "uikit/UIAlertView.h"
#include "uikit/UIButton.h"
#include "uikit/UIPickerView.h"
#include "uikit/UIScreen.h"
#include "uikit/UISwitch.h"
#include "uikit/UITableView.h"
#include "uikit/UIWindow.h"

#include <TempDevice.h>
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// A button and a switch side by side, a table of ten rows, a picker of two wheels; what each
// was told, in one line.
class SmallScreen : public UITableViewDataSource,
                    public UITableViewDelegate,
                    public UIPickerViewDataSource,
                    public UIPickerViewDelegate,
                    public UIAlertViewDelegate {
public:
    SmallScreen()
    {
        window->setBackgroundColor(UIColor::whiteColor());
        button->setFrame(CGRectMake(20, 30, 100, 30));
        button->setTitle_forState("Go", UIControlStateNormal);
        button->addTarget_action_forControlEvents([this](UIControl*) { ++taps; },
                                                  UIControlEventTouchUpInside);
        table->setDataSource(this);
        table->setDelegate(this);
        picker->setDataSource(this);
        picker->setDelegate(this);
        for (UIView* view :
             std::vector<UIView*>{button.get(), toggle.get(), table.get(), picker.get()})
            window->addSubview(view->shared_from_this());
        window->makeKeyAndVisible();
        uikit::setFocusObserver([this](UIView& view) { announced = name(&view); });
        uikit::runPendingWork();
    }
    ~SmallScreen() override
    {
        uikit::setFocusObserver(nullptr);
        uikit::tapAt({300, 70}); // no focus left behind for the next test
    }

    int tableView_numberOfRowsInSection(UITableView*, int) override { return 10; }
    std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(
        UITableView*, const NSIndexPath& indexPath) override
    {
        auto cell = std::make_shared<UITableViewCell>(CGRectZero, "row");
        cell->setText("Row " + std::to_string(indexPath.row()));
        return cell;
    }
    void tableView_didSelectRowAtIndexPath(UITableView*, const NSIndexPath& indexPath) override
    {
        chosenRow = indexPath.row();
    }
    int numberOfComponentsInPickerView(UIPickerView*) override { return 2; }
    int pickerView_numberOfRowsInComponent(UIPickerView*, int) override { return 10; }
    void pickerView_didSelectRow_inComponent(UIPickerView*, int row, int component) override
    {
        turned = std::to_string(component) + ":" + std::to_string(row);
    }
    void alertView_clickedButtonAtIndex(UIAlertView*, int index) override { clicked = index; }

    std::string name(const UIView* view) const
    {
        const std::map<const UIView*, std::string> names = {{button.get(), "button"},
                                                            {toggle.get(), "switch"},
                                                            {table.get(), "table"},
                                                            {picker.get(), "picker"},
                                                            {nullptr, "none"}};
        const auto found = names.find(view);
        return found == names.end() ? "other" : found->second;
    }
    std::string state() const
    {
        const auto row = table->indexPathForFocusedRow();
        return "taps " + std::to_string(taps) + ", on " + std::to_string(toggle->isOn()) +
               ", row " + (row ? std::to_string(row->row()) : "-") + ", chosen " +
               std::to_string(chosenRow) + ", turned " + turned;
    }

    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    std::shared_ptr<UIButton> button = UIButton::buttonWithType(UIButtonTypeRoundedRect);
    std::shared_ptr<UISwitch> toggle = std::make_shared<UISwitch>(CGRectMake(200, 31, 0, 0));
    std::shared_ptr<UITableView> table =
        std::make_shared<UITableView>(CGRectMake(0, 80, 320, 176), UITableViewStylePlain);
    std::shared_ptr<UIPickerView> picker =
        std::make_shared<UIPickerView>(CGRect{{0, 264}, UIPickerView::standardSize});
    int taps = 0, chosenRow = -1, clicked = -1;
    std::string turned = "-", announced = "none";
};

// Pixels of the ring's blue in the rectangle grown by a few points.
int ringPixels(CGRect around)
{
    const auto file = std::filesystem::temp_directory_path() / "keyboard-ring.png";
    EXPECT_TRUE(uikit::saveScreenshot(file));
    const QImage shot(QString::fromStdString(file.string()));
    int count = 0;
    for (int y = int(around.origin.y) - 4; y < int(CGRectGetMaxY(around)) + 4; ++y)
        for (int x = int(around.origin.x) - 4; x < int(CGRectGetMaxX(around)) + 4; ++x) {
            const QColor c = shot.pixelColor(x, y);
            count += c.blue() > 200 && c.red() < 120 && c.green() > 110 && c.green() < 190;
        }
    return count;
}

TEST(Keyboard, TabWalksInReadingOrderAndWrapsAndEachViewTakesItsKeys)
{
    SmallScreen screen;
    EXPECT_EQ(screen.name(uikit::focusedView()), "none") << "no focus before the first key";
    EXPECT_EQ(ringPixels(screen.button->frame()), 0);

    struct Step {
        const char* key;
        const char* focused;
        const char* state;
    };
    const Step steps[] = {
        {"Tab", "button", "taps 0, on 0, row 0, chosen -1, turned -"},
        {"Return", "button", "taps 1, on 0, row 0, chosen -1, turned -"},
        {"Tab", "switch", "taps 1, on 0, row 0, chosen -1, turned -"},
        {"Space", "switch", "taps 1, on 1, row 0, chosen -1, turned -"},
        {"Tab", "table", "taps 1, on 1, row 0, chosen -1, turned -"},
        {"Down", "table", "taps 1, on 1, row 1, chosen -1, turned -"},
        {"Return", "table", "taps 1, on 1, row 1, chosen 1, turned -"},
        {"PgDown", "table", "taps 1, on 1, row 5, chosen 1, turned -"},
        {"End", "table", "taps 1, on 1, row 9, chosen 1, turned -"},
        {"Home", "table", "taps 1, on 1, row 0, chosen 1, turned -"},
        {"Tab", "picker", "taps 1, on 1, row 0, chosen 1, turned -"},
        {"Down", "picker", "taps 1, on 1, row 0, chosen 1, turned 0:1"},
        {"Right", "picker", "taps 1, on 1, row 0, chosen 1, turned 0:1"},
        {"End", "picker", "taps 1, on 1, row 0, chosen 1, turned 1:9"},
        {"Tab", "button", "taps 1, on 1, row 0, chosen 1, turned 1:9"},
        {"Shift+Tab", "picker", "taps 1, on 1, row 0, chosen 1, turned 1:9"},
        {"Escape", "picker", "taps 1, on 1, row 0, chosen 1, turned 1:9"},
    };
    for (const Step& step : steps) {
        ASSERT_TRUE(uikit::pressKey(step.key)) << step.key;
        uikit::runPendingWork();
        EXPECT_EQ(screen.name(uikit::focusedView()), step.focused) << "after " << step.key;
        EXPECT_EQ(screen.announced, step.focused) << "after " << step.key;
        EXPECT_EQ(screen.state(), step.state) << "after " << step.key;
    }
    EXPECT_FALSE(uikit::pressKey("Tabb"));
    EXPECT_EQ(screen.table->indexPathForSelectedRow(), NSIndexPath::indexPathForRow_inSection(1, 0))
        << "the arrows move the ring; Return selects, as a tap";

    // The table's ring follows its row into view; the dump says who has the focus.
    ASSERT_TRUE(uikit::pressKey("Shift+Tab"));
    ASSERT_TRUE(uikit::pressKey("End"));
    uikit::runPendingWork();
    ASSERT_TRUE(screen.table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(9, 0)));
    const auto dump = uikit::dumpView(*screen.table);
    EXPECT_TRUE(dump.find("focused"));
    EXPECT_FALSE(uikit::dumpView(*screen.button).find("focused"));

    // A touch takes the focus and its ring away.
    ASSERT_TRUE(uikit::pressKey("Shift+Tab"));
    ASSERT_TRUE(uikit::pressKey("Shift+Tab"));
    uikit::runPendingWork();
    EXPECT_GT(ringPixels(screen.button->frame()), 100);
    uikit::tapAt({300, 70});
    EXPECT_EQ(screen.name(uikit::focusedView()), "none");
    EXPECT_EQ(ringPixels(screen.button->frame()), 0);
}

TEST(Keyboard, TheWheelTurnsThePickerARowANotchAndEscapeTapsTheAlertsCancelButton)
{
    TempDevice device;
    SmallScreen screen;
    const CGPoint secondWheel{CGRectGetMidX(screen.picker->rectForComponent(1)), 100};
    EXPECT_TRUE(screen.picker->scrollByWheel(secondWheel, 0, 2 * UIPickerView::rowHeight));
    EXPECT_EQ(screen.turned, "1:2");
    EXPECT_TRUE(screen.picker->scrollByWheel(secondWheel, 0, UIPickerView::rowHeight / 2));
    EXPECT_EQ(screen.turned, "1:2") << "half a row does not turn it yet";
    EXPECT_TRUE(screen.picker->scrollByWheel(secondWheel, 0, -UIPickerView::rowHeight * 3 / 2));
    EXPECT_EQ(screen.turned, "1:1");

    ASSERT_TRUE(uikit::pressKey("Tab"));
    auto alert = std::make_shared<UIAlertView>("Title", "Message", &screen, "Cancel",
                                               std::vector<std::string>{"OK"});
    alert->show();
    uikit::runPendingWork();
    EXPECT_EQ(screen.name(uikit::focusedView()), "none") << "the alert is the frontmost layer";
    ASSERT_TRUE(uikit::pressKey("Ctrl+1")) << "there is no tab bar; nothing happens";
    ASSERT_TRUE(uikit::pressKey("Tab"));
    EXPECT_EQ(screen.name(uikit::focusedView()), "other");
    EXPECT_EQ(screen.announced, "other");
    ASSERT_TRUE(uikit::pressKey("Escape"));
    uikit::runPendingWork();
    EXPECT_EQ(screen.clicked, 0);
    EXPECT_FALSE(alert->isVisible());
    EXPECT_EQ(screen.name(uikit::focusedView()), "button") << "the focus comes back beneath";
}

} // namespace
