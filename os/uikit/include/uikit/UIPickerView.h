#pragma once
// Spinning wheels of rows side by side, one per component, the selected row of each in the middle
// band. The rows come from a data source, their titles from a delegate; neither is owned, and
// both are asked again whenever the picker needs them.
//
// A tap on a row above or below the middle band turns that wheel to it; a vertical drag turns it
// by whole rows. Either tells the delegate the new row. selectRow from code tells nobody.
#include "uikit/UIView.h"

#include <string>
#include <vector>

class UIPickerView;

class UIPickerViewDataSource {
public:
    virtual ~UIPickerViewDataSource() = default;
    virtual int numberOfComponentsInPickerView(UIPickerView* pickerView) = 0;
    virtual int pickerView_numberOfRowsInComponent(UIPickerView* pickerView, int component) = 0;
};

class UIPickerViewDelegate {
public:
    virtual ~UIPickerViewDelegate() = default;
    virtual std::string pickerView_titleForRow_forComponent(UIPickerView* pickerView, int row,
                                                            int component)
    {
        (void)pickerView, (void)row, (void)component;
        return {};
    }
    virtual void pickerView_didSelectRow_inComponent(UIPickerView* pickerView, int row,
                                                     int component)
    {
        (void)pickerView, (void)row, (void)component;
    }
    // What a screen reader calls the wheel; none by default.
    virtual std::string pickerView_accessibilityLabelForComponent(UIPickerView* pickerView,
                                                                  int component)
    {
        (void)pickerView, (void)component;
        return {};
    }
};

class UIPickerView : public UIView {
public:
    // The platform's picker: a fixed height, the screen's width.
    static constexpr CGSize standardSize{320, 216};
    static constexpr CGFloat rowHeight = 44;

    explicit UIPickerView(CGRect frame = CGRectZero);
    std::string className() const override { return "UIPickerView"; }

    UIPickerViewDataSource* dataSource() const { return dataSource_; }
    void setDataSource(UIPickerViewDataSource* dataSource);
    UIPickerViewDelegate* delegate() const { return delegate_; }
    void setDelegate(UIPickerViewDelegate* delegate);

    // The glass band across the selected rows; off by default.
    void setShowsSelectionIndicator(bool shows);

    int numberOfComponents() const;
    int numberOfRowsInComponent(int component) const;
    // The row in the middle band, or -1 when the component has no rows.
    int selectedRowInComponent(int component) const;
    // Clamped to the component's rows; an unknown component is ignored.
    void selectRow_inComponent_animated(int row, int component, bool animated);
    // Asks the data source and the delegate again and keeps each selection within its rows.
    void reloadAllComponents();

    // The wheel of the component, in the picker's coordinates.
    CGRect rectForComponent(int component) const;
    // Where the row is drawn now, in the picker's coordinates (rows far from the middle band lie
    // outside the bounds).
    CGRect rectForRow_inComponent(int row, int component) const;

    // Always the standard size: the platform's picker does not stretch.
    CGSize sizeThatFits(CGSize size) const override;
    bool handlesTouches() const override { return true; }
    void touchesBegan(CGPoint point) override;
    void touchesMoved(CGPoint point) override;
    void touchesEnded(CGPoint point) override;
    void touchesCancelled() override;
    // The wheel under the pointer turns a row a notch, and tells the delegate.
    bool scrollByWheel(CGPoint point, CGFloat dx, CGFloat dy) override;

    // Focused, Up and Down turn a wheel by a row (telling the delegate), Page Up and Page Down by
    // a band's height, Home and End to its ends; Left and Right pick the wheel. The ring goes
    // around that wheel's middle band.
    bool canBecomeFocused() const override { return numberOfComponents() > 0; }
    bool keyPressed(UIKey key) override;
    CGRect focusRingRect() const override;
    int focusedComponent() const;
    void drawRect(CGRect rect) override;
    // A group of wheels, each an adjustable element: named by the delegate, its value the
    // title of its selected row; turned a row at a time as by a tap, so the delegate hears.
    UIAccessibilityContainerType accessibilityContainerType() const override
    {
        return UIAccessibilityContainerTypeSemanticGroup;
    }
    int accessibilityElementCount() const override { return numberOfComponents(); }
    UIAccessibilityElement accessibilityElementAtIndex(int component) const override;
    void describe(uikit::DumpRecord& record) const override;

private:
    CGFloat bandTop() const;
    int componentAt(CGPoint point) const;
    void turn(int component, int row);

    UIPickerViewDataSource* dataSource_ = nullptr;
    UIPickerViewDelegate* delegate_ = nullptr;
    bool showsSelectionIndicator_ = false;
    mutable std::vector<int> selected_;
    int touchedComponent_ = -1;
    CGPoint touchStart_;
    CGFloat dragOffset_ = 0;
    bool dragging_ = false;
    int focusedComponent_ = 0;
    int wheelComponent_ = -1;
    CGFloat wheelTravel_ = 0; // less than a row, towards the next turn
};
