#include "uikit/UIPickerView.h"

#include "AccessibleViews.h"
#include "ColorBytes.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIStringDrawing.h"
#include "uikit/ViewDump.h"

#include <algorithm>
#include <cmath>

using namespace uikit;

namespace {

constexpr CGFloat sideMargin = 10;
constexpr CGFloat wheelGap = 4;
constexpr CGFloat wheelInset = 5;
// A touch that moves less than this is a tap.
constexpr CGFloat dragThreshold = 8;

} // namespace

UIPickerView::UIPickerView(CGRect frame) : UIView(frame) {}

void UIPickerView::setDataSource(UIPickerViewDataSource* dataSource)
{
    dataSource_ = dataSource;
    reloadAllComponents();
}

void UIPickerView::setDelegate(UIPickerViewDelegate* delegate)
{
    delegate_ = delegate;
    setNeedsDisplay();
}

void UIPickerView::setShowsSelectionIndicator(bool shows)
{
    showsSelectionIndicator_ = shows;
    setNeedsDisplay();
}

int UIPickerView::numberOfComponents() const
{
    return dataSource_ ? std::max(0, dataSource_->numberOfComponentsInPickerView(
                                         const_cast<UIPickerView*>(this)))
                       : 0;
}

int UIPickerView::numberOfRowsInComponent(int component) const
{
    if (!dataSource_ || component < 0 || component >= numberOfComponents())
        return 0;
    return std::max(0, dataSource_->pickerView_numberOfRowsInComponent(
                           const_cast<UIPickerView*>(this), component));
}

int UIPickerView::selectedRowInComponent(int component) const
{
    const int rows = numberOfRowsInComponent(component);
    if (rows == 0)
        return -1;
    const int stored = size_t(component) < selected_.size() ? selected_[size_t(component)] : 0;
    return std::clamp(stored, 0, rows - 1);
}

void UIPickerView::selectRow_inComponent_animated(int row, int component, bool animated)
{
    (void)animated;
    const int rows = numberOfRowsInComponent(component);
    if (rows == 0)
        return;
    if (selected_.size() <= size_t(component))
        selected_.resize(size_t(component) + 1, 0);
    const int before = selected_[size_t(component)];
    selected_[size_t(component)] = std::clamp(row, 0, rows - 1);
    setNeedsDisplay();
    if (selected_[size_t(component)] != before)
        accessiblePickerTurned(*this, component);
}

void UIPickerView::reloadAllComponents()
{
    const int components = numberOfComponents();
    selected_.resize(size_t(components), 0);
    for (int component = 0; component < components; ++component)
        selected_[size_t(component)] = std::max(0, selectedRowInComponent(component));
    setNeedsDisplay();
}

CGRect UIPickerView::rectForComponent(int component) const
{
    const int components = numberOfComponents();
    if (component < 0 || component >= components)
        return CGRectZero;
    const CGRect b = bounds();
    const CGFloat width =
        (b.size.width - 2 * sideMargin - wheelGap * CGFloat(components - 1)) / CGFloat(components);
    return CGRectMake(b.origin.x + sideMargin + CGFloat(component) * (width + wheelGap),
                      b.origin.y + wheelInset, width, b.size.height - 2 * wheelInset);
}

CGFloat UIPickerView::bandTop() const
{
    return bounds().origin.y + (bounds().size.height - rowHeight) / 2;
}

CGRect UIPickerView::rectForRow_inComponent(int row, int component) const
{
    const CGRect wheel = rectForComponent(component);
    const CGFloat drag = dragging_ && component == touchedComponent_ ? dragOffset_ : 0;
    const int selected = std::max(0, selectedRowInComponent(component));
    return CGRectMake(wheel.origin.x, bandTop() + CGFloat(row - selected) * rowHeight + drag,
                      wheel.size.width, rowHeight);
}

CGSize UIPickerView::sizeThatFits(CGSize size) const
{
    (void)size;
    return standardSize;
}

int UIPickerView::componentAt(CGPoint point) const
{
    const int components = numberOfComponents();
    for (int component = 0; component < components; ++component) {
        const CGRect wheel = rectForComponent(component);
        if (point.x >= CGRectGetMinX(wheel) - wheelGap && point.x < CGRectGetMaxX(wheel) + wheelGap)
            return component;
    }
    return -1;
}

void UIPickerView::touchesBegan(CGPoint point)
{
    touchedComponent_ = componentAt(point);
    touchStart_ = point;
    dragOffset_ = 0;
    dragging_ = false;
}

void UIPickerView::touchesMoved(CGPoint point)
{
    if (touchedComponent_ < 0)
        return;
    dragOffset_ = point.y - touchStart_.y;
    if (std::abs(dragOffset_) >= dragThreshold)
        dragging_ = true;
    setNeedsDisplay();
}

void UIPickerView::touchesEnded(CGPoint point)
{
    const int component = touchedComponent_;
    const bool dragged = dragging_;
    const CGFloat offset = point.y - touchStart_.y;
    touchesCancelled();
    if (component < 0)
        return;
    const int selected = selectedRowInComponent(component);
    if (selected < 0)
        return;
    if (dragged || std::abs(offset) >= dragThreshold)
        turn(component, selected - int(std::lround(offset / rowHeight)));
    else
        turn(component, selected + int(std::floor((point.y - bandTop()) / rowHeight)));
}

void UIPickerView::touchesCancelled()
{
    touchedComponent_ = -1;
    dragOffset_ = 0;
    dragging_ = false;
    setNeedsDisplay();
}

bool UIPickerView::scrollByWheel(CGPoint point, CGFloat dx, CGFloat dy)
{
    (void)dx;
    const int component = componentAt(point);
    if (component < 0)
        return numberOfComponents() > 0;
    if (component != wheelComponent_)
        wheelComponent_ = component, wheelTravel_ = 0;
    // A notch of the mouse wheel is a row's height; a touchpad's small steps add up to one.
    wheelTravel_ += dy;
    const auto rows = int(wheelTravel_ / rowHeight);
    wheelTravel_ -= CGFloat(rows) * rowHeight;
    if (rows != 0)
        turn(component, selectedRowInComponent(component) + rows);
    return true;
}

int UIPickerView::focusedComponent() const
{
    return std::clamp(focusedComponent_, 0, std::max(0, numberOfComponents() - 1));
}

bool UIPickerView::keyPressed(UIKey key)
{
    const int component = focusedComponent();
    const int selected = selectedRowInComponent(component);
    const int page = std::max(1, int(bounds().size.height / rowHeight) - 1);
    switch (key) {
    case UIKey::Left: focusedComponent_ = std::max(0, component - 1); break;
    case UIKey::Right: focusedComponent_ = std::min(numberOfComponents() - 1, component + 1); break;
    case UIKey::Up: turn(component, selected - 1); break;
    case UIKey::Down: turn(component, selected + 1); break;
    case UIKey::PageUp: turn(component, selected - page); break;
    case UIKey::PageDown: turn(component, selected + page); break;
    case UIKey::Home: turn(component, 0); break;
    case UIKey::End: turn(component, numberOfRowsInComponent(component) - 1); break;
    default: return false;
    }
    setNeedsDisplay();
    return true;
}

CGRect UIPickerView::focusRingRect() const
{
    const CGRect wheel = rectForComponent(focusedComponent());
    return CGRectMake(wheel.origin.x, bandTop(), wheel.size.width, rowHeight);
}

void UIPickerView::turn(int component, int row)
{
    const int before = selectedRowInComponent(component);
    selectRow_inComponent_animated(row, component, true);
    const int after = selectedRowInComponent(component);
    if (after != before && delegate_)
        delegate_->pickerView_didSelectRow_inComponent(this, after, component);
}

void UIPickerView::drawRect(CGRect rect)
{
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (!context)
        return;
    UIRectFillWithGradient(
        rect, CGLinearGradient::vertical(rect, rgb(0x6b, 0x6e, 0x78), rgb(0x23, 0x25, 0x2b)));

    const UIFont font = UIFont::boldSystemFontOfSize(22);
    const int components = numberOfComponents();
    for (int component = 0; component < components; ++component) {
        const CGRect wheel = rectForComponent(component);
        CGContextSaveGState(context);
        UIRectClip(wheel);
        UIGraphicsSetFillColor(UIColor::whiteColor());
        UIRectFill(wheel);
        const int rows = numberOfRowsInComponent(component);
        const int selected = selectedRowInComponent(component);
        const int reach = int(std::ceil(wheel.size.height / rowHeight)) + 1;
        for (int row = std::max(0, selected - reach); row < std::min(rows, selected + reach + 1);
             ++row) {
            const std::string title =
                delegate_ ? delegate_->pickerView_titleForRow_forComponent(this, row, component)
                          : std::string();
            if (title.empty())
                continue;
            const CGRect cell = rectForRow_inComponent(row, component);
            UIGraphicsSetFillColor(UIColor::blackColor());
            drawInRect_withFont_lineBreakMode_alignment(
                title,
                CGRectMake(cell.origin.x + 8, cell.origin.y + (rowHeight - font.lineHeight()) / 2,
                           cell.size.width - 16, font.lineHeight()),
                font, UILineBreakModeTailTruncation, UITextAlignmentCenter);
        }
        // The wheel curves away from the viewer at the top and the bottom.
        const CGFloat shade = CGFloat(double(wheel.size.height) * 0.35);
        const CGRect top = CGRectMake(wheel.origin.x, wheel.origin.y, wheel.size.width, shade);
        UIRectFillWithGradient(top,
                               CGLinearGradient::vertical(top, rgb(0, 0, 0, 150), rgb(0, 0, 0, 0)));
        const CGRect bottom =
            CGRectMake(wheel.origin.x, CGRectGetMaxY(wheel) - shade, wheel.size.width, shade);
        UIRectFillWithGradient(
            bottom, CGLinearGradient::vertical(bottom, rgb(0, 0, 0, 0), rgb(0, 0, 0, 150)));
        CGContextRestoreGState(context);
        UIGraphicsSetStrokeColor(rgb(0x20, 0x20, 0x20));
        UIGraphicsSetLineCap(kCGLineCapSquare);
        UIRectStroke(CGRectInset(wheel, -0.5, -0.5));
    }

    if (showsSelectionIndicator_) {
        const CGRect band =
            CGRectMake(rect.origin.x + 4, bandTop() - 1, rect.size.width - 8, rowHeight + 2);
        CGLinearGradient glass =
            CGLinearGradient::vertical(band, rgb(0xd6, 0xdb, 0xf0, 90), rgb(0x6f, 0x7a, 0xa8, 90));
        glass.stops.insert(glass.stops.begin() + 1, {0.5, rgb(0x9a, 0xa3, 0xc8, 60)});
        UIRectFillWithGradient(band, glass);
        UIGraphicsSetStrokeColor(rgb(0x4a, 0x52, 0x70, 220));
        UIGraphicsSetLineCap(kCGLineCapSquare);
        UIRectStroke(CGRectInset(band, 0.5, 0.5));
    }
}

UIAccessibilityElement UIPickerView::accessibilityElementAtIndex(int component) const
{
    UIAccessibilityElement wheel;
    auto* self = const_cast<UIPickerView*>(this);
    if (delegate_)
        wheel.accessibilityLabel =
            delegate_->pickerView_accessibilityLabelForComponent(self, component);
    if (const int row = selectedRowInComponent(component); row >= 0)
        wheel.accessibilityValue =
            delegate_ ? delegate_->pickerView_titleForRow_forComponent(self, row, component)
                      : std::to_string(row);
    wheel.accessibilityTraits = UIAccessibilityTraitAdjustable;
    wheel.accessibilityFrame = rectForComponent(component);
    auto turnBy = [weak = self->weak_from_this(), component](int rows) {
        if (auto view = std::static_pointer_cast<UIPickerView>(weak.lock())) {
            const int row = view->selectedRowInComponent(component) + rows;
            if (row >= 0 && row < view->numberOfRowsInComponent(component))
                view->turn(component, row);
        }
    };
    wheel.accessibilityIncrement = [turnBy] { turnBy(1); };
    wheel.accessibilityDecrement = [turnBy] { turnBy(-1); };
    return wheel;
}

void UIPickerView::describe(DumpRecord& record) const
{
    UIView::describe(record);
    DumpRecord::Numbers rows;
    for (int component = 0, count = numberOfComponents(); component < count; ++component)
        rows.push_back(selectedRowInComponent(component));
    record.set("selectedRows", std::move(rows));
    record.set("showsSelectionIndicator", showsSelectionIndicator_);
}
