#include "uikit/UITableViewController.h"

#include "uikit/UIScreen.h"

UITableViewController::UITableViewController(UITableViewStyle style) : style_(style) {}

void UITableViewController::setTableView(std::shared_ptr<UITableView> tableView)
{
    tableView_ = std::move(tableView);
    setView(tableView_);
}

void UITableViewController::loadView()
{
    auto table = std::make_shared<UITableView>(UIScreen::mainScreen().applicationFrame(), style_);
    table->setDataSource(this);
    table->setDelegate(this);
    setTableView(std::move(table));
}
