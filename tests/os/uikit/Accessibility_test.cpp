// The screen's widget is made by the application's start; this test makes it itself.
#include "Screen.h"
#include "uikit/Automation.h"
#include "uikit/UIAlertView.h"
#include "uikit/UIButton.h"
#include "uikit/UIDatePicker.h"
#include "uikit/UILabel.h"
#include "uikit/UIScreen.h"
#include "uikit/UISwitch.h"
#include "uikit/UITabBar.h"
#include "uikit/UITableView.h"
#include "uikit/UITextField.h"
#include "uikit/UIWindow.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

namespace {

std::shared_ptr<UILabel> label(std::string text, CGRect frame,
                               UITextAlignment alignment = UITextAlignmentLeft)
{
    auto view = std::make_shared<UILabel>(frame);
    view->setText(std::move(text));
    view->setTextAlignment(alignment);
    return view;
}

// A thousand rows; the first gives a birthday in two columns, the second a switch.
class Rows : public UITableViewDataSource {
public:
    int numberOfSectionsInTableView(UITableView*) override { return 1; }
    int tableView_numberOfRowsInSection(UITableView*, int) override { return 1000; }
    std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(
        UITableView*, const NSIndexPath& indexPath) override
    {
        auto cell = std::make_shared<UITableViewCell>(CGRectZero, std::string());
        UIView& content = *cell->contentView();
        if (indexPath.row() == 0) {
            // Added out of reading order, the right column first.
            content.addSubview(label("Today", CGRectMake(150, 4, 160, 18), UITextAlignmentRight));
            content.addSubview(label("December 9", CGRectMake(10, 24, 120, 18)));
            content.addSubview(label("Ana Lima", CGRectMake(10, 4, 200, 18)));
        } else if (indexPath.row() == 1) {
            content.addSubview(label("Sound", CGRectMake(10, 10, 100, 20)));
            auto sound = std::make_shared<UISwitch>(CGRectMake(200, 8, 0, 0));
            sound->setOn(true);
            content.addSubview(sound);
        } else {
            cell->setText("Row " + std::to_string(indexPath.row()));
        }
        return cell;
    }
};

QAccessibleInterface* find(QAccessibleInterface* iface,
                           const std::function<bool(QAccessibleInterface*)>& match)
{
    if (match(iface))
        return iface;
    for (int i = 0; i < iface->childCount(); ++i)
        if (QAccessibleInterface* found = find(iface->child(i), match))
            return found;
    return nullptr;
}

int count(QAccessibleInterface* iface, QAccessible::Role role)
{
    int found = iface->role() == role;
    for (int i = 0; i < iface->childCount(); ++i)
        found += count(iface->child(i), role);
    return found;
}

TEST(Accessibility, EachViewShownIsAnObjectWithItsRoleNameValueAndState)
{
    uikit::Screen::shared().show();
    QWidget* screen = QApplication::topLevelWidgets().value(0);
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->size() == QSize(320, 480))
            screen = widget;
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(screen);
    ASSERT_TRUE(root);

    auto window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    window->addSubview(label("Birthdays", CGRectMake(10, 20, 200, 20)));
    auto hidden = label("Secret", CGRectMake(10, 40, 200, 20));
    hidden->setHidden(true);
    window->addSubview(hidden);
    auto save = std::make_shared<UIButton>(CGRectMake(220, 20, 90, 30), UIButtonTypeRoundedRect);
    save->setTitle_forState("Save", UIControlStateNormal);
    save->setEnabled(false);
    window->addSubview(save);
    auto info = UIButton::buttonWithType(UIButtonTypeInfoLight);
    info->setFrame(CGRectMake(290, 60, 18, 19));
    window->addSubview(info);
    auto name = std::make_shared<UITextField>(CGRectMake(10, 60, 270, 30));
    name->setPlaceholder("First name");
    name->setText("Ana");
    window->addSubview(name);
    name->becomeFirstResponder();
    Rows rows;
    auto table = std::make_shared<UITableView>(CGRectMake(0, 100, 320, 280), UITableViewStylePlain);
    table->setDataSource(&rows);
    window->addSubview(table);
    auto tabs = std::make_shared<UITabBar>(CGRectMake(0, 431, 320, 49));
    std::vector<std::shared_ptr<UITabBarItem>> items = {
        std::make_shared<UITabBarItem>("Next", nullptr, 0),
        std::make_shared<UITabBarItem>("Settings", nullptr, 1)};
    tabs->setItems(items);
    tabs->setSelectedItem(items[1].get());
    window->addSubview(tabs);
    window->makeKeyAndVisible();
    uikit::runPendingWork();

    struct Expected {
        QAccessible::Role role;
        QString name, value;
        bool checked, selected, focused, disabled;
    };
    const Expected objects[] = {
        {QAccessible::StaticText, "Birthdays", "", false, false, false, false},
        {QAccessible::Button, "Save", "", false, false, false, true},
        {QAccessible::Button, "Info", "", false, false, false, false},
        {QAccessible::EditableText, "First name", "Ana", false, false, true, false},
        {QAccessible::ListItem, "Ana Lima, December 9, Today", "", false, false, false, false},
        {QAccessible::CheckBox, "Sound", "", true, false, false, false},
        {QAccessible::PageTab, "Next", "", false, false, false, false},
        {QAccessible::PageTab, "Settings", "", false, true, false, false},
    };
    for (const Expected& expected : objects) {
        SCOPED_TRACE(expected.name.toStdString());
        QAccessibleInterface* object = find(root, [&](QAccessibleInterface* candidate) {
            return candidate->role() == expected.role &&
                   candidate->text(QAccessible::Name) == expected.name;
        });
        ASSERT_TRUE(object);
        EXPECT_EQ(object->text(QAccessible::Value), expected.value);
        const QAccessible::State state = object->state();
        EXPECT_EQ(bool(state.checked), expected.checked);
        EXPECT_EQ(bool(state.selected), expected.selected);
        EXPECT_EQ(bool(state.focused), expected.focused);
        EXPECT_EQ(bool(state.disabled), expected.disabled);
        EXPECT_FALSE(state.invisible);
        // The same object every time it is asked for, with its place on the screen.
        EXPECT_EQ(object->parent()->child(object->parent()->indexOfChild(object)), object);
        EXPECT_TRUE(root->rect().contains(object->rect()));
    }
    EXPECT_FALSE(find(root, [](QAccessibleInterface* candidate) {
        return candidate->text(QAccessible::Name) == "Secret";
    }));
    // Only the rows on screen: 280 points of 44-point rows.
    EXPECT_EQ(count(root, QAccessible::ListItem), 7);
    EXPECT_EQ(root->text(QAccessible::Name), screen->windowTitle());

    // A screen reader's actions do what a finger does.
    QAccessibleInterface* sound = find(root, [](QAccessibleInterface* candidate) {
        return candidate->role() == QAccessible::CheckBox;
    });
    sound->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QAccessibleInterface* next = find(root, [](QAccessibleInterface* candidate) {
        return candidate->text(QAccessible::Name) == "Next";
    });
    next->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    uikit::runPendingWork();
    EXPECT_FALSE(sound->state().checked);
    EXPECT_TRUE(next->state().selected);

    // An alert is a dialog of the window, with its message and its buttons.
    auto alert = std::make_shared<UIAlertView>("Birthday", "Ana Lima turns 34", nullptr, "OK");
    alert->show();
    uikit::runPendingWork();
    QAccessibleInterface* dialog = find(root, [](QAccessibleInterface* candidate) {
        return candidate->role() == QAccessible::AlertMessage;
    });
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->parent(), root);
    EXPECT_EQ(dialog->text(QAccessible::Name), "Birthday");
    EXPECT_EQ(dialog->text(QAccessible::Description), "Ana Lima turns 34");
    EXPECT_TRUE(find(dialog, [](QAccessibleInterface* candidate) {
        return candidate->role() == QAccessible::Button &&
               candidate->text(QAccessible::Name) == "OK";
    }));
    alert->dismissWithClickedButtonIndex_animated(0, false);
    name->resignFirstResponder();

    // A picker's wheels are parts of it, named by its delegate and valued by their rows; the
    // reader turns them as a finger does, so the picker hears it.
    auto time = std::make_shared<UIDatePicker>(CGRectMake(0, 200, 320, 216));
    window->addSubview(time);
    uikit::runPendingWork();
    const int hour = time->hour();
    QAccessibleInterface* hours = nullptr;
    for (const auto& [wheel, shown] :
         {std::pair{"Hours", hour}, std::pair{"Minutes", time->minute()}}) {
        QAccessibleInterface* found = find(root, [&](QAccessibleInterface* candidate) {
            return candidate->role() == QAccessible::SpinBox &&
                   candidate->text(QAccessible::Name) == wheel;
        });
        ASSERT_TRUE(found) << wheel;
        EXPECT_EQ(found->text(QAccessible::Value), QString::number(shown)) << wheel;
        hours = hours ? hours : found;
    }
    hours->actionInterface()->doAction(hour < 23 ? QAccessibleActionInterface::increaseAction()
                                                 : QAccessibleActionInterface::decreaseAction());
    uikit::runPendingWork();
    EXPECT_EQ(time->hour(), hour < 23 ? hour + 1 : hour - 1);
}

} // namespace
