#pragma once
// A controller whose view is a table of which it is the data source and the delegate.
#include "uikit/UITableView.h"
#include "uikit/UIViewController.h"

class UITableViewController : public UIViewController,
                              public UITableViewDataSource,
                              public UITableViewDelegate {
public:
    // initWithStyle:
    explicit UITableViewController(UITableViewStyle style = UITableViewStylePlain);

    // The table made by loadView (or set); nullptr before the view is loaded.
    UITableView* tableView() const { return tableView_.get(); }
    void setTableView(std::shared_ptr<UITableView> tableView);

    // A table with the screen's application frame becomes the view.
    void loadView() override;

private:
    UITableViewStyle style_;
    std::shared_ptr<UITableView> tableView_;
};
