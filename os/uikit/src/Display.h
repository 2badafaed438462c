#pragma once
// What the views ask of the screen that shows them, whatever draws it: a repaint, a place for
// alerts and sheets, the text field the keyboard types into, and a pool that keeps objects alive
// until the current event is handled. For the toolkit's own files only; main thread only.
#include <memory>

class UITextField;
class UIView;

namespace uikit {

// Layout and a repaint at the next turn of the run loop.
void scheduleDisplay();

// A full-screen view above every window; it swallows every touch outside its subviews while it
// holds any, so the alert or sheet in it is modal.
UIView& modalLayer();

// The text field the keyboard types into; nullptr when none.
UITextField* firstResponder();
void setFirstResponder(UITextField* field);

// Keeps the object alive until the current event has been handled, the way an autorelease pool
// does: a view or controller may let go of itself from inside its own action.
void autorelease(std::shared_ptr<const void> object);
void drainAutoreleased();

} // namespace uikit
