#include "uikit/UISearchBar.h"

#include "Painting.h"
#include "foundation/DeviceText.h"
#include "uikit/UITextField.h"
#include "uikit/ViewDump.h"

using namespace uikit;

namespace {

constexpr CGFloat barHeight = 44;
constexpr CGFloat margin = 6;
constexpr CGFloat fieldHeight = 30;
constexpr CGFloat cancelWidth = 60;
const UIFont cancelFont = UIFont::boldSystemFontOfSize(12);

// The magnifier at the left end of the field: a ring and its handle, in the placeholder's grey.
class Magnifier : public UIView {
public:
    Magnifier() : UIView(CGRectMake(0, 0, 15, 15)) { setOpaque(false); }
    std::string className() const override { return "UISearchBarMagnifier"; }

    void drawRect(CGRect rect) override
    {
        QPainter* painter = currentPainter();
        if (!painter)
            return;
        painter->save();
        const QRectF box = toQRect(rect);
        QPen pen(QColor(0x8e, 0x8e, 0x93), 1.8);
        pen.setCapStyle(Qt::RoundCap);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        const qreal ring = box.width() * 0.62;
        painter->drawEllipse(QRectF(box.left() + 1, box.top() + 1, ring, ring));
        pen.setWidthF(2.4);
        painter->setPen(pen);
        const qreal from = box.left() + 1 + ring * 0.85;
        painter->drawLine(QPointF(from, box.top() + 1 + ring * 0.85),
                          QPointF(box.right() - 1.5, box.bottom() - 1.5));
        painter->restore();
    }
};

} // namespace

// The bar's button while the field is being edited, drawn as a navigation bar's buttons are.
class UISearchBar::CancelButton : public UIControl {
public:
    CancelButton() : UIControl(CGRectMake(0, 0, cancelWidth, fieldHeight)) { setOpaque(false); }
    std::string className() const override { return "UISearchBarCancelButton"; }
    static std::string title() { return os::deviceText("Cancel"); }
    bool isAccessibilityElement() const override { return true; }
    std::string defaultAccessibilityLabel() const override { return title(); }
    UIAccessibilityTraits defaultAccessibilityTraits() const override
    {
        return UIAccessibilityTraitButton | UIControl::defaultAccessibilityTraits();
    }

    void drawRect(CGRect rect) override
    {
        QPainter* painter = currentPainter();
        if (!painter)
            return;
        const QRectF box = toQRect(rect).adjusted(0.5, 0.5, -0.5, -0.5);
        QPainterPath path;
        path.addRoundedRect(box, 5, 5);
        paintBarButtonFace(*painter, path, BarButtonFace::kOnBlueBar, isHighlighted());
        drawBarButtonTitle(title(), rect, cancelFont);
    }

    void describe(DumpRecord& record) const override
    {
        UIControl::describe(record);
        record.set("text", title());
    }
};

UISearchBar::UISearchBar(CGRect frame)
    : UIView(frame.size.height > 0
                 ? frame
                 : CGRectMake(frame.origin.x, frame.origin.y, frame.size.width, barHeight)),
      field_(std::make_shared<UITextField>()), cancelButton_(std::make_shared<CancelButton>())
{
    setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    field_->setLeftView(std::make_shared<Magnifier>());
    field_->setFont(UIFont::systemFontOfSize(14));
    field_->addTarget_action_forControlEvents([this](UIControl*) { editingChanged(); },
                                              UIControlEventEditingChanged);
    field_->addTarget_action_forControlEvents(
        [this](UIControl*) {
            setNeedsLayout();
            if (delegate_)
                delegate_->searchBarTextDidBeginEditing(this);
        },
        UIControlEventEditingDidBegin);
    field_->addTarget_action_forControlEvents(
        [this](UIControl*) {
            setNeedsLayout();
            if (delegate_)
                delegate_->searchBarTextDidEndEditing(this);
        },
        UIControlEventEditingDidEnd);
    cancelButton_->addTarget_action_forControlEvents([this](UIControl*) { cancel(); },
                                                     UIControlEventTouchUpInside);
    cancelButton_->setHidden(true);
    addSubview(field_);
    addSubview(cancelButton_);
}

UISearchBar::~UISearchBar()
{
    // The field's actions name this bar; a field someone else still holds must not call them.
    field_->removeAllTargets();
    cancelButton_->removeAllTargets();
}

std::string UISearchBar::text() const { return field_->text(); }
void UISearchBar::setText(std::string_view text) { field_->setText(text); }
std::string UISearchBar::placeholder() const { return field_->placeholder(); }
void UISearchBar::setPlaceholder(std::string placeholder)
{
    field_->setPlaceholder(std::move(placeholder));
}

bool UISearchBar::isEditing() const { return field_->isFirstResponder(); }
void UISearchBar::becomeFirstResponder() { field_->becomeFirstResponder(); }
void UISearchBar::resignFirstResponder() { field_->resignFirstResponder(); }

void UISearchBar::editingChanged()
{
    if (delegate_)
        delegate_->searchBar_textDidChange(this, field_->text());
}

void UISearchBar::cancel()
{
    auto keepAlive = weak_from_this().lock();
    if (!field_->text().empty()) {
        field_->setText("");
        editingChanged();
    }
    resignFirstResponder();
    if (delegate_)
        delegate_->searchBarCancelButtonClicked(this);
}

void UISearchBar::layoutSubviews()
{
    UIView::layoutSubviews();
    const CGRect box = bounds();
    const bool editing = isEditing();
    const CGFloat right = editing ? cancelWidth + margin : 0;
    const CGFloat top = box.origin.y + (box.size.height - fieldHeight) / 2;
    field_->setFrame(CGRectMake(box.origin.x + margin, top,
                                std::max(CGFloat(0), box.size.width - 2 * margin - right),
                                fieldHeight));
    cancelButton_->setFrame(
        CGRectMake(CGRectGetMaxX(box) - margin - cancelWidth, top, cancelWidth, fieldHeight));
    cancelButton_->setHidden(!editing);
    setNeedsDisplay();
}

void UISearchBar::drawRect(CGRect rect)
{
    QPainter* painter = currentPainter();
    if (!painter)
        return;
    const QRectF box = toQRect(rect);
    fillGradient(*painter, box, QColor(0xcd, 0xd5, 0xdf), QColor(0xa8, 0xb5, 0xc5));
    painter->fillRect(QRectF(box.left(), box.top(), box.width(), 1), QColor(0xe4, 0xe9, 0xef));
    painter->fillRect(QRectF(box.left(), box.bottom() - 1, box.width(), 1),
                      QColor(0x8c, 0x99, 0xaa));
}

void UISearchBar::describe(DumpRecord& record) const
{
    UIView::describe(record);
    record.set("editing", isEditing());
}
