// A small application for the automation tests: a navigation bar with an "Alert" button, a
// table of two sections ("Fruit": 30 rows, "Trees": 3 rows) and a tab bar whose first item
// carries the badge "2". Tapping a row shows it in the title; the alert's buttons are "OK" and
// "Later". "Open" opens a file chooser for text files; the file chosen, or "Cancelled", becomes the
// title. The "Second" tab shows a text field with the placeholder "Name" over the list; what is
// typed there becomes the title. Its end is the journal line "test-app terminated".
#include "foundation/Journal.h"
#include "uikit/UIKit.h"

#include <memory>
#include <string>

namespace {

class ListController : public UIViewController,
                       public UITableViewDataSource,
                       public UITableViewDelegate,
                       public UITabBarDelegate,
                       public UIAlertViewDelegate {
public:
    void viewDidLoad() override
    {
        setTitle("Fruit list");
        navigationItem()->setRightBarButtonItem(std::make_shared<UIBarButtonItem>(
            "Alert", UIBarButtonItemStyleBordered, [this](UIBarButtonItem*) {
                auto alert = std::make_shared<UIAlertView>("Hello", "A test alert", this, "OK",
                                                           std::vector<std::string>{"Later"});
                alert->show();
            }));
        navigationItem()->setLeftBarButtonItem(std::make_shared<UIBarButtonItem>(
            "Open", UIBarButtonItemStyleBordered, [this](UIBarButtonItem*) {
                uikit::chooseFile("Open Text", {"Text files (*.txt)"},
                                  [this](std::optional<std::filesystem::path> file) {
                                      setTitle(file ? file->string() : "Cancelled");
                                  });
            }));
        auto content = std::make_shared<UIView>(UIScreen::mainScreen().applicationFrame());
        content->setBackgroundColor(UIColor::blackColor());
        table_ = std::make_shared<UITableView>(CGRectMake(0, 0, 320, 370), UITableViewStylePlain);
        table_->setDataSource(this);
        table_->setDelegate(this);
        content->addSubview(table_);
        tabBar_ = std::make_shared<UITabBar>();
        tabBar_->sizeToFit();
        tabBar_->setFrame(CGRectMake(0, 367, 320, tabBar_->frame().size.height));
        auto first = std::make_shared<UITabBarItem>("First", nullptr, 0);
        first->setBadgeValue("2");
        tabBar_->setItems({first, std::make_shared<UITabBarItem>("Second", nullptr, 1)});
        tabBar_->setSelectedItem(first.get());
        tabBar_->setDelegate(this);
        content->addSubview(tabBar_);
        setView(content);
    }

    int numberOfSectionsInTableView(UITableView*) override { return 2; }
    int tableView_numberOfRowsInSection(UITableView*, int section) override
    {
        return section == 0 ? 30 : 3;
    }
    std::string tableView_titleForHeaderInSection(UITableView*, int section) override
    {
        return section == 0 ? "Fruit" : "Trees";
    }
    std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(
        UITableView* table, const NSIndexPath& indexPath) override
    {
        auto cell = table->dequeueReusableCellWithIdentifier("row");
        if (!cell)
            cell = std::make_shared<UITableViewCell>(CGRectZero, "row");
        const char* kind = indexPath.section() == 0 ? "Fruit " : "Tree ";
        cell->setText(kind + std::to_string(indexPath.row()));
        return cell;
    }
    std::optional<UITableViewCellAccessoryType> tableView_accessoryTypeForRowWithIndexPath(
        UITableView*, const NSIndexPath&) override
    {
        return UITableViewCellAccessoryDisclosureIndicator;
    }
    void tableView_didSelectRowAtIndexPath(UITableView* table,
                                           const NSIndexPath& indexPath) override
    {
        setTitle(table->cellForRowAtIndexPath(indexPath)->text());
    }
    void tabBar_didSelectItem(UITabBar*, UITabBarItem* item) override
    {
        setTitle("Tab " + item->title());
        if (item->tag() != 1 || field_)
            return;
        field_ = std::make_shared<UITextField>(CGRectMake(10, 10, 300, 31));
        field_->setPlaceholder("Name");
        field_->addTarget_action_forControlEvents([this](UIControl*) { setTitle(field_->text()); },
                                                  UIControlEventEditingChanged);
        view()->addSubview(field_);
    }
    void alertView_clickedButtonAtIndex(UIAlertView*, int index) override
    {
        setTitle("Button " + std::to_string(index));
    }

private:
    std::shared_ptr<UITableView> table_;
    std::shared_ptr<UITabBar> tabBar_;
    std::shared_ptr<UITextField> field_;
};

class TestAppDelegate : public UIApplicationDelegate {
public:
    void applicationDidFinishLaunching(UIApplication*) override
    {
        window_ = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
        navigation_ = std::make_shared<UINavigationController>(std::make_shared<ListController>());
        window_->addSubview(navigation_->view());
        window_->makeKeyAndVisible();
    }
    void applicationWillTerminate(UIApplication*) override { os::journal("test-app terminated"); }

private:
    std::shared_ptr<UIWindow> window_;
    std::shared_ptr<UINavigationController> navigation_;
};

} // namespace

int main(int argc, char* argv[])
{
    return UIApplicationMain(argc, argv, [] { return std::make_unique<TestAppDelegate>(); });
}
