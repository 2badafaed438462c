#include "uikit/UISearchBar.h"

#include "ButtonFace.h"
#include "ColorBytes.h"
#include "foundation/DeviceText.h"
#include "uikit/UIBezierPath.h"
#include "uikit/UIGraphics.h"
#include "uikit/UITextField.h"
#include "uikit/ViewDump.h"

#include <algorithm>

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
        UIGraphicsSetStrokeColor(rgb(0x8e, 0x8e, 0x93));
        UIGraphicsSetLineCap(kCGLineCapRound);
        UIGraphicsSetLineWidth(1.8f);
        const CGFloat ring = CGFloat(double(rect.size.width) * 0.62);
        UIEllipseStroke(CGRectMake(rect.origin.x + 1, rect.origin.y + 1, ring, ring));
        UIGraphicsSetLineWidth(2.4f);
        const CGFloat from = CGFloat(double(rect.origin.x) + 1 + double(ring) * 0.85);
        UILineStroke({from, CGFloat(double(rect.origin.y) + 1 + double(ring) * 0.85)},
                     {CGRectGetMaxX(rect) - 1.5f, CGRectGetMaxY(rect) - 1.5f});
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
        paintBarButtonFace(
            UIBezierPath::bezierPathWithRoundedRect_cornerRadius(CGRectInset(rect, 0.5, 0.5), 5),
            BarButtonFace::kOnBlueBar, isHighlighted());
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
    UIRectFillWithGradient(
        rect, CGLinearGradient::vertical(rect, rgb(0xcd, 0xd5, 0xdf), rgb(0xa8, 0xb5, 0xc5)));
    UIGraphicsSetFillColor(rgb(0xe4, 0xe9, 0xef));
    UIRectFill(CGRectMake(rect.origin.x, rect.origin.y, rect.size.width, 1));
    UIGraphicsSetFillColor(rgb(0x8c, 0x99, 0xaa));
    UIRectFill(CGRectMake(rect.origin.x, CGRectGetMaxY(rect) - 1, rect.size.width, 1));
}

void UISearchBar::describe(DumpRecord& record) const
{
    UIView::describe(record);
    record.set("editing", isEditing());
}
