#include "InfoViewController.h"

#include "ChangeNotice.h"
#include "DisplayCell.h"
#include "Settings.h"
#include "foundation/Bundle.h"
#include "platform/DateServices.h"
#include "uikit/UIBarButtonItem.h"
#include "uikit/UINavigationController.h"
#include "uikit/UIScreen.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

std::string localized(std::string_view key)
{
    return NSBundle::mainBundle().localizedStringForKey(key, "", "");
}

// The table leaves a strip below it.
constexpr CGFloat kTableHeightReduction = 45;
// The picker stands above the space of a navigation bar.
constexpr double kBarHeight = 44;

bool isTimeRow(const NSIndexPath& indexPath)
{
    return indexPath.section() == 1 && indexPath.row() == 0;
}

// The rows in table order: where each stands, its title and the control at its right. The row
// counts, the titles and the controls all come from this one table.
struct SettingsRow {
    int section;
    int row;
    const char* title;
    std::shared_ptr<UIView> (*control)(const InfoViewController&);
};

template <auto member>
std::shared_ptr<UIView> controlOf(const InfoViewController& screen)
{
    return screen.*member;
}

constexpr SettingsRow kRows[] = {
    {0, 0, "Use Badge", controlOf<&InfoViewController::switchCtl>},
    {1, 0, "Time", controlOf<&InfoViewController::labelTimer>},
    {1, 1, "Popup", controlOf<&InfoViewController::switchPopup>},
    {1, 2, "Sound", controlOf<&InfoViewController::switchSound>},
    {1, 3, "Work Standby mode", controlOf<&InfoViewController::switchStandby>},
    {2, 0, "Hide Age (1900)", controlOf<&InfoViewController::switchAge>},
    {2, 1, "Hide Horoscope", controlOf<&InfoViewController::switchSigno>},
};

const SettingsRow* rowAt(const NSIndexPath& indexPath)
{
    for (const SettingsRow& entry : kRows)
        if (entry.section == indexPath.section() && entry.row == indexPath.row())
            return &entry;
    return nullptr;
}

} // namespace

InfoViewController::InfoViewController(std::string nibName, NSBundle* bundle)
    : UIViewController(std::move(nibName), bundle)
{
}

InfoViewController::~InfoViewController()
{
    if (soundID != 0)
        AudioServicesDisposeSystemSoundID(soundID);
    if (myTableView_) {
        myTableView_->setDelegate(nullptr);
        myTableView_->setDataSource(nullptr);
    }
    if (myPickerView)
        myPickerView->setDelegate(nullptr);
}

void InfoViewController::viewDidLoad()
{
    UIViewController::viewDidLoad();
    if (isViewPushed_)
        return;

    std::weak_ptr<UIViewController> weak = weak_from_this();
    navigationItem()->setLeftBarButtonItem(std::make_shared<UIBarButtonItem>(
        localized("Save"), UIBarButtonItemStyleDone, [weak, this](UIBarButtonItem* sender) {
            if (auto alive = weak.lock())
                cancel_Clicked(sender);
        }));
    if (UINavigationController* navigation = navigationController())
        navigation->navigationBar()->setBarStyle(UIBarStyleBlackOpaque);
    navigationItem()->setTitle(localized("Settings"));

    auto contentView = std::make_shared<UIView>(UIScreen::mainScreen().applicationFrame());
    contentView->setBackgroundColor(UIColor::blackColor());
    contentView->setAutoresizesSubviews(true);
    contentView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    setView(contentView);

    const CGSize content = contentView->bounds().size;
    myTableView_ = std::make_shared<UITableView>(
        CGRectMake(0, 0, content.width, content.height - kTableHeightReduction),
        UITableViewStyleGrouped);
    myTableView_->setDelegate(this);
    myTableView_->setDataSource(this);
    myTableView_->setAutoresizesSubviews(true);
    contentView->addSubview(myTableView_);

    initializeDatabase();

    create_UISwitch();
    create_labelTimer();
    create_UISwitch_Age();
    create_UISwitch_Signo();
    create_UISwitch_Popup();
    create_UISwitch_Sound();
    create_UISwitch_Standby();
    createPicker();
    createDatePicker();
}

void InfoViewController::initializeDatabase() { settingsRead_ = settings::loadAllSettings(); }

std::shared_ptr<UISwitch> InfoViewController::newSwitch(
    int32_t value, void (InfoViewController::*action)(UIControl*))
{
    auto control = std::make_shared<UISwitch>(CGRectMake(0, 0, 94, 27));
    std::weak_ptr<UIViewController> weak = weak_from_this();
    control->addTarget_action_forControlEvents(
        [weak, this, action](UIControl* sender) {
            if (auto alive = weak.lock())
                (this->*action)(sender);
        },
        UIControlEventValueChanged);
    control->setBackgroundColor(UIColor::clearColor());
    // Only a stored 1 is on: any other value shows off.
    control->setOn_animated(value == 1, false);
    return control;
}

void InfoViewController::create_UISwitch()
{
    switchCtl = newSwitch(bBadge, &InfoViewController::switchAction);
}

void InfoViewController::create_labelTimer()
{
    labelTimer = std::make_shared<UILabel>(CGRectMake(175, 9, 80, 25));
    labelTimer->setBackgroundColor(UIColor::whiteColor());
    labelTimer->setTextColor(UIColor::grayColor());
    labelTimer->setTextAlignment(UITextAlignmentRight);
    labelTimer->setFont(UIFont::systemFontOfSize(18));
    showTimer();
}

void InfoViewController::create_UISwitch_Age()
{
    switchAge = newSwitch(bHideAge, &InfoViewController::switchAction);
}

void InfoViewController::create_UISwitch_Signo()
{
    switchSigno = newSwitch(bHideSigno, &InfoViewController::switchAction);
}

void InfoViewController::create_UISwitch_Popup()
{
    switchPopup = newSwitch(bPopup, &InfoViewController::switchAction);
}

void InfoViewController::create_UISwitch_Sound()
{
    switchSound = newSwitch(bSound, &InfoViewController::switchActionSound);
}

void InfoViewController::create_UISwitch_Standby()
{
    switchStandby = newSwitch(bStandby, &InfoViewController::switchAction);
}

CGRect InfoViewController::pickerFrameWithSize(CGSize size) const
{
    const double screenHeight = UIScreen::mainScreen().applicationFrame().size.height;
    const double y = screenHeight - kBarHeight - double(size.height);
    return CGRectMake(0, static_cast<CGFloat>(y), size.width, size.height);
}

void InfoViewController::createPicker()
{
    myPickerView = std::make_shared<UIPickerView>(CGRectZero);
    myPickerView->setFrame(pickerFrameWithSize(myPickerView->sizeThatFits(CGSizeMake(0, 0))));
    myPickerView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    myPickerView->setDelegate(this);
    myPickerView->setShowsSelectionIndicator(true);
    myPickerView->setHidden(true);
    view()->addSubview(myPickerView);
}

void InfoViewController::createDatePicker()
{
    datePickerView = std::make_shared<UIDatePicker>(CGRectZero);
    datePickerView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    datePickerView->setDatePickerMode(UIDatePickerModeCountDownTimer);
    datePickerView->setFrame(pickerFrameWithSize(myPickerView->sizeThatFits(CGSizeMake(0, 0))));
    datePickerView->setHidden(true);
    std::weak_ptr<UIViewController> weak = weak_from_this();
    datePickerView->addTarget_action_forControlEvents(
        [weak, this](UIControl* sender) {
            if (auto alive = weak.lock())
                dueDateChanged(sender);
        },
        UIControlEventValueChanged);
    view()->addSubview(datePickerView);
}

int InfoViewController::numberOfSectionsInTableView(UITableView* tableView)
{
    (void)tableView;
    return 3;
}

int InfoViewController::tableView_numberOfRowsInSection(UITableView* tableView, int section)
{
    (void)tableView;
    return int(
        std::count_if(std::begin(kRows), std::end(kRows),
                      [section](const SettingsRow& entry) { return entry.section == section; }));
}

std::string InfoViewController::tableView_titleForHeaderInSection(UITableView* tableView,
                                                                  int section)
{
    (void)tableView;
    switch (section) {
    case 0: return localized("Signaling:");
    case 1: return localized("Alert:");
    case 2: return localized("Options:");
    default: return {};
    }
}

std::shared_ptr<UITableViewCell> InfoViewController::obtainTableCellForRow(int row)
{
    (void)row;
    if (myTableView_)
        if (auto cell = myTableView_->dequeueReusableCellWithIdentifier(kDisplayCell_ID))
            return cell;
    return std::make_shared<DisplayCell>(CGRectZero, kDisplayCell_ID);
}

std::shared_ptr<UITableViewCell> InfoViewController::tableView_cellForRowAtIndexPath(
    UITableView* tableView, const NSIndexPath& indexPath)
{
    (void)tableView;
    auto cell = std::dynamic_pointer_cast<DisplayCell>(obtainTableCellForRow(indexPath.row()));
    if (!cell)
        return nullptr;
    const SettingsRow* row = rowAt(indexPath);
    cell->nameLabel()->setText(localized(row ? row->title : ""));
    cell->setView(row ? row->control(*this) : nullptr);
    cell->setSelectionStyle(isTimeRow(indexPath) ? UITableViewCellSelectionStyleGray
                                                 : UITableViewCellSelectionStyleNone);
    return cell;
}

UITableViewCellEditingStyle InfoViewController::tableView_editingStyleForRowAtIndexPath(
    UITableView* tableView, const NSIndexPath& indexPath)
{
    (void)tableView, (void)indexPath;
    return UITableViewCellEditingStyleNone;
}

void InfoViewController::tableView_didSelectRowAtIndexPath(UITableView* tableView,
                                                           const NSIndexPath& indexPath)
{
    tableView->deselectRowAtIndexPath_animated(indexPath, true);
    if (!datePickerView)
        return;
    if (isTimeRow(indexPath)) {
        const platform::Calendar calendar;
        datePickerView->setDate(calendar.dateFromParts(2009, 1, 1, iTimerHour, iTimerMinute));
        datePickerView->setHidden(!datePickerView->isHidden());
    } else {
        datePickerView->setHidden(true);
    }
}

void InfoViewController::dueDateChanged(UIControl* sender)
{
    (void)sender;
    const double date = datePickerView->date();
    iTimerHour = platform::DateFormatter("HH").intFromDate(date);
    iTimerMinute = platform::DateFormatter("mm").intFromDate(date);
    showTimer();
}

void InfoViewController::showTimer()
{
    char text[32];
    std::snprintf(text, sizeof text, "%02i:%02i:00", int(iTimerHour), int(iTimerMinute));
    labelTimer->setText(text);
}

void InfoViewController::switchAction(UIControl* sender)
{
    (void)sender;
    bBadge = switchCtl->isOn() ? 1 : 0;
    bHideAge = switchAge->isOn() ? 1 : 0;
    bHideSigno = switchSigno->isOn() ? 1 : 0;
    bPopup = switchPopup->isOn() ? 1 : 0;
    bStandby = switchStandby->isOn() ? 1 : 0;
}

void InfoViewController::switchActionSound(UIControl* sender)
{
    (void)sender;
    bSound = switchSound->isOn() ? 1 : 0;
    if (bSound == 1) {
        AudioServicesCreateSystemSoundID(kSoundPath, &soundID);
        AudioServicesPlaySystemSound(soundID);
    } else {
        AudioServicesDisposeSystemSoundID(soundID);
        soundID = 0;
    }
}

void InfoViewController::cancel_Clicked(UIBarButtonItem* sender)
{
    (void)sender;
    // A screen that could not read the settings shows values that are not the stored ones;
    // saving them would overwrite the user's settings with zeros.
    if (settingsRead_ && settings::saveAllSettings()) {
        // A window may stay open for days: the agent hears of the change now, not at the quit.
        postChangeNotice();
        dismissModalViewControllerAnimated(true);
        return;
    }
    // Closing now would pass for a save: the screen stays with the edited values, so Save can be
    // tapped again once the other program lets go of the file.
    const char* why =
        settingsRead_ ? "Another program is using the settings file, or the device cannot be "
                        "written. Your changes are still here: tap Save to try again."
                      : "The settings could not be read when this screen opened, and saving would "
                        "overwrite them. Close it and open Settings again.";
    auto alert = std::make_shared<UIAlertView>(localized("Settings not saved"), localized(why),
                                               this, localized("OK"),
                                               std::vector<std::string>{localized("Close")});
    alert->show();
}

void InfoViewController::alertView_clickedButtonAtIndex(UIAlertView* alertView, int buttonIndex)
{
    if (buttonIndex != alertView->cancelButtonIndex())
        dismissModalViewControllerAnimated(true);
}
