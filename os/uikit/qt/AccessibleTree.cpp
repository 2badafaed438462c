#include "AccessibleTree.h"

#include "Painting.h"
#include "Screen.h"
#include "uikit/UIActionSheet.h"
#include "uikit/UIAlertView.h"
#include "uikit/UIButton.h"
#include "uikit/UIDatePicker.h"
#include "uikit/UILabel.h"
#include "uikit/UINavigationBar.h"
#include "uikit/UIPickerView.h"
#include "uikit/UIScreen.h"
#include "uikit/UIStringDrawing.h"
#include "uikit/UISwitch.h"
#include "uikit/UITabBar.h"
#include "uikit/UITableView.h"
#include "uikit/UITableViewCell.h"
#include "uikit/UITextField.h"
#include "uikit/ViewDump.h"

#include <QStringList>

#include <algorithm>

namespace uikit {
namespace {

const CGRect screenBounds{{0, 0}, UIScreen::standardSize};

} // namespace

QAccessible::Role roleOf(const UIView& view)
{
    const std::string name = view.className();
    if (name == "UITabBarButton")
        return QAccessible::PageTab;
    if (name == "UIAlertButton" || name == "UINavigationButton")
        return QAccessible::Button;
    if (name == "UITableViewHeader")
        return QAccessible::Heading;
    if (name == "UIStatusBar")
        return QAccessible::StatusBar;
    if (auto* label = dynamic_cast<const UILabel*>(&view)) {
        if (label->text().empty())
            return QAccessible::NoRole;
        return dynamic_cast<const UINavigationBar*>(view.superview()) ? QAccessible::Heading
                                                                      : QAccessible::StaticText;
    }
    if (dynamic_cast<const UISwitch*>(&view))
        return QAccessible::CheckBox;
    if (dynamic_cast<const UITextField*>(&view))
        return QAccessible::EditableText;
    if (dynamic_cast<const UIButton*>(&view))
        return QAccessible::Button;
    if (dynamic_cast<const UIPickerView*>(&view))
        return QAccessible::Grouping;
    if (dynamic_cast<const UITableViewCell*>(&view))
        return QAccessible::ListItem;
    if (dynamic_cast<const UITableView*>(&view))
        return QAccessible::List;
    if (dynamic_cast<const UITabBar*>(&view))
        return QAccessible::PageTabList;
    if (dynamic_cast<const UINavigationBar*>(&view))
        return QAccessible::ToolBar;
    if (dynamic_cast<const UIAlertView*>(&view))
        return QAccessible::AlertMessage;
    if (dynamic_cast<const UIActionSheet*>(&view))
        return QAccessible::Dialog;
    // Any other control with a text of its own (an icon of the home screen) acts as a button;
    // the time picker is its wheels and their labels.
    if (dynamic_cast<const UIControl*>(&view) && !dynamic_cast<const UIDatePicker*>(&view)) {
        DumpRecord record;
        view.describe(record);
        if (!record.text("text").value_or("").empty())
            return QAccessible::Button;
    }
    return QAccessible::NoRole;
}

bool isObject(const UIView& view) { return roleOf(view) != QAccessible::NoRole; }

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
    if (auto* picker = dynamic_cast<UIPickerView*>(node.view)) {
        for (int component = 0; component < picker->numberOfComponents(); ++component)
            nodes.push_back({picker, component});
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

namespace {

std::vector<std::string> labelTexts(const UIView& view)
{
    struct Text {
        CGRect rect;
        std::string text;
    };
    std::vector<Text> texts;
    auto gather = [&](auto&& self, const UIView& v) -> void {
        if (v.isHidden() || v.alpha() <= 0)
            return;
        if (auto* label = dynamic_cast<const UILabel*>(&v); label && !label->text().empty()) {
            CGRect rect = v.screenFrame();
            const CGFloat width =
                std::min(sizeWithFont(label->text(), label->font()).width, rect.size.width);
            if (label->textAlignment() == UITextAlignmentCenter)
                rect.origin.x += (rect.size.width - width) / 2;
            else if (label->textAlignment() == UITextAlignmentRight)
                rect.origin.x += rect.size.width - width;
            rect.size.width = width;
            texts.push_back({rect, label->text()});
        }
        for (const auto& subview : v.subviews())
            self(self, *subview);
    };
    gather(gather, view);
    std::stable_sort(texts.begin(), texts.end(), [](const Text& a, const Text& b) {
        return a.rect.origin.x < b.rect.origin.x;
    });
    std::vector<std::string> result;
    for (size_t first = 0; first < texts.size();) {
        size_t end = first + 1;
        CGFloat right = CGRectGetMaxX(texts[first].rect);
        while (end < texts.size() && texts[end].rect.origin.x < right)
            right = std::max(right, CGRectGetMaxX(texts[end++].rect));
        std::stable_sort(
            texts.begin() + std::ptrdiff_t(first), texts.begin() + std::ptrdiff_t(end),
            [](const Text& a, const Text& b) { return a.rect.origin.y < b.rect.origin.y; });
        for (size_t i = first; i < end; ++i)
            result.push_back(texts[i].text);
        first = end;
    }
    return result;
}

} // namespace

QString readingText(const UIView& view)
{
    QStringList parts;
    for (const auto& text : labelTexts(view))
        parts << toQString(text);
    return parts.join(QStringLiteral(", "));
}

std::string describedText(const UIView& view)
{
    DumpRecord record;
    view.describe(record);
    return record.text("text").value_or("");
}

bool describedFlag(const UIView& view, std::string_view key)
{
    DumpRecord record;
    view.describe(record);
    const auto* value = record.find(key);
    return value && std::holds_alternative<bool>(*value) && std::get<bool>(*value);
}

const UITableViewCell* enclosingCell(const UIView& view)
{
    for (const UIView* v = view.superview(); v; v = v->superview())
        if (auto* cell = dynamic_cast<const UITableViewCell*>(v))
            return cell;
    return nullptr;
}

} // namespace uikit
