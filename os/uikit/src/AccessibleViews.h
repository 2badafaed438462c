#pragma once
// What the toolkit tells the accessible view tree (Accessibility.cpp). Every notice costs a flag
// test while no screen reader listens. For the toolkit's own files only; main thread only.
class QWidget;
class UIView;

namespace uikit {

// Makes the views drawn into the screen's widget its accessible children. Before the widget is
// first asked for.
void installAccessibility(QWidget& screen);

// A subview came, went, showed or hid under the view (nullptr: a window or layer of the screen).
// Coalesced: one notice per changed part of the tree per turn of the event loop.
void accessibleTreeChanged(const UIView* superview);
// The view is being destroyed: its accessible objects go with it.
void accessibleViewDestroyed(const UIView& view);
// The changes below are told of objects a screen reader has already seen: a switch set while
// its screen is made is news to nobody.
// A switch was turned on or off.
void accessibleCheckedChanged(UIView& view);
// A tab became the selected one.
void accessibleSelectionChanged(UIView& view);
// A wheel of a picker turned to another row.
void accessiblePickerTurned(UIView& picker, int component);
// The text of a text field changed.
void accessibleTextChanged(UIView& field);

} // namespace uikit
