#include "RootViewController.h"

void RootViewController::tableView_didSelectRowAtIndexPath(UITableView* /*tableView*/,
                                                           const NSIndexPath& /*indexPath*/)
{
}

void RootViewController::theBackButton_event(UIBarButtonItem* /*sender*/) {}

void RootViewController::theSendButton_event(UIBarButtonItem* /*sender*/) {}

void RootViewController::actionSheet_clickedButtonAtIndex(UIActionSheet* /*actionSheet*/,
                                                          int /*buttonIndex*/)
{
}

bool RootViewController::personViewController_shouldPerformDefaultActionForPerson_property_identifier(
    ABPersonViewController* /*personViewController*/, const ab::Person& /*person*/,
    int32_t /*property*/, int32_t /*identifier*/)
{
    return true;
}

void RootViewController::navigationController_didShowViewController_animated(
    UINavigationController* /*navigationController*/, UIViewController* /*viewController*/,
    bool /*animated*/)
{
}

std::string RootViewController::replaceString_inString_withString(std::string_view target,
                                                                  std::string_view source,
                                                                  std::string_view replacement)
{
    std::string result(source);
    if (target.empty()) return result;
    // Searching on after each replacement, so a replacement that holds the target ends.
    for (size_t at = result.find(target); at != std::string::npos;
         at = result.find(target, at + replacement.size())) {
        result.replace(at, target.size(), replacement);
    }
    return result;
}
