#include "uikit/UINavigationItem.h"

#include "uikit/UINavigationBar.h"

UINavigationItem::UINavigationItem(std::string title) : title_(std::move(title)) {}

void UINavigationItem::changed()
{
    if (bar_)
        bar_->itemChanged();
}

void UINavigationItem::setTitle(std::string title)
{
    title_ = std::move(title);
    changed();
}

void UINavigationItem::setBackBarButtonItem(std::shared_ptr<UIBarButtonItem> item)
{
    backBarButtonItem_ = std::move(item);
    changed();
}

void UINavigationItem::setLeftBarButtonItem(std::shared_ptr<UIBarButtonItem> item)
{
    leftBarButtonItem_ = std::move(item);
    changed();
}

void UINavigationItem::setRightBarButtonItem(std::shared_ptr<UIBarButtonItem> item)
{
    rightBarButtonItem_ = std::move(item);
    changed();
}

void UINavigationItem::setHidesBackButton(bool hides)
{
    hidesBackButton_ = hides;
    changed();
}
