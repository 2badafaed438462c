#include "HomeScreen.h"

#include "IconView.h"
#include "foundation/Journal.h"
#include "uikit/UIScreen.h"
#include "uikit/UIWindow.h"

namespace springboard {
namespace {

constexpr int kColumns = 4;
constexpr CGFloat kTop = 20 + 8; // below the status bar

} // namespace

HomeScreen::HomeScreen(std::vector<InstalledApplication> applications, Launcher launcher)
    : applications_(std::move(applications)), launcher_(std::move(launcher))
{
}

HomeScreen::~HomeScreen() = default;

const InstalledApplication* HomeScreen::application(const std::string& identifier) const
{
    for (const auto& app : applications_)
        if (app.identifier == identifier)
            return &app;
    return nullptr;
}

bool HomeScreen::setBadge(const std::string& identifier, const std::string& text)
{
    const InstalledApplication* app = application(identifier);
    if (app == nullptr)
        return false;
    badges_[identifier] = text;
    os::journal("badge " + identifier + " " + os::journal_quote(text));
    for (const auto& icon : icons_)
        if (icon->identifier() == identifier)
            icon->setBadge(text);
    if (badgeObserver_)
        badgeObserver_(*app, text);
    return true;
}

std::string HomeScreen::badge(const std::string& identifier) const
{
    const auto found = badges_.find(identifier);
    return found == badges_.end() ? std::string() : found->second;
}

void HomeScreen::show()
{
    window_ = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    window_->setBackgroundColor(UIColor(0.11f, 0.14f, 0.22f, 1));
    icons_.clear();
    for (size_t i = 0; i < applications_.size(); ++i) {
        const CGPoint origin{4 + IconView::kWidth * static_cast<CGFloat>(i % kColumns),
                             kTop + IconView::kHeight * static_cast<CGFloat>(i / kColumns)};
        auto icon = std::make_shared<IconView>(applications_[i], origin);
        const InstalledApplication& app = applications_[i];
        icon->addTarget_action_forControlEvents([this, &app](UIControl*) { launcher_(app); },
                                                UIControlEventTouchUpInside);
        window_->addSubview(icon);
        icons_.push_back(std::move(icon));
    }
    redrawIcons();
    window_->makeKeyAndVisible();
}

void HomeScreen::redrawIcons()
{
    for (const auto& icon : icons_)
        icon->setBadge(badge(icon->identifier()));
}

} // namespace springboard
