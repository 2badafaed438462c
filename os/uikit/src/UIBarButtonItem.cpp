#include "uikit/UIBarButtonItem.h"

#include "foundation/DeviceText.h"

UIBarButtonItem::UIBarButtonItem(std::string title, UIBarButtonItemStyle style, Action action)
    : title_(std::move(title)), style_(style), action_(std::move(action))
{
}

UIBarButtonItem::UIBarButtonItem(std::shared_ptr<UIImage> image, UIBarButtonItemStyle style,
                                 Action action)
    : image_(std::move(image)), style_(style), action_(std::move(action))
{
}

UIBarButtonItem::UIBarButtonItem(UIBarButtonSystemItem systemItem, Action action)
    : title_("+"), style_(UIBarButtonItemStyleBordered), action_(std::move(action)),
      systemItem_(systemItem)
{
}

UIBarButtonItem::UIBarButtonItem(std::shared_ptr<UIView> customView)
    : customView_(std::move(customView))
{
}

void UIBarButtonItem::sendAction()
{
    if (!enabled_ || !action_)
        return;
    // A copy: the action may release this item.
    auto action = action_;
    action(this);
}

std::string UIBarButtonItem::accessibilityLabel() const
{
    if (!accessibilityLabel_.empty())
        return accessibilityLabel_;
    if (systemItem_ == UIBarButtonSystemItemAdd)
        return os::deviceText("Add");
    if (!title_.empty() || !image_)
        return title_;
    return image_->name().substr(0, image_->name().rfind('.'));
}
