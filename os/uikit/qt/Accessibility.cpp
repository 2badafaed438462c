#include "uikit/Accessibility.h"

#include "AccessibleTree.h"
#include "AccessibleViews.h"
#include "Painting.h"
#include "Screen.h"
#include "TextFieldEditor.h"
#include "uikit/KeyboardFocus.h"
#include "uikit/UITextField.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace uikit {
namespace {

QAccessibleInterface* interfaceFor(const Node& node);

struct Registry {
    QPointer<QWidget> screen;
    std::map<std::pair<const UIView*, int>, QAccessible::Id> ids;
    // Qt's cache of interfaces is gone at exit, before the last views may be.
    bool closed = false;
    // The parts of the tree changed since the last notice: objects, and the window's own list.
    std::vector<std::weak_ptr<UIView>> changed;
    bool screenChanged = false;
    bool flushScheduled = false;
    // The object the reader is on: where the keyboard's ring is, or what a new screen showed.
    std::weak_ptr<UIView> focusView;
    int focusPart = -1;
};

Registry& registry()
{
    // Never destroyed: views may die after main() returns.
    static Registry* shared = new Registry;
    return *shared;
}

QAccessibleInterface* screenInterface()
{
    return registry().screen ? QAccessible::queryAccessibleInterface(registry().screen.data())
                             : nullptr;
}

// A finger's touch at a point of the view, whatever lies over it: the view, or the nearest one
// above it that takes touches, gets a touch that begins and ends there.
void touch(UIView& view, CGPoint point)
{
    UIView* handler = &view;
    while (handler && !handler->handlesTouches())
        handler = handler->superview();
    auto held = handler ? handler->weak_from_this().lock() : nullptr;
    if (!held)
        return;
    const CGPoint at =
        held->convertPoint_fromView(view.convertPoint_toView(point, nullptr), nullptr);
    held->touchesBegan(at);
    held->touchesEnded(at);
    drainAutoreleased();
    Screen::shared().scheduleDisplay();
}

class ViewAccessible : public QAccessibleInterface,
                       public QAccessibleActionInterface,
                       public QAccessibleValueInterface {
public:
    ViewAccessible(UIView* view, int part) : view_(view), part_(part)
    {
        if (role() == QAccessible::EditableText)
            lastText_ = toQString(view_->accessibilityValue());
    }

    // Deleted with its view.
    bool isValid() const override { return true; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override
    {
        return registry().screen ? registry().screen->windowHandle() : nullptr;
    }

    QAccessibleInterface* parent() const override
    {
        if (part_ >= 0)
            return interfaceFor({view_, -1});
        if (UIView* ancestor = objectAncestor(*view_))
            return interfaceFor({ancestor, -1});
        return screenInterface();
    }
    int childCount() const override { return int(childrenOf({view_, part_}).size()); }
    QAccessibleInterface* child(int index) const override
    {
        const auto nodes = childrenOf({view_, part_});
        return index >= 0 && size_t(index) < nodes.size() ? interfaceFor(nodes[size_t(index)])
                                                          : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto nodes = childrenOf({view_, part_});
        for (size_t i = 0; i < nodes.size(); ++i)
            if (interfaceFor(nodes[i]) == child)
                return int(i);
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (const Node& node : childrenOf({view_, part_}))
            if (QAccessibleInterface* child = interfaceFor(node); child->rect().contains(x, y))
                return child;
        return nullptr;
    }

    QAccessible::Role role() const override { return roleOf({view_, part_}); }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return toQString(part_ >= 0 ? element().accessibilityLabel
                                        : view_->accessibilityLabel());
        // A switch's value is its checked state.
        if (kind == QAccessible::Value && role() != QAccessible::CheckBox)
            return toQString(part_ >= 0 ? element().accessibilityValue
                                        : view_->accessibilityValue());
        if (kind == QAccessible::Description && part_ < 0)
            return toQString(view_->accessibilityHint());
        return {};
    }
    // Names and values are the views' own; a screen reader changes them by acting.
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        const CGRect frame = frameOf({view_, part_});
        const QPoint origin =
            registry().screen ? registry().screen->mapToGlobal(QPoint(0, 0)) : QPoint();
        return toQRect(frame).toAlignedRect().translated(origin);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!onScreen(*view_))
            state.invisible = true;
        if (CGRectIsEmpty(CGRectIntersection(view_->screenFrame(), clipOf(*view_))))
            state.offscreen = true;
        const UIAccessibilityTraits traits =
            part_ >= 0 ? element().accessibilityTraits : view_->accessibilityTraits();
        state.disabled = (traits & UIAccessibilityTraitNotEnabled) != 0;
        state.focused = hasReaderFocus() || Screen::shared().firstResponder() == view_;
        switch (role()) {
        case QAccessible::CheckBox:
            state.checkable = true;
            state.checked = view_->accessibilityValue() == "1";
            state.focusable = true;
            break;
        case QAccessible::PageTab:
        case QAccessible::ListItem:
            state.selectable = true;
            state.selected = (traits & UIAccessibilityTraitSelected) != 0;
            state.focusable = true;
            break;
        case QAccessible::EditableText:
            state.editable = true;
            state.focusable = true;
            break;
        case QAccessible::Button:
        case QAccessible::SpinBox: state.focusable = true; break;
        case QAccessible::AlertMessage:
        case QAccessible::Dialog: state.modal = true; break;
        default: break;
        }
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ActionInterface && !actionNames().isEmpty())
            return static_cast<QAccessibleActionInterface*>(this);
        if (type == QAccessible::ValueInterface && part_ >= 0)
            return static_cast<QAccessibleValueInterface*>(this);
        // The text itself is the field's editor's, which knows its cursor and selection.
        if (type == QAccessible::TextInterface && role() == QAccessible::EditableText)
            if (auto* field = dynamic_cast<UITextField*>(view_))
                if (auto* editor = QAccessible::queryAccessibleInterface(&field->editor().line))
                    return editor->interface_cast(type);
        return nullptr;
    }

    QStringList actionNames() const override
    {
        switch (role()) {
        case QAccessible::Button:
        case QAccessible::PageTab:
        case QAccessible::ListItem: return {pressAction()};
        case QAccessible::CheckBox: return {toggleAction(), pressAction()};
        case QAccessible::EditableText: return {setFocusAction()};
        case QAccessible::SpinBox: return {increaseAction(), decreaseAction()};
        default: return {};
        }
    }
    void doAction(const QString& action) override
    {
        // After the screen reader has had its answer: the action may change the whole screen.
        if (action == pressAction() || action == toggleAction())
            QTimer::singleShot(0, [weak = view_->weak_from_this()] {
                if (auto view = weak.lock())
                    touch(*view, {CGRectGetMidX(view->bounds()), CGRectGetMidY(view->bounds())});
            });
        else if (action == setFocusAction())
            view_->accessibilityActivate();
        if (action == increaseAction() || action == decreaseAction())
            turnBy(action == increaseAction() ? 1 : -1);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    // A wheel's value is its number (the hour); a reader steps it by increase and decrease.
    QVariant currentValue() const override { return text(QAccessible::Value).toDouble(); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return {}; }
    QVariant minimumValue() const override { return {}; }
    QVariant minimumStepSize() const override { return 1; }

    // The text a change of the field is told against.
    QString swapText(QString text) { return std::exchange(lastText_, std::move(text)); }

private:
    bool hasReaderFocus() const
    {
        const Registry& shared = registry();
        return shared.focusPart == part_ && shared.focusView.lock().get() == view_;
    }

    UIAccessibilityElement element() const { return view_->accessibilityElementAtIndex(part_); }

    // A row at a time, after the reader has had its answer, so that the picker's delegate hears
    // each row.
    void turnBy(int rows)
    {
        QTimer::singleShot(0, [weak = view_->weak_from_this(), part = part_, rows] {
            for (int step = 0; step < std::abs(rows); ++step) {
                auto view = weak.lock();
                if (!view)
                    return;
                const UIAccessibilityElement wheel = view->accessibilityElementAtIndex(part);
                const auto& turn =
                    rows > 0 ? wheel.accessibilityIncrement : wheel.accessibilityDecrement;
                if (!turn)
                    return;
                turn();
            }
            drainAutoreleased();
            Screen::shared().scheduleDisplay();
        });
    }

    UIView* view_;
    int part_;
    QString lastText_;
};

class ScreenAccessible : public QAccessibleWidget {
public:
    explicit ScreenAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Window) {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return widget()->windowTitle();
        return QAccessibleWidget::text(kind);
    }
    int childCount() const override
    {
        Screen::shared().layout();
        return int(childrenOfScreen().size());
    }
    QAccessibleInterface* child(int index) const override
    {
        Screen::shared().layout();
        const auto nodes = childrenOfScreen();
        return index >= 0 && size_t(index) < nodes.size() ? interfaceFor(nodes[size_t(index)])
                                                          : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto nodes = childrenOfScreen();
        for (size_t i = 0; i < nodes.size(); ++i)
            if (interfaceFor(nodes[i]) == child)
                return int(i);
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const auto nodes = childrenOfScreen();
        // Front first.
        for (auto node = nodes.rbegin(); node != nodes.rend(); ++node)
            if (QAccessibleInterface* child = interfaceFor(*node); child->rect().contains(x, y))
                return child;
        return nullptr;
    }
};

void closeRegistry() { registry().closed = true; }

QAccessibleInterface* interfaceFor(const Node& node)
{
    Registry& shared = registry();
    const auto key = std::make_pair(static_cast<const UIView*>(node.view), node.part);
    if (auto found = shared.ids.find(key); found != shared.ids.end())
        return QAccessible::accessibleInterface(found->second);
    auto* created = new ViewAccessible(node.view, node.part);
    shared.ids.emplace(key, QAccessible::registerAccessibleInterface(created));
    // Registered once Qt's cache is made, so it runs before the cache is destroyed.
    static const bool closesAtExit = (std::atexit(closeRegistry), true);
    (void)closesAtExit;
    return created;
}

ViewAccessible* knownInterface(const UIView& view, int part = -1)
{
    const auto& ids = registry().ids;
    auto found = ids.find({&view, part});
    return found == ids.end()
               ? nullptr
               : static_cast<ViewAccessible*>(QAccessible::accessibleInterface(found->second));
}

bool listening() { return QAccessible::isActive() && registry().screen && !registry().closed; }

void flushTreeChanges()
{
    Registry& shared = registry();
    shared.flushScheduled = false;
    auto changed = std::exchange(shared.changed, {});
    const bool screenChanged = std::exchange(shared.screenChanged, false);
    if (!listening())
        return;
    // Each child of a changed part is told as added, which a screen reader takes as the part's
    // new list of children (what Qt's own reordering notice does in its later versions).
    auto tellChildren = [](QAccessibleInterface* owner) {
        for (int i = 0, count = owner->childCount(); i < count; ++i) {
            QAccessibleEvent event(owner->child(i), QAccessible::ObjectCreated);
            QAccessible::updateAccessibility(&event);
        }
    };
    if (screenChanged)
        tellChildren(screenInterface());
    for (const auto& weak : changed)
        if (auto view = weak.lock())
            if (QAccessibleInterface* owner = knownInterface(*view))
                tellChildren(owner);
}

void moveReaderFocus(const Node& node)
{
    Registry& shared = registry();
    shared.focusView = node.view->weak_from_this();
    shared.focusPart = node.part;
    QAccessibleEvent event(interfaceFor(node), QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

} // namespace

void installAccessibility(QWidget& screen)
{
    registry().screen = &screen;
    QAccessible::installFactory([](const QString&, QObject* object) -> QAccessibleInterface* {
        if (object && object == registry().screen.data())
            return new ScreenAccessible(static_cast<QWidget*>(object));
        return nullptr;
    });
}

void accessibleTreeChanged(const UIView* superview)
{
    if (!listening())
        return;
    Registry& shared = registry();
    UIView* owner = nullptr;
    if (superview)
        owner = isObject(*superview) ? const_cast<UIView*>(superview) : objectAncestor(*superview);
    // A part no screen reader has seen needs no notice.
    if (owner && knownInterface(*owner)) {
        auto weak = owner->weak_from_this();
        if (std::none_of(shared.changed.begin(), shared.changed.end(),
                         [&](const auto& known) { return known.lock().get() == owner; }))
            shared.changed.push_back(std::move(weak));
    } else if (!owner) {
        shared.screenChanged = true;
    }
    if (!shared.flushScheduled) {
        shared.flushScheduled = true;
        QTimer::singleShot(0, flushTreeChanges);
    }
}

void accessibleViewDestroyed(const UIView& view)
{
    Registry& shared = registry();
    auto found = shared.ids.lower_bound({&view, INT_MIN});
    while (found != shared.ids.end() && found->first.first == &view) {
        if (!shared.closed)
            QAccessible::deleteAccessibleInterface(found->second);
        found = shared.ids.erase(found);
    }
}

void announceFocus(UIView& view)
{
    if (!listening())
        return;
    Screen::shared().layout();
    if (const auto node = objectAtRing(view))
        moveReaderFocus(*node);
}

void accessibleCheckedChanged(UIView& view)
{
    ViewAccessible* known = listening() ? knownInterface(view) : nullptr;
    if (!known)
        return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(known, changed);
    QAccessible::updateAccessibility(&event);
}

void accessibleSelectionChanged(UIView& view)
{
    if (!listening())
        return;
    QAccessibleEvent event(interfaceFor({&view, -1}), QAccessible::Selection);
    QAccessible::updateAccessibility(&event);
}

void accessiblePickerTurned(UIView& picker, int component)
{
    ViewAccessible* wheel = listening() ? knownInterface(picker, component) : nullptr;
    if (!wheel)
        return;
    QAccessibleValueChangeEvent event(wheel, wheel->valueInterface()->currentValue());
    QAccessible::updateAccessibility(&event);
}

void accessibleTextChanged(UIView& field)
{
    ViewAccessible* known = listening() ? knownInterface(field) : nullptr;
    if (!known)
        return;
    const QString text = known->text(QAccessible::Value);
    const QString before = known->swapText(text);
    QAccessibleTextUpdateEvent event(known, 0, before, text);
    QAccessible::updateAccessibility(&event);
}

} // namespace uikit

void UIAccessibilityPostNotification(UIAccessibilityNotifications notification, UIView* argument)
{
    using namespace uikit;
    if (notification != UIAccessibilityScreenChangedNotification || !argument || !listening())
        return;
    // Once the screen is laid out and its tree told, as the reader asks about it.
    QTimer::singleShot(0, [weak = argument->weak_from_this()] {
        auto view = weak.lock();
        if (!view || !listening())
            return;
        Screen::shared().layout();
        if (const auto node = firstReadObject(*view))
            moveReaderFocus(*node);
    });
}
