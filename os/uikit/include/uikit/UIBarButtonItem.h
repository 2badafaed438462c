#pragma once
// A button of a navigation bar: a title, an image, or a view of the caller's own.
#include "uikit/UIImage.h"
#include "uikit/UIView.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

enum UIBarButtonItemStyle {
    UIBarButtonItemStylePlain = 0,
    UIBarButtonItemStyleBordered = 1,
    UIBarButtonItemStyleDone = 2,
};

// The platform's own buttons, drawn as a symbol; the title names the symbol ("+").
enum UIBarButtonSystemItem {
    UIBarButtonSystemItemAdd = 4,
};

class UIBarButtonItem {
public:
    // A target's action, bound to its target: called with the item tapped.
    using Action = std::function<void(UIBarButtonItem* sender)>;

    // initWithTitle:style:target:action:
    UIBarButtonItem(std::string title, UIBarButtonItemStyle style, Action action);
    // initWithImage:style:target:action:
    UIBarButtonItem(std::shared_ptr<UIImage> image, UIBarButtonItemStyle style, Action action);
    // initWithBarButtonSystemItem:target:action:, bordered.
    UIBarButtonItem(UIBarButtonSystemItem systemItem, Action action);
    // initWithCustomView: the view is shown as it is and takes its own touches.
    explicit UIBarButtonItem(std::shared_ptr<UIView> customView);

    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }
    const std::shared_ptr<UIImage>& image() const { return image_; }
    UIBarButtonItemStyle style() const { return style_; }
    const std::shared_ptr<UIView>& customView() const { return customView_; }
    // The system item it was made as, if any.
    std::optional<UIBarButtonSystemItem> systemItem() const { return systemItem_; }
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    // What a screen reader reads the button as: set by the caller (an image's meaning), else its
    // title, its image's name without extension, or what the system item is.
    std::string accessibilityLabel() const;
    void setAccessibilityLabel(std::string label) { accessibilityLabel_ = std::move(label); }

    // What a tap does: runs the action.
    void sendAction();

private:
    std::string title_;
    std::string accessibilityLabel_;
    std::shared_ptr<UIImage> image_;
    UIBarButtonItemStyle style_ = UIBarButtonItemStylePlain;
    Action action_;
    std::shared_ptr<UIView> customView_;
    std::optional<UIBarButtonSystemItem> systemItem_;
    int tag_ = 0;
    bool enabled_ = true;
};
