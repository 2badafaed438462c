#pragma once
// What a navigation bar shows for one controller: a title and the left and right buttons.
#include "uikit/UIBarButtonItem.h"

#include <memory>
#include <string>

class UINavigationBar;

class UINavigationItem {
public:
    explicit UINavigationItem(std::string title = {});

    const std::string& title() const { return title_; }
    void setTitle(std::string title);
    // The button that goes back to this item from the next one; none shows this item's title.
    const std::shared_ptr<UIBarButtonItem>& backBarButtonItem() const { return backBarButtonItem_; }
    void setBackBarButtonItem(std::shared_ptr<UIBarButtonItem> item);
    // None shows a back button when there is an item below this one.
    const std::shared_ptr<UIBarButtonItem>& leftBarButtonItem() const { return leftBarButtonItem_; }
    void setLeftBarButtonItem(std::shared_ptr<UIBarButtonItem> item);
    const std::shared_ptr<UIBarButtonItem>& rightBarButtonItem() const
    {
        return rightBarButtonItem_;
    }
    void setRightBarButtonItem(std::shared_ptr<UIBarButtonItem> item);
    bool hidesBackButton() const { return hidesBackButton_; }
    void setHidesBackButton(bool hides);

    // The bar showing this item, told of every change; set by the bar.
    void setNavigationBar(UINavigationBar* bar) { bar_ = bar; }

private:
    void changed();

    std::string title_;
    std::shared_ptr<UIBarButtonItem> backBarButtonItem_;
    std::shared_ptr<UIBarButtonItem> leftBarButtonItem_;
    std::shared_ptr<UIBarButtonItem> rightBarButtonItem_;
    bool hidesBackButton_ = false;
    UINavigationBar* bar_ = nullptr;
};
