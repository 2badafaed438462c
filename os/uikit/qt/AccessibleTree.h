#pragma once
// The views as a screen reader sees them: which views are objects of their own and in what role,
// and which of them show, from what each view says of itself (UIView::accessibilityTraits, ...).
// Accessibility.cpp hands them to Qt. For the toolkit's own files only; main thread only.
#include "uikit/CGGeometry.h"

#include <QAccessible>
#include <optional>
#include <vector>

class UIView;

namespace uikit {

// One accessible object: a view, or a part of one (a wheel of a picker).
struct Node {
    UIView* view;
    int part; // -1: the view itself
    bool operator==(const Node&) const = default;
};

// What the object is to a screen reader: NoRole for views that are neither an element nor a
// container, whose objects are lifted to the nearest ancestor that is an object of its own.
QAccessible::Role roleOf(const Node& node);
bool isObject(const UIView& view);
// The object's frame in screen points.
CGRect frameOf(const Node& node);
// The nearest ancestor that is an object; nullptr when the screen's window holds the view.
UIView* objectAncestor(const UIView& view);

// The objects under the screen's window and under an object, back to front; only those that
// show: a table of thousands of rows gives the few on screen.
std::vector<Node> childrenOfScreen();
std::vector<Node> childrenOf(const Node& node);

// The part of the screen the view may show in: the screen within every ancestor that clips.
CGRect clipOf(const UIView& view);
// In a window or layer of the screen, and neither it nor an ancestor hidden.
bool onScreen(const UIView& view);

// The object a keyboard focus on the view is on: the innermost one around the focus ring (a
// table's row, a picker's wheel), else the first object in the view; nullopt when it has none.
std::optional<Node> objectAtRing(UIView& view);
// What a new screen is read by: the first heading in the view (its title), else its first
// element outside its bars, else its first element.
std::optional<Node> firstReadObject(UIView& view);

} // namespace uikit
