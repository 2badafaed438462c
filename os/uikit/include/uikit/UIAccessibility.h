#pragma once
// What a view is to a screen reader, in the phone's words. Each view answers for itself
// (UIView::isAccessibilityElement, accessibilityLabel, accessibilityValue, accessibilityTraits,
// ...); the toolkit hands the answers to the desktop's screen reader. Main thread only.
#include "uikit/CGGeometry.h"

#include <cstdint>
#include <functional>
#include <string>

class UIView;

// What an element is and how it is: a combination of the bits below.
using UIAccessibilityTraits = std::uint64_t;
inline constexpr UIAccessibilityTraits UIAccessibilityTraitNone = 0;
inline constexpr UIAccessibilityTraits UIAccessibilityTraitButton = UIAccessibilityTraits{1} << 0;
inline constexpr UIAccessibilityTraits UIAccessibilityTraitSelected = UIAccessibilityTraits{1} << 3;
inline constexpr UIAccessibilityTraits UIAccessibilityTraitStaticText = UIAccessibilityTraits{1}
                                                                        << 6;
inline constexpr UIAccessibilityTraits UIAccessibilityTraitNotEnabled = UIAccessibilityTraits{1}
                                                                        << 8;
inline constexpr UIAccessibilityTraits UIAccessibilityTraitUpdatesFrequently =
    UIAccessibilityTraits{1} << 9;
inline constexpr UIAccessibilityTraits UIAccessibilityTraitAdjustable = UIAccessibilityTraits{1}
                                                                        << 12;
inline constexpr UIAccessibilityTraits UIAccessibilityTraitHeader = UIAccessibilityTraits{1} << 16;
// On the bar whose buttons choose among screens.
inline constexpr UIAccessibilityTraits UIAccessibilityTraitTabBar = UIAccessibilityTraits{1} << 17;
// On and off: accessibilityValue is "1" or "0".
inline constexpr UIAccessibilityTraits UIAccessibilityTraitToggleButton = UIAccessibilityTraits{1}
                                                                          << 18;
// The phone's reader knows these two from the view's class; a desktop reader needs them said.
// A field that takes typed text (accessibilityValue is the text).
inline constexpr UIAccessibilityTraits UIAccessibilityTraitTextEntry = UIAccessibilityTraits{1}
                                                                       << 40;
// With accessibilityViewIsModal: a message that asks for an answer, not a choice of actions.
inline constexpr UIAccessibilityTraits UIAccessibilityTraitAlert = UIAccessibilityTraits{1} << 41;

// What a view that is no element itself holds, for a reader that moves among its elements.
enum UIAccessibilityContainerType {
    UIAccessibilityContainerTypeNone = 0,
    UIAccessibilityContainerTypeList = 2,
    UIAccessibilityContainerTypeLandmark = 3, // a bar the user finds the screen's way around by
    UIAccessibilityContainerTypeSemanticGroup = 4,
};

// A part of a view that is an element without being a view (a wheel of a picker). Its frame is
// in the view's coordinates; increment and decrement step it as a finger would.
struct UIAccessibilityElement {
    std::string accessibilityLabel;
    std::string accessibilityValue;
    UIAccessibilityTraits accessibilityTraits = UIAccessibilityTraitNone;
    CGRect accessibilityFrame;
    std::function<void()> accessibilityIncrement;
    std::function<void()> accessibilityDecrement;
};

// What a screen reader is told on its own, beyond what it reads from the views.
enum UIAccessibilityNotifications {
    // A new screen came (pushed, presented, an alert): the argument is the view it shows in.
    // The reader moves to the screen's heading (its title), else to its first element outside
    // its bars, and reads it.
    UIAccessibilityScreenChangedNotification,
};
void UIAccessibilityPostNotification(UIAccessibilityNotifications notification, UIView* argument);
