#include "ModalLayer.h"

#include "ColorBytes.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIScreen.h"

namespace uikit {

// Hidden from the first layout on while it holds nothing.
ModalLayer::ModalLayer() : UIView({{0, 0}, UIScreen::standardSize}) {}

void ModalLayer::layoutSubviews()
{
    UIView::layoutSubviews();
    const auto& views = subviews();
    setHidden(views.empty());
    for (size_t i = 0; i < views.size(); ++i)
        views[i]->setHidden(i + 1 != views.size());
}

int escapeButtonIndex(int cancelButtonIndex, int numberOfButtons)
{
    if (cancelButtonIndex >= 0 && cancelButtonIndex < numberOfButtons)
        return cancelButtonIndex;
    return numberOfButtons == 1 ? 0 : -1;
}

int defaultButtonIndex(int cancelButtonIndex, int numberOfButtons)
{
    const bool hasCancel = cancelButtonIndex >= 0 && cancelButtonIndex < numberOfButtons;
    if (hasCancel && numberOfButtons == 2)
        return 1 - cancelButtonIndex;
    return escapeButtonIndex(cancelButtonIndex, numberOfButtons);
}

void ModalLayer::drawRect(CGRect rect)
{
    UIGraphicsSetFillColor(rgb(0, 0, 0, 110));
    UIRectFill(rect);
}

} // namespace uikit
