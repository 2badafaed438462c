#include "Painting.h"
#include "uikit/UIStringDrawing.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace uikit;

namespace {

Qt::TextElideMode elideMode(UILineBreakMode mode)
{
    switch (mode) {
    case UILineBreakModeHeadTruncation: return Qt::ElideLeft;
    case UILineBreakModeMiddleTruncation: return Qt::ElideMiddle;
    case UILineBreakModeTailTruncation: return Qt::ElideRight;
    default: return Qt::ElideNone;
    }
}

CGFloat up(qreal value) { return CGFloat(std::ceil(value - 1e-3)); }

constexpr char16_t PDF = 0x202C, FSI = 0x2068, PDI = 0x2069;

bool opensEmbedding(QChar c) // LRE, RLE
{
    return c == u'\u202A' || c == u'\u202B';
}

bool opensOverride(QChar c) // LRO, RLO
{
    return c == u'\u202D' || c == u'\u202E';
}

bool opensIsolate(QChar c) // LRI, RLI, FSI
{
    return c == u'\u2066' || c == u'\u2067' || c == QChar(FSI);
}

bool breaksLine(QChar c)
{
    return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == u'\u0085' ||
           c == u'\u2028' || c == u'\u2029';
}

enum class Opened { kIsolate, kEmbedding, kOverride };

// Texts come from cards and files anyone may write. Each is laid out as an isolate of its own in
// which every embedding and isolate it opens is closed again, and a closer that opened nothing in
// it is dropped, so no character of the text can reorder what is drawn beside it. An override is
// left out with the closer that ends it: it would draw the letters of the text itself in another
// order than they are read, so that "\u202Eevil fdp.exe" showed as "exe.pdf live".
// On one line, a line break is a space.
QString asDrawn(const QString& text, bool oneLine)
{
    QString drawn;
    drawn.reserve(text.size() + 2);
    drawn += QChar(FSI);
    std::vector<Opened> open;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (oneLine && breaksLine(c)) {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            drawn += u' ';
        } else if (opensOverride(c)) {
            open.push_back(Opened::kOverride);
        } else if (opensEmbedding(c) || opensIsolate(c)) {
            open.push_back(opensIsolate(c) ? Opened::kIsolate : Opened::kEmbedding);
            drawn += c;
        } else if (c == QChar(PDF)) {
            if (!open.empty() && open.back() != Opened::kIsolate) {
                if (open.back() == Opened::kEmbedding)
                    drawn += c;
                open.pop_back();
            }
        } else if (c == QChar(PDI)) {
            // Closes the nearest isolate and every embedding opened inside it.
            const auto isolate = std::find(open.rbegin(), open.rend(), Opened::kIsolate);
            if (isolate != open.rend()) {
                open.erase(std::prev(isolate.base()), open.end());
                drawn += c;
            }
        } else {
            drawn += c;
        }
    }
    for (auto opened = open.rbegin(); opened != open.rend(); ++opened) {
        if (*opened == Opened::kIsolate)
            drawn += QChar(PDI);
        else if (*opened == Opened::kEmbedding)
            drawn += QChar(PDF);
    }
    drawn += QChar(PDI);
    return drawn;
}

// What Qt lays out for asDrawn()'s isolate: its inside, as a paragraph of its own in the
// direction of its first strong letter, which is what the isolate means. Qt gets no isolate marks:
// no font has a glyph for them, and looking for one Qt matched every fallback font against them
// for each font and size, a seventh of a start's work.
struct Paragraph {
    QString text;
    int flags; // the direction, and alignment that stays where it is asked in either direction
};

Paragraph paragraph(const QString& text, bool oneLine)
{
    const QString isolate = asDrawn(text, oneLine);
    QString inside = isolate.mid(1, isolate.size() - 2);
    const int direction =
        inside.isRightToLeft() ? Qt::TextForceRightToLeft : Qt::TextForceLeftToRight;
    return {std::move(inside), direction | Qt::AlignAbsolute};
}

} // namespace

std::string textAsDrawn(std::string_view text, bool oneLine)
{
    return asDrawn(toQString(text), oneLine).toStdString();
}

CGFloat UIFont::lineHeight() const
{
    ensureApplication();
    return up(QFontMetricsF(toQFont(*this)).height());
}

CGSize sizeWithFont(std::string_view text, const UIFont& font)
{
    ensureApplication();
    QFontMetricsF metrics(toQFont(font));
    return {up(metrics.horizontalAdvance(paragraph(toQString(text), true).text)),
            up(metrics.height())};
}

CGSize sizeWithFont_forWidth_lineBreakMode(std::string_view text, const UIFont& font, CGFloat width,
                                           UILineBreakMode mode)
{
    (void)mode;
    CGSize size = sizeWithFont(text, font);
    size.width = std::min(size.width, std::max(width, CGFloat(0)));
    return size;
}

CGSize sizeWithFont_constrainedToSize_lineBreakMode(std::string_view text, const UIFont& font,
                                                    CGSize size, UILineBreakMode mode)
{
    ensureApplication();
    QFontMetricsF metrics(toQFont(font));
    const int flags =
        mode == UILineBreakModeCharacterWrap ? Qt::TextWrapAnywhere : Qt::TextWordWrap;
    const Paragraph drawn = paragraph(toQString(text), false);
    QRectF bounds =
        metrics.boundingRect(QRectF(0, 0, size.width, 1e6), flags | drawn.flags, drawn.text);
    return {std::min(up(bounds.width()), size.width), std::min(up(bounds.height()), size.height)};
}

CGSize drawAtPoint_withFont(std::string_view text, CGPoint point, const UIFont& font)
{
    CGSize size = sizeWithFont(text, font);
    drawInRect_withFont_lineBreakMode_alignment(text, {point, size}, font, UILineBreakModeClip,
                                                UITextAlignmentLeft);
    return size;
}

CGSize drawInRect_withFont_lineBreakMode_alignment(std::string_view text, CGRect rect,
                                                   const UIFont& font, UILineBreakMode mode,
                                                   UITextAlignment alignment)
{
    CGContext* context = currentContext();
    if (!context || !context->painter)
        return {};
    QPainter& painter = *context->painter;
    const QFont qfont = toQFont(font);
    QFontMetricsF metrics(qfont);
    const QRectF box = toQRect(rect);
    int flags = Qt::AlignTop;
    flags |= alignment == UITextAlignmentCenter  ? Qt::AlignHCenter
             : alignment == UITextAlignmentRight ? Qt::AlignRight
                                                 : Qt::AlignLeft;
    const bool singleLine =
        box.height() < 2 * metrics.height() ||
        (mode != UILineBreakModeWordWrap && mode != UILineBreakModeCharacterWrap);
    Paragraph drawn = paragraph(toQString(text), singleLine);
    if (singleLine) {
        if (elideMode(mode) != Qt::ElideNone) {
            const QString elided =
                metrics.elidedText(drawn.text, elideMode(mode), box.width(), drawn.flags);
            // The cut may have taken closers, or the letter that gave the direction, with it.
            if (elided != drawn.text)
                drawn = paragraph(elided, true);
        }
    } else {
        flags |= mode == UILineBreakModeCharacterWrap ? Qt::TextWrapAnywhere : Qt::TextWordWrap;
    }
    painter.save();
    painter.setFont(qfont);
    painter.setPen(context->fill);
    QRectF bounds;
    painter.drawText(box, flags | drawn.flags, drawn.text, &bounds);
    painter.restore();
    return {up(bounds.width()), up(bounds.height())};
}
