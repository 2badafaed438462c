#pragma once
// The texts a view shows, in the order a person reads them. For the toolkit's own files only;
// main thread only.
#include <string>

class UIView;

namespace uikit {

// The texts of the labels in the view, joined by commas: columns of text left to right (texts
// whose extents overlap across are one column), each top to bottom. Hidden labels are left out.
std::string readingText(const UIView& view);

} // namespace uikit
