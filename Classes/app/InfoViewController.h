#pragma once
// The settings screen: a grouped table of six switches and the alert time, with a time picker
// below, under a black navigation bar whose only button, "Save", writes the eight settings to the
// settings file and closes the screen, or says that it could not and stays. The switches and the
// picker change the application's settings values at once; the file changes only on "Save".
//
// Made afresh each time the main screen presents it, inside a navigation controller of its own;
// controllers are made with std::make_shared. Main thread only.
#include "audio/AudioServices.h"
#include "shared/DeviceNames.h"
#include "uikit/UIAlertView.h"
#include "uikit/UIDatePicker.h"
#include "uikit/UILabel.h"
#include "uikit/UIPickerView.h"
#include "uikit/UISwitch.h"
#include "uikit/UITableView.h"
#include "uikit/UIViewController.h"

#include <cstdint>
#include <memory>
#include <string>

class UIBarButtonItem;

class InfoViewController : public UIViewController,
                           public UITableViewDelegate,
                           public UITableViewDataSource,
                           public UIPickerViewDelegate,
                           public UIAlertViewDelegate {
public:
    // The sound that turning "Sound" on plays (a device path).
    static constexpr const char* kSoundPath = tortamos::kAlertSoundPath;

    // initWithNibName:bundle:
    explicit InfoViewController(std::string nibName = {}, NSBundle* bundle = nullptr);
    // Disposes the preview sound.
    ~InfoViewController() override;

    // When true, loading the view builds nothing.
    bool isViewPushed() const { return isViewPushed_; }
    void setIsViewPushed(bool pushed) { isViewPushed_ = pushed; }
    const std::shared_ptr<UITableView>& myTableView() const { return myTableView_; }
    void setMyTableView(std::shared_ptr<UITableView> tableView)
    {
        myTableView_ = std::move(tableView);
    }

    // Builds the bar, the view, the table, reads the settings and makes the controls.
    void viewDidLoad() override;

    // --- the table: "Signaling:" (badge), "Alert:" (time, pop-up, sound, stand-by), "Options:"
    // (hide age, hide sign)
    int numberOfSectionsInTableView(UITableView* tableView) override;
    int tableView_numberOfRowsInSection(UITableView* tableView, int section) override;
    std::string tableView_titleForHeaderInSection(UITableView* tableView, int section) override;
    std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(
        UITableView* tableView, const NSIndexPath& indexPath) override;
    UITableViewCellEditingStyle tableView_editingStyleForRowAtIndexPath(
        UITableView* tableView, const NSIndexPath& indexPath) override;
    // "Time" shows or hides the time picker, set to the stored time; any other row hides it.
    void tableView_didSelectRowAtIndexPath(UITableView* tableView,
                                           const NSIndexPath& indexPath) override;
    // A reusable settings row, or a new one.
    std::shared_ptr<UITableViewCell> obtainTableCellForRow(int row);

    // --- reading the settings and building the controls, in the order viewDidLoad calls them
    void initializeDatabase();
    void create_UISwitch();
    void create_labelTimer();
    void create_UISwitch_Age();
    void create_UISwitch_Signo();
    void create_UISwitch_Popup();
    void create_UISwitch_Sound();
    void create_UISwitch_Standby();
    void createPicker();
    void createDatePicker();
    // A picker of the size at the bottom of the screen, above the space of a bar.
    CGRect pickerFrameWithSize(CGSize size) const;

    // --- actions
    // Any switch but "Sound": all five switches' states into their settings, 1 on and 0 off.
    void switchAction(UIControl* sender);
    // "Sound": its setting; turned on, it plays the sound once.
    void switchActionSound(UIControl* sender);
    // The time picker: its hour and minute into the alert time and the "Time" row.
    void dueDateChanged(UIControl* sender);
    // "Save": writes the eight settings, tells the agent (the change notice) and closes the
    // screen; when nothing could be written it says so in an alert, and the screen stays open
    // with the edited values ("OK") or closes unsaved ("Close"), since on a device that cannot
    // be written no Save ever succeeds.
    void cancel_Clicked(UIBarButtonItem* sender);
    void alertView_clickedButtonAtIndex(UIAlertView* alertView, int buttonIndex) override;

    // --- the controls, made by the builders
    std::shared_ptr<UISwitch> switchCtl; // "Use Badge"
    std::shared_ptr<UISwitch> switchAge; // "Hide Age (1900)"
    std::shared_ptr<UISwitch> switchSigno; // "Hide Horoscope"
    std::shared_ptr<UISwitch> switchPopup; // "Popup"
    std::shared_ptr<UISwitch> switchSound; // "Sound"
    std::shared_ptr<UISwitch> switchStandby; // "Work Standby mode"
    std::shared_ptr<UIDatePicker> datePickerView;
    // Never shown: its fitting size gives both pickers their frame.
    std::shared_ptr<UIPickerView> myPickerView;
    std::shared_ptr<UILabel> labelTimer;
    SystemSoundID soundID = 0;

private:
    std::shared_ptr<UISwitch> newSwitch(int32_t value,
                                        void (InfoViewController::*action)(UIControl*));
    void showTimer();

    bool isViewPushed_ = false;
    // Whether the screen's values came from the file.
    bool settingsRead_ = false;
    std::shared_ptr<UITableView> myTableView_;
};
