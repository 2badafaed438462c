#pragma once
// Measuring and drawing text on one line or wrapped, as the platform's string additions do.
// Texts are UTF-8.
#include "uikit/CGGeometry.h"
#include "uikit/UIFont.h"

#include <string>
#include <string_view>

enum UILineBreakMode {
    UILineBreakModeWordWrap = 0,
    UILineBreakModeCharacterWrap = 1,
    UILineBreakModeClip = 2,
    UILineBreakModeHeadTruncation = 3,
    UILineBreakModeTailTruncation = 4,
    UILineBreakModeMiddleTruncation = 5,
};

enum UITextAlignment {
    UITextAlignmentLeft = 0,
    UITextAlignmentCenter = 1,
    UITextAlignmentRight = 2,
};

// The text as the functions below measure and draw it: isolated, so that no bidirectional
// control in it can reorder what is drawn beside it, with the embeddings it leaves open closed,
// and without its overrides, which would draw its own letters out of order; on one line, each line
// break (CR LF counts as one) drawn as a space. The view dump keeps the text as it was given.
std::string textAsDrawn(std::string_view text, bool oneLine);

// The size of the text on one line, widths and heights rounded up to whole points.
CGSize sizeWithFont(std::string_view text, const UIFont& font);

// The size of the text on one line at most `width` wide. A text that does not fit takes the whole
// width and is cut by the mode (with an ellipsis for the truncation modes).
CGSize sizeWithFont_forWidth_lineBreakMode(std::string_view text, const UIFont& font, CGFloat width,
                                           UILineBreakMode mode);

// The size of the text wrapped at word boundaries into lines at most size.width wide, at most
// size.height high.
CGSize sizeWithFont_constrainedToSize_lineBreakMode(std::string_view text, const UIFont& font,
                                                    CGSize size, UILineBreakMode mode);

// Draw into the current graphics context in its fill colour (UIGraphicsSetFillColor in
// UIGraphics.h). Return the size drawn.
CGSize drawAtPoint_withFont(std::string_view text, CGPoint point, const UIFont& font);
CGSize drawInRect_withFont_lineBreakMode_alignment(std::string_view text, CGRect rect,
                                                   const UIFont& font, UILineBreakMode mode,
                                                   UITextAlignment alignment);
