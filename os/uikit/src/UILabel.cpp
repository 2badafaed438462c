#include "uikit/UILabel.h"

#include "uikit/UIGraphics.h"
#include "uikit/ViewDump.h"

UILabel::UILabel(CGRect frame) : UIView(frame)
{
    setBackgroundColor(UIColor::whiteColor());
    setUserInteractionEnabled(false);
}

void UILabel::setText(std::string text)
{
    text_ = std::move(text);
    setNeedsDisplay();
}

void UILabel::setFont(const UIFont& font)
{
    font_ = font;
    setNeedsDisplay();
}

void UILabel::setTextColor(const UIColor& color)
{
    textColor_ = color;
    setNeedsDisplay();
}

void UILabel::setHighlightedTextColor(const UIColor& color)
{
    highlightedTextColor_ = color;
    setNeedsDisplay();
}

void UILabel::setHighlighted(bool highlighted)
{
    highlighted_ = highlighted;
    setNeedsDisplay();
}

void UILabel::setTextAlignment(UITextAlignment alignment)
{
    textAlignment_ = alignment;
    setNeedsDisplay();
}

void UILabel::setLineBreakMode(UILineBreakMode mode)
{
    lineBreakMode_ = mode;
    setNeedsDisplay();
}

void UILabel::setNumberOfLines(int lines)
{
    numberOfLines_ = lines;
    setNeedsDisplay();
}

void UILabel::setShadowColor(std::optional<UIColor> color)
{
    shadowColor_ = color;
    setNeedsDisplay();
}

void UILabel::setShadowOffset(CGSize offset)
{
    shadowOffset_ = offset;
    setNeedsDisplay();
}

UIColor UILabel::currentTextColor() const
{
    return highlighted_ && highlightedTextColor_ ? *highlightedTextColor_ : textColor_;
}

CGSize UILabel::sizeThatFits(CGSize size) const
{
    if (numberOfLines_ == 1)
        return sizeWithFont(text_, font_);
    const CGFloat width = size.width > 0 ? size.width : 1e6f;
    return sizeWithFont_constrainedToSize_lineBreakMode(text_, font_, {width, 1e6f},
                                                        UILineBreakModeWordWrap);
}

void UILabel::drawRect(CGRect rect)
{
    if (text_.empty())
        return;
    const bool wraps = numberOfLines_ != 1;
    const UILineBreakMode mode = wraps ? UILineBreakModeWordWrap : lineBreakMode_;
    // Centred vertically, like the platform's labels.
    CGSize textSize = wraps ? sizeWithFont_constrainedToSize_lineBreakMode(text_, font_, rect.size,
                                                                           UILineBreakModeWordWrap)
                            : CGSize{rect.size.width, font_.lineHeight()};
    CGRect box{{rect.origin.x, rect.origin.y + (rect.size.height - textSize.height) / 2},
               {rect.size.width, textSize.height}};
    CGContextSaveGState(UIGraphicsGetCurrentContext());
    UIRectClip(rect);
    if (shadowColor_ && !highlighted_) {
        UIGraphicsSetFillColor(*shadowColor_);
        drawInRect_withFont_lineBreakMode_alignment(
            text_, CGRectOffset(box, shadowOffset_.width, shadowOffset_.height), font_, mode,
            textAlignment_);
    }
    UIGraphicsSetFillColor(currentTextColor());
    drawInRect_withFont_lineBreakMode_alignment(text_, box, font_, mode, textAlignment_);
    CGContextRestoreGState(UIGraphicsGetCurrentContext());
}

void UILabel::describe(uikit::DumpRecord& record) const
{
    UIView::describe(record);
    record.set("text", text_);
    record.set("textColor", textColor_);
    if (highlighted_)
        record.set("highlighted", true);
}
