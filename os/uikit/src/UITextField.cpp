#include "uikit/UITextField.h"

#include "AccessibleViews.h"
#include "ButtonFace.h"
#include "Display.h"
#include "Painting.h"
#include "TextFieldEditor.h"
#include "uikit/ViewDump.h"

#include <QFontMetricsF>

using namespace uikit;

namespace {

constexpr qreal inset = 8;
constexpr qreal cornerRadius = 7;

} // namespace

UITextField::UITextField(CGRect frame) : UIControl(frame)
{
    ensureApplication();
    editor_ = std::make_unique<Editor>();
    QObject::connect(&editor_->line, &QLineEdit::textChanged, [this] {
        setNeedsDisplay();
        accessibleTextChanged(*this);
        if (!editor_->quiet)
            sendActionsForControlEvents(UIControlEventEditingChanged);
    });
    // Moving the cursor or the selection changes nothing but the picture.
    QObject::connect(&editor_->line, &QLineEdit::cursorPositionChanged,
                     [this] { setNeedsDisplay(); });
    QObject::connect(&editor_->line, &QLineEdit::selectionChanged, [this] { setNeedsDisplay(); });
}

// The screen holds the first responder weakly: a field gone is no longer it.
UITextField::~UITextField() = default;

std::string UITextField::text() const { return editor_->line.text().toStdString(); }

void UITextField::setText(std::string_view text)
{
    editor_->quiet = true;
    editor_->line.setText(toQString(text));
    editor_->quiet = false;
}

void UITextField::setPlaceholder(std::string placeholder)
{
    placeholder_ = std::move(placeholder);
    setNeedsDisplay();
}

void UITextField::setFont(UIFont font)
{
    font_ = font;
    setNeedsDisplay();
}

void UITextField::setLeftView(std::shared_ptr<UIView> view)
{
    if (leftView_)
        leftView_->removeFromSuperview();
    leftView_ = std::move(view);
    if (leftView_) {
        // Touches on it reach the field.
        leftView_->setUserInteractionEnabled(false);
        addSubview(leftView_);
    }
    setNeedsLayout();
    setNeedsDisplay();
}

CGFloat UITextField::textLeft() const
{
    return CGFloat(inset) + (leftView_ ? leftView_->frame().size.width + 4 : 0);
}

void UITextField::layoutSubviews()
{
    UIControl::layoutSubviews();
    if (!leftView_)
        return;
    const CGSize size = leftView_->frame().size;
    leftView_->setFrame(CGRectMake(CGFloat(inset) - 2, (bounds().size.height - size.height) / 2,
                                   size.width, size.height));
}

bool UITextField::isFirstResponder() const { return firstResponder() == this; }
void UITextField::becomeFirstResponder() { setFirstResponder(this); }

void UITextField::resignFirstResponder()
{
    if (isFirstResponder())
        setFirstResponder(nullptr);
}

CGSize UITextField::sizeThatFits(CGSize size) const
{
    return {size.width, CGFloat(std::ceil(font_.lineHeight() + 12))};
}

namespace {

// Where the text starts, so that the cursor stays in sight when the text is wider than the field.
qreal scrollOffset(const QFontMetricsF& metrics, const QString& text, int cursor, qreal room)
{
    const qreal cursorX = metrics.horizontalAdvance(text.left(cursor));
    return std::max<qreal>(0, cursorX - room);
}

} // namespace

bool UITextField::keyPressed(UIKey key)
{
    if (key != UIKey::Activate)
        return false;
    becomeFirstResponder();
    return true;
}

void UITextField::touchesEnded(CGPoint point)
{
    const bool inside = CGRectContainsPoint(bounds(), point);
    UIControl::touchesEnded(point);
    if (!inside)
        return;
    becomeFirstResponder();
    // The cursor goes to the gap between characters nearest the finger.
    const QString shown = editor_->line.text();
    const QFontMetricsF metrics(toQFont(font_));
    const qreal left = qreal(textLeft());
    const qreal room = qreal(bounds().size.width) - left - inset;
    const qreal x =
        qreal(point.x) - left + scrollOffset(metrics, shown, editor_->line.cursorPosition(), room);
    int nearest = 0;
    for (int i = 1; i <= shown.size(); ++i)
        if (std::abs(metrics.horizontalAdvance(shown.left(i)) - x) <
            std::abs(metrics.horizontalAdvance(shown.left(nearest)) - x))
            nearest = i;
    editor_->line.setCursorPosition(nearest);
}

void UITextField::drawRect(CGRect rect)
{
    QPainter* painter = currentPainter();
    if (!painter)
        return;
    painter->save();
    const QRectF box = toQRect(rect);
    paintTextFieldFace(rect, CGFloat(cornerRadius), isFirstResponder());

    const QFont font = toQFont(font_);
    const QFontMetricsF metrics(font);
    const QRectF textBox = box.adjusted(qreal(textLeft()), 0, -inset, 0);
    painter->setClipRect(textBox, Qt::IntersectClip);
    painter->setFont(font);
    const qreal top = box.center().y() - metrics.height() / 2;

    const QLineEdit& line = editor_->line;
    const QString text = line.text();
    if (text.isEmpty() && !placeholder_.empty()) {
        painter->setPen(QColor(0xb3, 0xb3, 0xb3));
        painter->drawText(QPointF(textBox.left(), top + metrics.ascent()), toQString(placeholder_));
    }
    const qreal left =
        textBox.left() - scrollOffset(metrics, text, line.cursorPosition(), textBox.width());
    const auto advance = [&](int index) {
        return left + metrics.horizontalAdvance(text.left(index));
    };
    if (line.hasSelectedText()) {
        const qreal from = advance(line.selectionStart());
        const qreal to = advance(line.selectionEnd());
        painter->fillRect(QRectF(from, top, to - from, metrics.height()), QColor(0xb5, 0xd5, 0xff));
    }
    painter->setPen(Qt::black);
    painter->drawText(QPointF(left, top + metrics.ascent()), text);
    if (isFirstResponder() && !line.hasSelectedText())
        painter->fillRect(QRectF(advance(line.cursorPosition()), top, 2, metrics.height()),
                          QColor(0x42, 0x6b, 0xf2));
    painter->restore();
}

bool UITextField::accessibilityActivate()
{
    becomeFirstResponder();
    return true;
}

void UITextField::describe(DumpRecord& record) const
{
    UIControl::describe(record);
    record.set("text", text());
    record.set("placeholder", placeholder_);
    if (isFirstResponder())
        record.set("firstResponder", true);
}
