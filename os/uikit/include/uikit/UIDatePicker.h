#pragma once
// A picker of a time of day: an hours wheel (0 to 23) and a minutes wheel (0 to 59) showing the
// local time of its date. Turning a wheel moves the date to that hour and minute of the same local
// day, whole minutes, and sends UIControlEventValueChanged once; setDate from code sends nothing.
// Local time is the process's default time zone of the date services.
#include "uikit/UIControl.h"
#include "uikit/UIPickerView.h"

#include <memory>

class UILabel;

// The count-down-timer face is the one this toolkit draws.
enum UIDatePickerMode {
    UIDatePickerModeCountDownTimer = 3,
};

class UIDatePicker : public UIControl,
                     private UIPickerViewDataSource,
                     private UIPickerViewDelegate {
public:
    enum Component { hoursComponent = 0, minutesComponent = 1 };

    explicit UIDatePicker(CGRect frame = CGRectZero);
    ~UIDatePicker() override;
    std::string className() const override { return "UIDatePicker"; }

    void setDatePickerMode(UIDatePickerMode mode) { mode_ = mode; }

    // Milliseconds since 1970-01-01 00:00 UTC, the count of the date services.
    double date() const { return date_; }
    void setDate(double date) { setDate_animated(date, false); }
    void setDate_animated(double date, bool animated);

    // What the wheels show: the date's local hour and minute.
    int hour() const;
    int minute() const;
    // The wheels, for touches and inspection.
    UIPickerView& wheels() const { return *wheels_; }

    CGSize sizeThatFits(CGSize size) const override;
    // Its wheels take the focus and the keys, and the mouse wheel over the units too.
    bool canBecomeFocused() const override { return false; }
    bool scrollByWheel(CGPoint point, CGFloat dx, CGFloat dy) override;
    void layoutSubviews() override;
    void describe(uikit::DumpRecord& record) const override;

private:
    int numberOfComponentsInPickerView(UIPickerView* pickerView) override;
    int pickerView_numberOfRowsInComponent(UIPickerView* pickerView, int component) override;
    std::string pickerView_titleForRow_forComponent(UIPickerView* pickerView, int row,
                                                    int component) override;
    void pickerView_didSelectRow_inComponent(UIPickerView* pickerView, int row,
                                             int component) override;
    std::string pickerView_accessibilityLabelForComponent(UIPickerView* pickerView,
                                                          int component) override;
    void showDate();

    UIDatePickerMode mode_ = UIDatePickerModeCountDownTimer;
    double date_ = 0;
    std::shared_ptr<UIPickerView> wheels_;
    std::shared_ptr<UILabel> hoursUnit_;
    std::shared_ptr<UILabel> minutesUnit_;
};
