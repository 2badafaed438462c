#include "uikit/OpenURLOrOfferCopy.h"

#include "Screen.h"
#include "foundation/DeviceText.h"
#include "uikit/NSURL.h"
#include "uikit/UIAlertView.h"
#include "uikit/UIApplication.h"

#include <QClipboard>
#include <QGuiApplication>
#include <memory>

namespace uikit {
namespace {

struct MissingProgram {
    std::string title;
    std::string message;
    std::string copy;
};

MissingProgram missingProgram(const std::string& scheme)
{
    if (scheme == "tel")
        return {os::deviceText("Cannot Call"),
                os::deviceText("No program on this computer makes phone calls (tel: links). One "
                               "that calls through your phone, such as KDE Connect, can."),
                os::deviceText("Copy Number")};
    if (scheme == "sms")
        return {os::deviceText("Cannot Send Message"),
                os::deviceText("No program on this computer sends text messages (sms: links). "
                               "One that texts through your phone, such as KDE Connect, can."),
                os::deviceText("Copy Number")};
    if (scheme == "mailto")
        return {os::deviceText("Cannot Write E-mail"),
                os::deviceText("No e-mail program on this computer opens mailto: links."),
                os::deviceText("Copy Address")};
    return {os::deviceText("Cannot Open Link"),
            os::deviceText("No program on this computer opens %1: links.", {scheme}),
            os::deviceText("Copy")};
}

// The alert's delegate, alive until the alert has gone.
class CopyOffer : public UIAlertViewDelegate {
public:
    explicit CopyOffer(std::string value) : value_(std::move(value)) {}

    void alertView_clickedButtonAtIndex(UIAlertView* alert, int index) override
    {
        if (index != alert->cancelButtonIndex())
            QGuiApplication::clipboard()->setText(QString::fromStdString(value_));
    }
    void alertView_didDismissWithButtonIndex(UIAlertView*, int) override
    {
        autorelease(std::move(self));
    }

    std::shared_ptr<CopyOffer> self;

private:
    std::string value_;
};

} // namespace

bool openURLOrOfferCopy(const NSURL* url, std::string value)
{
    UIApplication* application = UIApplication::sharedApplication();
    if (!url || application->canOpenURL(url))
        return application->openURL(url);
    const MissingProgram missing = missingProgram(url->scheme());
    auto offer = std::make_shared<CopyOffer>(std::move(value));
    offer->self = offer;
    std::make_shared<UIAlertView>(missing.title, missing.message, offer.get(), os::deviceText("OK"),
                                  std::vector{missing.copy})
        ->show();
    return false;
}

} // namespace uikit
