#pragma once
// The keyboard's focus: one view at a time among the focusable views (UIView::canBecomeFocused)
// of the frontmost layer, the alert or sheet shown, else the key window. Tab and Shift+Tab move
// it in reading order and wrap; it starts nowhere and a touch takes it away again, so only a
// keyboard user sees its ring. The screen gives the keys to the focused view (UIView::keyPressed).
// Main thread only.
#include "uikit/UIView.h"

#include <functional>

namespace uikit {

// The focused view; nullptr when there is none or it does not show in the frontmost layer now
// (a screen pushed over it, an alert above it: it has the focus again once it shows again).
UIView* focusedView();
// Moves the focus to the view, as Tab would: a view the user is sent on to (the next part of a
// date once one is typed).
void setFocusedView(UIView& view);

// Told of the view the focus moved to, and again when its ring moved within it (a table's row,
// a picker's wheel), so that assistive technology can follow: by default the screen reader is
// told (announceFocus). One per process; empty for none.
using FocusObserver = std::function<void(UIView&)>;
void setFocusObserver(FocusObserver observer);

} // namespace uikit
