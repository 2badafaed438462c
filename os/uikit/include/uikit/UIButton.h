#pragma once
// Buttons: custom ones with a title and images per state, rounded rectangles, and the small
// information button.
#include "uikit/UIControl.h"
#include "uikit/UIFont.h"
#include "uikit/UIImage.h"

#include <map>
#include <memory>
#include <string>

enum UIButtonType {
    UIButtonTypeCustom = 0,
    UIButtonTypeRoundedRect = 1,
    UIButtonTypeDetailDisclosure = 2,
    UIButtonTypeInfoLight = 3,
    UIButtonTypeInfoDark = 4,
    UIButtonTypeContactAdd = 5,
};

class UIButton : public UIControl {
public:
    // The information and disclosure buttons come at their standard size (18 x 19, 29 x 31 for
    // disclosure and add); the others with a zero frame.
    static std::shared_ptr<UIButton> buttonWithType(UIButtonType type);
    explicit UIButton(CGRect frame = CGRectZero, UIButtonType type = UIButtonTypeCustom);
    std::string className() const override { return "UIButton"; }

    UIButtonType buttonType() const { return type_; }

    // A state without its own value shows the normal state's.
    void setTitle_forState(std::string title, UIControlState state);
    std::string titleForState(UIControlState state) const;
    void setTitleColor_forState(const UIColor& color, UIControlState state);
    UIColor titleColorForState(UIControlState state) const;
    void setImage_forState(std::shared_ptr<UIImage> image, UIControlState state);
    std::shared_ptr<UIImage> imageForState(UIControlState state) const;
    void setBackgroundImage_forState(std::shared_ptr<UIImage> image, UIControlState state);
    std::shared_ptr<UIImage> backgroundImageForState(UIControlState state) const;
    const UIFont& font() const { return font_; }
    void setFont(const UIFont& font);

    std::string currentTitle() const { return titleForState(UIControlState(state())); }
    std::shared_ptr<UIImage> currentImage() const { return imageForState(UIControlState(state())); }

    CGSize sizeThatFits(CGSize size) const override;
    void drawRect(CGRect rect) override;
    bool isAccessibilityElement() const override { return true; }
    void describe(uikit::DumpRecord& record) const override;

protected:
    // Its title; without one, its image's name (no extension), or what the drawn kinds are.
    std::string defaultAccessibilityLabel() const override;
    UIAccessibilityTraits defaultAccessibilityTraits() const override;

private:
    UIButtonType type_;
    UIFont font_ = UIFont::boldSystemFontOfSize(15);
    std::map<unsigned, std::string> titles_;
    std::map<unsigned, UIColor> titleColors_;
    std::map<unsigned, std::shared_ptr<UIImage>> images_;
    std::map<unsigned, std::shared_ptr<UIImage>> backgroundImages_;
};
