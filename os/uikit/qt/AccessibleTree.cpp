#include "AccessibleTree.h"

#include "Screen.h"
#include "uikit/UIScreen.h"

#include <algorithm>

namespace uikit {
namespace {

const CGRect screenBounds{{0, 0}, UIScreen::standardSize};

// An element's role, from its traits and the object that holds it.
QAccessible::Role elementRole(UIAccessibilityTraits traits, const UIView* container)
{
    if (traits & UIAccessibilityTraitHeader)
        return QAccessible::Heading;
    if (traits & UIAccessibilityTraitToggleButton)
        return QAccessible::CheckBox;
    if (traits & UIAccessibilityTraitTextEntry)
        return QAccessible::EditableText;
    if (traits & UIAccessibilityTraitAdjustable)
        return QAccessible::SpinBox;
    if (traits & UIAccessibilityTraitUpdatesFrequently)
        return QAccessible::StatusBar;
    if (traits & UIAccessibilityTraitButton)
        return container && (container->accessibilityTraits() & UIAccessibilityTraitTabBar)
                   ? QAccessible::PageTab
                   : QAccessible::Button;
    if (traits & UIAccessibilityTraitStaticText)
        return QAccessible::StaticText;
    // A plain element in a list is one of its items (a table's row).
    if (container && container->accessibilityContainerType() == UIAccessibilityContainerTypeList)
        return QAccessible::ListItem;
    return QAccessible::StaticText;
}

} // namespace

QAccessible::Role roleOf(const Node& node)
{
    const UIView& view = *node.view;
    if (node.part >= 0)
        return elementRole(view.accessibilityElementAtIndex(node.part).accessibilityTraits, &view);
    const UIAccessibilityTraits traits = view.accessibilityTraits();
    if (view.accessibilityViewIsModal())
        return traits & UIAccessibilityTraitAlert ? QAccessible::AlertMessage : QAccessible::Dialog;
    if (view.isAccessibilityElement())
        return elementRole(traits, objectAncestor(view));
    if (traits & UIAccessibilityTraitTabBar)
        return QAccessible::PageTabList;
    switch (view.accessibilityContainerType()) {
    case UIAccessibilityContainerTypeList: return QAccessible::List;
    case UIAccessibilityContainerTypeLandmark: return QAccessible::ToolBar;
    case UIAccessibilityContainerTypeSemanticGroup: return QAccessible::Grouping;
    case UIAccessibilityContainerTypeNone: break;
    }
    return QAccessible::NoRole;
}

bool isObject(const UIView& view)
{
    return view.isAccessibilityElement() || view.accessibilityViewIsModal() ||
           view.accessibilityContainerType() != UIAccessibilityContainerTypeNone ||
           (view.accessibilityTraits() & UIAccessibilityTraitTabBar);
}

CGRect frameOf(const Node& node)
{
    if (node.part < 0)
        return node.view->screenFrame();
    return node.view->convertRect_toView(
        node.view->accessibilityElementAtIndex(node.part).accessibilityFrame, nullptr);
}

CGRect clipOf(const UIView& view)
{
    CGRect clip = screenBounds;
    for (const UIView* ancestor = view.superview(); ancestor; ancestor = ancestor->superview())
        if (ancestor->clipsToBounds())
            clip = CGRectIntersection(clip, ancestor->screenFrame());
    return clip;
}

bool onScreen(const UIView& view)
{
    const UIView* root = const_cast<UIView&>(view).rootView();
    const auto roots = Screen::shared().roots();
    if (std::find(roots.begin(), roots.end(), root) == roots.end())
        return false;
    for (const UIView* v = &view; v; v = v->superview())
        if (v->isHidden() || v->alpha() <= 0)
            return false;
    return true;
}

namespace {

// The accessible objects under the view, lifted through the views that only hold others; only
// what shows: a table of thousands of rows gives the few on screen.
void collect(UIView& view, CGRect clip, std::vector<Node>& out)
{
    if (view.isHidden() || view.alpha() <= 0)
        return;
    const CGRect frame = view.screenFrame();
    if (isObject(view)) {
        if (!CGRectIsEmpty(CGRectIntersection(frame, clip)))
            out.push_back({&view, -1});
        return;
    }
    if (view.clipsToBounds())
        clip = CGRectIntersection(clip, frame);
    if (CGRectIsEmpty(clip))
        return;
    for (const auto& subview : std::vector(view.subviews()))
        collect(*subview, clip, out);
}

// The objects in the view, or the view itself when it is one.
std::vector<Node> objectsOf(UIView& view)
{
    if (isObject(view))
        return {{&view, -1}};
    std::vector<Node> nodes;
    collect(view, clipOf(view), nodes);
    return nodes;
}

} // namespace

std::vector<Node> childrenOfScreen()
{
    std::vector<Node> nodes;
    for (UIView* root : Screen::shared().roots())
        collect(*root, screenBounds, nodes);
    return nodes;
}

std::vector<Node> childrenOf(const Node& node)
{
    std::vector<Node> nodes;
    if (node.part >= 0)
        return nodes;
    if (const int parts = node.view->accessibilityElementCount(); parts > 0) {
        for (int part = 0; part < parts; ++part)
            nodes.push_back({node.view, part});
        return nodes;
    }
    CGRect clip = clipOf(*node.view);
    if (node.view->clipsToBounds())
        clip = CGRectIntersection(clip, node.view->screenFrame());
    for (const auto& subview : std::vector(node.view->subviews()))
        collect(*subview, clip, nodes);
    return nodes;
}

UIView* objectAncestor(const UIView& view)
{
    for (UIView* ancestor = view.superview(); ancestor; ancestor = ancestor->superview())
        if (isObject(*ancestor))
            return ancestor;
    return nullptr;
}

std::optional<Node> objectAtRing(UIView& view)
{
    const CGRect ring = view.convertRect_toView(view.focusRingRect(), nullptr);
    const CGPoint middle{CGRectGetMidX(ring), CGRectGetMidY(ring)};
    const auto around = [&](const Node& node) {
        const CGRect frame = CGRectInset(frameOf(node), -1, -1);
        return CGRectGetMinX(frame) <= CGRectGetMinX(ring) &&
               CGRectGetMinY(frame) <= CGRectGetMinY(ring) &&
               CGRectGetMaxX(ring) <= CGRectGetMaxX(frame) &&
               CGRectGetMaxY(ring) <= CGRectGetMaxY(frame);
    };
    const auto objects = objectsOf(view);
    if (objects.empty())
        return std::nullopt;
    auto found = std::find_if(objects.begin(), objects.end(), [&](const Node& node) {
        return CGRectContainsPoint(frameOf(node), middle);
    });
    Node node = found == objects.end() ? objects.front() : *found;
    // Down to the innermost object the ring goes around: a table's row, not a label in it.
    for (bool deeper = true; deeper;) {
        const auto children = childrenOf(node);
        const auto child = std::find_if(children.begin(), children.end(), around);
        deeper = child != children.end();
        if (deeper)
            node = *child;
    }
    return node;
}

std::optional<Node> firstReadObject(UIView& view)
{
    // Depth first, in reading order; a bar's buttons are how to get about, not what the screen
    // is, so they are read only when nothing else is there.
    struct Pending {
        Node node;
        bool inBar;
    };
    std::optional<Node> first, firstInBar;
    std::vector<Pending> pending;
    const auto push = [&](const std::vector<Node>& nodes, bool inBar) {
        for (auto node = nodes.rbegin(); node != nodes.rend(); ++node)
            pending.push_back({*node, inBar});
    };
    push(objectsOf(view), false);
    while (!pending.empty()) {
        const auto [node, inBar] = pending.back();
        pending.pop_back();
        const QAccessible::Role role = roleOf(node);
        if (role == QAccessible::Heading)
            return node;
        std::optional<Node>& found = inBar ? firstInBar : first;
        if (!found && (node.part >= 0 || node.view->isAccessibilityElement() ||
                       node.view->accessibilityViewIsModal()))
            found = node;
        push(childrenOf(node), inBar || role == QAccessible::ToolBar);
    }
    return first ? first : firstInBar;
}

} // namespace uikit
