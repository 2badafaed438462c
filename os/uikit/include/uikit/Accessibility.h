#pragma once
// The views as a screen reader sees them: each view the user sees is an accessible object of the
// screen's window (a label as text, a button, a switch as a check box, a table's rows as list
// items...), kept up to date as the screens change. Main thread only.
class UIView;

namespace uikit {

// Tells a screen reader that the view now has the keyboard (a text field that became first
// responder, the control a focus ring moved to). Nothing happens while no screen reader listens.
void announceFocus(UIView& view);

} // namespace uikit
