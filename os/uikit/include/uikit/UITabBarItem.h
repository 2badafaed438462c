#pragma once
// An item of a tab bar: a title, an image, a tag and an optional badge.
#include "uikit/UIImage.h"

#include <memory>
#include <optional>
#include <string>

class UITabBarItem {
public:
    // initWithTitle:image:tag:
    UITabBarItem(std::string title, std::shared_ptr<UIImage> image, int tag);

    const std::string& title() const { return title_; }
    void setTitle(std::string title);
    const std::shared_ptr<UIImage>& image() const { return image_; }
    void setImage(std::shared_ptr<UIImage> image);
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // A text shows as a red badge at the image's top right; none removes it.
    const std::optional<std::string>& badgeValue() const { return badgeValue_; }
    void setBadgeValue(std::optional<std::string> badge);

private:
    std::string title_;
    std::shared_ptr<UIImage> image_;
    int tag_;
    bool enabled_ = true;
    std::optional<std::string> badgeValue_;
};
