#pragma once
// The views as a screen reader sees them: which views are objects of their own and in what role,
// which of them show, and the texts they are read by. Accessibility.cpp hands them to Qt. For the
// toolkit's own files only; main thread only.
#include "uikit/CGGeometry.h"

#include <QAccessible>
#include <QString>

#include <string>
#include <string_view>
#include <vector>

class UITableViewCell;
class UIView;

namespace uikit {

// One accessible object: a view, or a part of one (a wheel of a picker).
struct Node {
    UIView* view;
    int part; // -1: the view itself
};

// What the view is to a screen reader: NoRole for views that only hold others, whose objects
// are lifted to the nearest ancestor that is an object of its own.
QAccessible::Role roleOf(const UIView& view);
bool isObject(const UIView& view);
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

// The texts of the labels in the view in reading order, joined by commas: columns of text left
// to right (texts whose extents overlap across are one column), each top to bottom.
QString readingText(const UIView& view);
// The text and a flag the view dump gives the view, for the toolkit's private views.
std::string describedText(const UIView& view);
bool describedFlag(const UIView& view, std::string_view key);
const UITableViewCell* enclosingCell(const UIView& view);

} // namespace uikit
