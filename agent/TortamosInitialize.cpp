// The library's initialiser: runs when the library is loaded into a process.
#include "AgentEnvironment.h"
#include "AgentLoading.h"
#include "uikit/UIAlertView.h"
#include "uikit/UIDevice.h"

#include <memory>

namespace {

void show_alert_view(const char* title, const char* message, const char* button,
                     const std::vector<std::string>& personNames)
{
    auto alert = std::make_shared<UIAlertView>();
    alert->setTitle(title);
    alert->setMessage(message);
    alert->setPersonNames(personNames);
    alert->addButtonWithTitle(button);
    alert->show();
}

} // namespace

__attribute__((constructor)) void TortamosInitialize()
{
    auto& env = agent::environment();
    env.systemVersion = [] { return UIDevice::currentDevice().systemVersion(); };
    env.showAlert = show_alert_view;
    agent::take_hold();
}
