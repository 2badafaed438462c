#include "uikit/UIButton.h"

#include "ButtonFace.h"
#include "ColorBytes.h"
#include "foundation/DeviceText.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIStringDrawing.h"
#include "uikit/ViewDump.h"

#include <algorithm>

using namespace uikit;

namespace {

CGRect standardFrame(UIButtonType type)
{
    switch (type) {
    case UIButtonTypeInfoLight:
    case UIButtonTypeInfoDark: return CGRectMake(0, 0, 18, 19);
    case UIButtonTypeDetailDisclosure:
    case UIButtonTypeContactAdd: return CGRectMake(0, 0, 29, 31);
    default: return CGRectZero;
    }
}

template <class Map>
auto valueFor(const Map& values, unsigned state) -> typename Map::mapped_type
{
    if (auto found = values.find(state); found != values.end())
        return found->second;
    if (auto found = values.find(UIControlStateNormal); found != values.end())
        return found->second;
    return {};
}

} // namespace

std::shared_ptr<UIButton> UIButton::buttonWithType(UIButtonType type)
{
    return std::make_shared<UIButton>(standardFrame(type), type);
}

UIButton::UIButton(CGRect frame, UIButtonType type) : UIControl(frame), type_(type)
{
    if (type == UIButtonTypeRoundedRect) {
        titleColors_[UIControlStateNormal] = UIColor(0.196f, 0.31f, 0.522f, 1);
        titleColors_[UIControlStateHighlighted] = UIColor::whiteColor();
    } else {
        titleColors_[UIControlStateNormal] = UIColor::whiteColor();
    }
}

void UIButton::setTitle_forState(std::string title, UIControlState state)
{
    titles_[state] = std::move(title);
    setNeedsDisplay();
}

std::string UIButton::titleForState(UIControlState state) const { return valueFor(titles_, state); }

void UIButton::setTitleColor_forState(const UIColor& color, UIControlState state)
{
    titleColors_[state] = color;
    setNeedsDisplay();
}

UIColor UIButton::titleColorForState(UIControlState state) const
{
    return valueFor(titleColors_, state);
}

void UIButton::setImage_forState(std::shared_ptr<UIImage> image, UIControlState state)
{
    images_[state] = std::move(image);
    setNeedsDisplay();
}

std::shared_ptr<UIImage> UIButton::imageForState(UIControlState state) const
{
    return valueFor(images_, state);
}

void UIButton::setBackgroundImage_forState(std::shared_ptr<UIImage> image, UIControlState state)
{
    backgroundImages_[state] = std::move(image);
    setNeedsDisplay();
}

std::shared_ptr<UIImage> UIButton::backgroundImageForState(UIControlState state) const
{
    return valueFor(backgroundImages_, state);
}

void UIButton::setFont(const UIFont& font)
{
    font_ = font;
    setNeedsDisplay();
}

CGSize UIButton::sizeThatFits(CGSize size) const
{
    (void)size;
    const CGRect standard = standardFrame(type_);
    if (!CGRectIsEmpty(standard))
        return standard.size;
    CGSize fit{0, 0};
    if (auto image = currentImage())
        fit = image->size();
    const std::string title = currentTitle();
    if (!title.empty()) {
        const CGSize text = sizeWithFont(title, font_);
        fit.width += text.width + (fit.width > 0 ? 4 : 0);
        fit.height = std::max(fit.height, text.height);
    }
    if (type_ == UIButtonTypeRoundedRect)
        fit = {fit.width + 24, std::max(fit.height + 12, CGFloat(37))};
    return fit;
}

void UIButton::drawRect(CGRect rect)
{
    if (!UIGraphicsGetCurrentContext())
        return;
    const UIControlState now = UIControlState(state());
    switch (type_) {
    case UIButtonTypeInfoLight: paintRoundGlyphButton(rect, RoundGlyph::kInfoLight); break;
    case UIButtonTypeInfoDark: paintRoundGlyphButton(rect, RoundGlyph::kInfoDark); break;
    case UIButtonTypeDetailDisclosure:
        paintRoundGlyphButton(rect, RoundGlyph::kDetailDisclosure);
        break;
    case UIButtonTypeContactAdd: paintRoundGlyphButton(rect, RoundGlyph::kContactAdd); break;
    case UIButtonTypeRoundedRect: paintRoundedRectButtonFace(rect, isHighlighted()); break;
    case UIButtonTypeCustom: break;
    }

    if (auto background = backgroundImageForState(now))
        background->drawInRect(rect);
    auto image = imageForState(now);
    const std::string title = titleForState(now);
    CGSize imageSize = image ? image->size() : CGSize{};
    CGSize titleSize = title.empty() ? CGSize{} : sizeWithFont(title, font_);
    const CGFloat gap = image && !title.empty() ? 4 : 0;
    CGFloat x = rect.origin.x + (rect.size.width - imageSize.width - gap - titleSize.width) / 2;
    if (image) {
        image->drawInRect(
            {{x, rect.origin.y + (rect.size.height - imageSize.height) / 2}, imageSize});
        x += imageSize.width + gap;
    }
    if (!title.empty()) {
        UIGraphicsSetFillColor(titleColorForState(now));
        drawInRect_withFont_lineBreakMode_alignment(
            title,
            CGRectMake(x, rect.origin.y + (rect.size.height - titleSize.height) / 2,
                       std::min(titleSize.width, CGRectGetMaxX(rect) - x), titleSize.height),
            font_, UILineBreakModeTailTruncation, UITextAlignmentLeft);
    }
    if (type_ == UIButtonTypeCustom && isHighlighted() && (image || !title.empty())) {
        UIGraphicsSetFillColor(rgb(0, 0, 0, 60));
        UIRectFill(rect);
    }
}

std::string UIButton::defaultAccessibilityLabel() const
{
    if (std::string title = currentTitle(); !title.empty())
        return title;
    if (auto image = currentImage())
        return image->name().substr(0, image->name().rfind('.'));
    switch (type_) {
    case UIButtonTypeInfoLight:
    case UIButtonTypeInfoDark: return os::deviceText("Info");
    case UIButtonTypeDetailDisclosure: return os::deviceText("More Info");
    case UIButtonTypeContactAdd: return os::deviceText("Add");
    default: return {};
    }
}

UIAccessibilityTraits UIButton::defaultAccessibilityTraits() const
{
    return UIAccessibilityTraitButton | UIControl::defaultAccessibilityTraits();
}

void UIButton::describe(DumpRecord& record) const
{
    UIControl::describe(record);
    const std::string title = currentTitle();
    if (!title.empty())
        record.set("text", title);
    if (auto image = currentImage())
        record.set("image", image->name());
}
