#include "QuitReminders.h"

#include "foundation/Bundle.h"
#include "uikit/UIAlertView.h"
#include "uikit/UIApplication.h"

#include <memory>
#include <string>

namespace springboard {
namespace {

std::string text(std::string_view english)
{
    return NSBundle::mainBundle().localizedStringForKey(english);
}

class Confirmation : public UIAlertViewDelegate {
public:
    void ask()
    {
        if (alert_ && alert_->isVisible())
            return;
        alert_ = std::make_shared<UIAlertView>(
            text("Quit Reminders?"), text("Birthday reminders stay off until your next login."),
            this, text("Cancel"), std::vector<std::string>{text("Quit Reminders")});
        alert_->show();
    }
    // Once the question is gone, so that its copy among the desktop's notifications is taken
    // back before the end.
    void alertView_didDismissWithButtonIndex(UIAlertView* alert, int index) override
    {
        if (index != alert->cancelButtonIndex())
            UIApplication::sharedApplication()->terminateWithStatus(0);
    }

private:
    std::shared_ptr<UIAlertView> alert_;
};

} // namespace

void confirm_quitting_reminders(const std::function<void()>& show_window)
{
    // For the life of the process: the alert tells it of the answer.
    static auto* confirmation = new Confirmation;
    show_window();
    confirmation->ask();
}

} // namespace springboard
