#include "Keyboard.h"

#include "Painting.h"
#include "Screen.h"
#include "uikit/UIApplication.h"
#include "uikit/UIKeyInput.h"
#include "uikit/UIScreen.h"
#include "uikit/UITabBar.h"
#include "uikit/UITextField.h"

#include <QKeyEvent>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <optional>

namespace uikit {
namespace {

const CGRect screenBounds{{0, 0}, UIScreen::standardSize};
// The toolkit's blue, that of a selected row, a little lighter so that it shows on one.
const QColor ringColor(0x3b, 0x9b, 0xff);
constexpr qreal ringWidth = 3;

// The alert or sheet shown, else the key window.
UIView* frontmostLayer()
{
    const auto& modal = Screen::shared().modalLayer().subviews();
    if (!modal.empty())
        return modal.back().get();
    return Screen::shared().keyWindow();
}

bool takesInput(const UIView& view)
{
    return !view.isHidden() && view.alpha() > 0 && view.isUserInteractionEnabled();
}

// What the clipping superviews of the view leave of the screen; nullopt when the view is not in
// the layer or a superview of it does not show.
std::optional<CGRect> clipAbove(const UIView& view, const UIView& layer)
{
    CGRect clip = screenBounds;
    bool inLayer = false;
    for (const UIView* above = view.superview(); above; above = above->superview()) {
        if (!takesInput(*above))
            return std::nullopt;
        if (above->clipsToBounds())
            clip = CGRectIntersection(clip, above->screenFrame());
        inLayer = inLayer || above == &layer;
    }
    if (!inLayer && &view != &layer)
        return std::nullopt;
    return clip;
}

bool showsIn(const UIView& view, const UIView& layer)
{
    if (!takesInput(view))
        return false;
    const auto clip = clipAbove(view, layer);
    return clip && !CGRectIsEmpty(CGRectIntersection(*clip, view.screenFrame()));
}

// Whether a finger could reach the view somewhere: at the middle of its visible part or of a
// quarter of it. A control a picker or a sheet lies over is no stop for Tab.
bool reachable(UIView& view, const UIView& layer)
{
    const auto clip = clipAbove(view, layer);
    const CGRect shown = clip ? CGRectIntersection(*clip, view.screenFrame()) : CGRect{};
    if (CGRectIsEmpty(shown))
        return false;
    const CGFloat w = shown.size.width / 4, h = shown.size.height / 4;
    const CGPoint middle{CGRectGetMidX(shown), CGRectGetMidY(shown)};
    for (const CGPoint at :
         {middle, CGPoint{middle.x - w, middle.y - h}, CGPoint{middle.x + w, middle.y - h},
          CGPoint{middle.x - w, middle.y + h}, CGPoint{middle.x + w, middle.y + h}})
        if (const UIView* hit = Screen::shared().hitTest(at); hit && hit->isDescendantOfView(&view))
            return true;
    return false;
}

void collectFocusable(UIView& view, const UIView& layer, std::vector<UIView*>& found)
{
    if (!takesInput(view))
        return;
    if (view.canBecomeFocused() && reachable(view, layer))
        found.push_back(&view);
    for (const auto& subview : view.subviews())
        collectFocusable(*subview, layer, found);
}

// Top to bottom, then left to right.
std::vector<UIView*> focusableViews(UIView& layer)
{
    std::vector<UIView*> found;
    collectFocusable(layer, layer, found);
    std::stable_sort(found.begin(), found.end(), [](UIView* a, UIView* b) {
        const CGRect fa = a->screenFrame(), fb = b->screenFrame();
        const auto ya = std::lround(fa.origin.y), yb = std::lround(fb.origin.y);
        return ya != yb ? ya < yb : fa.origin.x < fb.origin.x;
    });
    return found;
}

// The views of the layer front first, deepest first; the first that `take` takes.
UIView* findFrontFirst(UIView& view, const auto& take)
{
    if (!takesInput(view))
        return nullptr;
    const auto subviews = view.subviews();
    for (auto subview = subviews.rbegin(); subview != subviews.rend(); ++subview)
        if (UIView* found = findFrontFirst(**subview, take))
            return found;
    return take(view) ? &view : nullptr;
}

std::optional<UIKey> viewKey(int key)
{
    switch (key) {
    case Qt::Key_Up: return UIKey::Up;
    case Qt::Key_Down: return UIKey::Down;
    case Qt::Key_Left: return UIKey::Left;
    case Qt::Key_Right: return UIKey::Right;
    case Qt::Key_PageUp: return UIKey::PageUp;
    case Qt::Key_PageDown: return UIKey::PageDown;
    case Qt::Key_Home: return UIKey::Home;
    case Qt::Key_End: return UIKey::End;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: return UIKey::Activate;
    case Qt::Key_Escape: return UIKey::Escape;
    default: return std::nullopt;
    }
}

CGRect ringOf(const UIView& view) { return view.convertRect_toView(view.focusRingRect(), nullptr); }

// Runs a key's action on the view, which the action may let go of, then lets go of what the
// action released and repaints: what every key does once it has found its view.
template <typename Action>
bool act(UIView& view, Action action)
{
    const auto keepAlive = view.shared_from_this();
    const bool taken = action();
    drainAutoreleased();
    Screen::shared().scheduleDisplay();
    return taken;
}

} // namespace

UIView* focusedView() { return Keyboard::shared().focused(); }
void setFocusedView(UIView& view) { Keyboard::shared().setFocus(view); }
void setFocusObserver(FocusObserver observer)
{
    Keyboard::shared().setObserver(std::move(observer));
}

Keyboard& Keyboard::shared()
{
    static Keyboard keyboard;
    return keyboard;
}

UIView* Keyboard::focused() const
{
    const UIView* layer = frontmostLayer();
    if (!layer)
        return nullptr;
    for (auto entry = focus_.rbegin(); entry != focus_.rend(); ++entry)
        if (auto view = entry->lock(); view && view->canBecomeFocused() && showsIn(*view, *layer))
            return view.get();
    return nullptr;
}

bool Keyboard::keyPressed(QKeyEvent& event)
{
    Screen::shared().layout();
    const auto modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const int key = event.key();
    if (modifiers == Qt::ControlModifier) {
        if (key == Qt::Key_Q) {
            UIApplication::sharedApplication()->terminateWithStatus(0);
            return true;
        }
        if (key >= Qt::Key_1 && key <= Qt::Key_4)
            return chooseTab(size_t(key - Qt::Key_1));
    }
    const bool plain = !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && (key == Qt::Key_Tab || key == Qt::Key_Backtab)) {
        moveFocus(key == Qt::Key_Tab && !(modifiers & Qt::ShiftModifier));
        return true;
    }
    if (Screen::shared().firstResponder()) {
        Screen::shared().sendToFirstResponder(&event);
        if (event.isAccepted())
            return true;
    }
    if (plain && typedInto(event.text()))
        return true;
    const auto viewKeyPressed = viewKey(key);
    if (!plain || !viewKeyPressed)
        return false;
    if (*viewKeyPressed == UIKey::Escape)
        return escape();
    UIView* view = focused();
    // With nothing focused, Return presses what the frontmost layer offers by default (the
    // default button of an alert).
    if (!view && (key == Qt::Key_Return || key == Qt::Key_Enter))
        return pressDefault();
    if (!view)
        return false;
    const CGRect ringBefore = ringOf(*view);
    const bool taken = act(*view, [&] { return view->keyPressed(*viewKeyPressed); });
    Screen::shared().layout();
    if (taken && focused() == view && ringOf(*view) != ringBefore)
        announce(*view);
    return taken;
}

void Keyboard::moveFocus(bool forward)
{
    UIView* layer = frontmostLayer();
    if (!layer)
        return;
    const auto stops = focusableViews(*layer);
    if (stops.empty())
        return;
    UIView* current = focused();
    if (!current)
        current = Screen::shared().firstResponder();
    const auto at = std::find(stops.begin(), stops.end(), current);
    const size_t count = stops.size();
    size_t next = forward ? 0 : count - 1;
    if (at != stops.end()) {
        const auto index = size_t(at - stops.begin());
        next = forward ? (index + 1) % count : (index + count - 1) % count;
    }
    setFocus(*stops[next]);
}

void Keyboard::setFocus(UIView& view)
{
    // The keyboard's text field is the focused one, if any.
    if (UITextField* field = Screen::shared().firstResponder(); field && field != &view)
        field->resignFirstResponder();
    if (auto* field = dynamic_cast<UITextField*>(&view))
        field->becomeFirstResponder();
    const UIView* layer = frontmostLayer();
    std::erase_if(focus_, [&](const std::weak_ptr<UIView>& entry) {
        auto former = entry.lock();
        return !former || former->isDescendantOfView(layer);
    });
    focus_.push_back(view.weak_from_this());
    announce(view);
    Screen::shared().scheduleDisplay();
}

bool Keyboard::chooseTab(size_t index)
{
    UIView* layer = frontmostLayer();
    if (!layer)
        return false;
    auto* bar = static_cast<UITabBar*>(findFrontFirst(
        *layer, [](UIView& view) { return dynamic_cast<UITabBar*>(&view) != nullptr; }));
    if (!bar || index >= bar->items().size() || !bar->items()[index]->isEnabled())
        return false;
    return act(*bar, [&] {
        bar->userSelectedItem(bar->items()[index].get());
        return true;
    });
}

bool Keyboard::typedInto(const QString& text)
{
    UIView* view = focused();
    auto* input = dynamic_cast<UIKeyInput*>(view);
    if (!input || text.isEmpty() || !text.at(0).isPrint())
        return false;
    return act(*view, [&] { return input->insertText(text.toStdString()); });
}

bool Keyboard::pressDefault()
{
    UIView* layer = frontmostLayer();
    if (!layer)
        return false;
    return act(*layer, [&] { return layer->keyPressed(UIKey::Activate); });
}

bool Keyboard::escape()
{
    UIView* layer = frontmostLayer();
    if (!layer)
        return false;
    return act(*layer, [&] {
        return findFrontFirst(*layer, [](UIView& view) { return view.keyPressed(UIKey::Escape); });
    });
}

void Keyboard::touched()
{
    if (focus_.empty())
        return;
    focus_.clear();
    Screen::shared().scheduleDisplay();
}

void Keyboard::announce(UIView& view)
{
    if (observer_)
        observer_(view);
}

void Keyboard::drawRing(QPainter& painter) const
{
    UIView* view = focused();
    if (!view)
        return;
    const auto clip = clipAbove(*view, *frontmostLayer());
    if (!clip)
        return;
    painter.save();
    painter.setClipRect(toQRect(*clip));
    // Just outside what it goes around, so it hides none of it.
    const QRectF ring = toQRect(ringOf(*view))
                            .adjusted(-ringWidth / 2, -ringWidth / 2, ringWidth / 2, ringWidth / 2);
    // Round around a small round button (information, disclosure), else with a button's corners.
    const bool small = std::max(ring.width(), ring.height()) <= 36;
    const qreal radius = small ? std::min(ring.width(), ring.height()) / 2 : 7;
    QPainterPath path;
    path.addRoundedRect(ring, radius, radius);
    painter.setPen(QPen(ringColor, ringWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}

} // namespace uikit
