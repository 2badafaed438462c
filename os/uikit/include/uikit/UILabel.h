#pragma once
// A text on one line (or wrapped, with numberOfLines 0), centred vertically in the label. Like
// the platform's, a new label has a white background and is opaque.
#include "uikit/UIFont.h"
#include "uikit/UIStringDrawing.h"
#include "uikit/UIView.h"

#include <optional>
#include <string>

class UILabel : public UIView {
public:
    explicit UILabel(CGRect frame = CGRectZero);
    std::string className() const override { return "UILabel"; }

    const std::string& text() const { return text_; }
    void setText(std::string text);
    const UIFont& font() const { return font_; }
    void setFont(const UIFont& font);
    const UIColor& textColor() const { return textColor_; }
    void setTextColor(const UIColor& color);
    // The colour of the text while highlighted; none draws the text colour.
    void setHighlightedTextColor(const UIColor& color);
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted);
    UITextAlignment textAlignment() const { return textAlignment_; }
    void setTextAlignment(UITextAlignment alignment);
    UILineBreakMode lineBreakMode() const { return lineBreakMode_; }
    void setLineBreakMode(UILineBreakMode mode);
    // 1 by default; 0 wraps into as many lines as the height holds.
    void setNumberOfLines(int lines);
    // A copy of the text drawn offset below it in this colour (for bars); none draws no shadow.
    void setShadowColor(std::optional<UIColor> color);
    void setShadowOffset(CGSize offset);

    // The colour the text is drawn in now.
    UIColor currentTextColor() const;

    CGSize sizeThatFits(CGSize size) const override;
    void drawRect(CGRect rect) override;
    // A label with a text is read as static text.
    bool isAccessibilityElement() const override { return !text().empty(); }
    void describe(uikit::DumpRecord& record) const override;

protected:
    std::string defaultAccessibilityLabel() const override { return text(); }
    UIAccessibilityTraits defaultAccessibilityTraits() const override
    {
        return UIAccessibilityTraitStaticText;
    }

private:
    std::string text_;
    UIFont font_ = UIFont::systemFontOfSize(17);
    UIColor textColor_ = UIColor::blackColor();
    std::optional<UIColor> highlightedTextColor_;
    bool highlighted_ = false;
    UITextAlignment textAlignment_ = UITextAlignmentLeft;
    UILineBreakMode lineBreakMode_ = UILineBreakModeTailTruncation;
    int numberOfLines_ = 1;
    std::optional<UIColor> shadowColor_;
    CGSize shadowOffset_{0, -1};
};
