#include "uikit/Automation.h"
#include "uikit/UIButton.h"
#include "uikit/UINavigationController.h"
#include "uikit/UIScreen.h"
#include "uikit/UIWindow.h"
#include "uikit/ViewDump.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Records its life: view loading and appearances.
class Screen : public UIViewController {
public:
    explicit Screen(std::string name, std::vector<std::string>& log)
        : name_(std::move(name)), log_(log)
    {
    }
    void viewDidLoad() override
    {
        log_.push_back(name_ +
                       " loaded, in navigation: " + (navigationController() ? "yes" : "no"));
        setTitle(name_);
    }
    void viewWillAppear(bool) override { log_.push_back(name_ + " will appear"); }
    void viewWillDisappear(bool) override { log_.push_back(name_ + " will disappear"); }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

struct Navigation : testing::Test {
    void SetUp() override
    {
        root = std::make_shared<Screen>("Birthdays", log);
        navigation = std::make_shared<UINavigationController>(root);
        window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
        window->addSubview(navigation->view());
        window->makeKeyAndVisible();
        uikit::runPendingWork();
    }

    std::vector<std::string> log;
    std::shared_ptr<Screen> root;
    std::shared_ptr<UINavigationController> navigation;
    std::shared_ptr<UIWindow> window;
};

TEST_F(Navigation, TheTopViewFillsTheAreaBelowTheBars)
{
    EXPECT_EQ(navigation->view()->screenFrame(), CGRectMake(0, 20, 320, 460));
    EXPECT_EQ(navigation->navigationBar()->screenFrame(), CGRectMake(0, 20, 320, 44));
    EXPECT_EQ(root->view()->frame(), CGRectMake(0, 44, 320, 416));
    EXPECT_EQ(root->view()->screenFrame(), CGRectMake(0, 64, 320, 416));
    EXPECT_EQ(navigation->navigationBar()->topItem()->title(), "Birthdays");
    EXPECT_EQ(log, (std::vector<std::string>{"Birthdays loaded, in navigation: yes",
                                             "Birthdays will appear"}));
}

TEST_F(Navigation, PushShowsTheNewControllerWithABackButtonAndPopReturns)
{
    std::weak_ptr<UIViewController> pushed;
    {
        auto person = std::make_shared<Screen>("Person", log);
        pushed = person;
        navigation->pushViewController_animated(person, true);
    }
    EXPECT_EQ(navigation->topViewController(), pushed.lock().get());
    EXPECT_EQ(pushed.lock()->view()->screenFrame(), CGRectMake(0, 64, 320, 416));
    EXPECT_EQ(root->view()->superview(), nullptr);
    EXPECT_EQ(navigation->navigationBar()->backItem()->title(), "Birthdays");

    ASSERT_TRUE(uikit::tap("Birthdays")) << "the back button shows the title below";
    EXPECT_EQ(navigation->topViewController(), root.get());
    EXPECT_EQ(root->view()->superview(), navigation->view().get());
    EXPECT_TRUE(pushed.expired()) << "the popped controller is released after the tap";
    EXPECT_EQ(log.back(), "Birthdays will appear");
    EXPECT_EQ(navigation->popViewControllerAnimated(true), nullptr) << "the root stays";
}

TEST_F(Navigation, ItsOwnLeftButtonReplacesTheBackButton)
{
    auto person = std::make_shared<Screen>("Person", log);
    int backs = 0;
    person->navigationItem()->setLeftBarButtonItem(
        std::make_shared<UIBarButtonItem>("Back", UIBarButtonItemStylePlain, [&](UIBarButtonItem*) {
            ++backs;
            navigation->popViewControllerAnimated(true);
        }));
    navigation->pushViewController_animated(person, true);
    EXPECT_FALSE(uikit::tap("Birthdays"));
    ASSERT_TRUE(uikit::tap("Back"));
    EXPECT_EQ(backs, 1);
    EXPECT_EQ(navigation->viewControllers().size(), 1u);
}

TEST_F(Navigation, AModalControllerCoversTheScreenUntilItDismissesItself)
{
    std::weak_ptr<UIViewController> presented;
    {
        auto settings = std::make_shared<Screen>("Settings", log);
        auto carrier = std::make_shared<UINavigationController>(settings);
        presented = carrier;
        settings->navigationItem()->setLeftBarButtonItem(std::make_shared<UIBarButtonItem>(
            "Save", UIBarButtonItemStyleDone, [s = settings.get()](UIBarButtonItem*) {
                s->dismissModalViewControllerAnimated(true);
            }));
        root->presentModalViewController_animated(carrier, true);
        carrier->navigationBar()->setBarStyle(UIBarStyleBlackOpaque);
        EXPECT_EQ(settings->navigationController(), carrier.get());
        EXPECT_EQ(carrier->parentViewController(), navigation.get());
        EXPECT_EQ(navigation->modalViewController(), carrier.get());
        EXPECT_EQ(carrier->view()->screenFrame(), CGRectMake(0, 20, 320, 460));
        EXPECT_EQ(settings->view()->screenFrame(), CGRectMake(0, 64, 320, 416));
    }
    EXPECT_EQ(navigation->view()->superview(), nullptr) << "the covered screen leaves the window";
    EXPECT_FALSE(uikit::tap("Birthdays"));

    ASSERT_TRUE(uikit::tap("Save"));
    EXPECT_EQ(navigation->modalViewController(), nullptr);
    EXPECT_EQ(navigation->view()->superview(), window.get());
    EXPECT_TRUE(presented.expired());
    EXPECT_EQ(log, (std::vector<std::string>{"Birthdays loaded, in navigation: yes",
                                             "Birthdays will appear",
                                             "Settings loaded, in navigation: yes",
                                             "Birthdays will disappear", "Settings will appear",
                                             "Settings will disappear", "Birthdays will appear"}));
}

TEST_F(Navigation, TheBarShowsACustomViewAsItIs)
{
    auto info = UIButton::buttonWithType(UIButtonTypeInfoLight);
    int taps = 0;
    info->addTarget_action_forControlEvents([&](UIControl*) { ++taps; },
                                            UIControlEventTouchUpInside);
    root->navigationItem()->setRightBarButtonItem(std::make_shared<UIBarButtonItem>(info));
    uikit::runPendingWork();
    EXPECT_EQ(info->superview(), navigation->navigationBar());
    EXPECT_EQ(info->frame().size, CGSizeMake(18, 19));
    EXPECT_GT(info->screenFrame().origin.x, 280);
    const CGRect shown = info->screenFrame();
    uikit::tapAt({CGRectGetMidX(shown), CGRectGetMidY(shown)});
    EXPECT_EQ(taps, 1);
}

} // namespace
