#pragma once
// The screen's side of the keyboard: the focus, what each key does and the focus ring. For the
// toolkit's own files only; main thread only.
#include "uikit/Accessibility.h"
#include "uikit/KeyboardFocus.h"

#include <memory>
#include <vector>

class QKeyEvent;
class QString;
class QPainter;

namespace uikit {

class Keyboard {
public:
    static Keyboard& shared();

    // In this order: the application's shortcuts (Ctrl+Q, Ctrl+1 to Ctrl+4), Tab and
    // Shift+Tab, the first responder's editing keys, the text of a key for a focused view that
    // takes typed text (UIKeyInput), Escape for the frontmost layer, then the focused view's
    // keys, or Return for the frontmost layer when nothing has the focus. False when nothing
    // took the key.
    bool keyPressed(QKeyEvent& event);
    // A touch: the focus goes, and with it the ring.
    void touched();
    // The ring around the focused view, above everything; the painter in screen points.
    void drawRing(QPainter& painter) const;

    UIView* focused() const;
    // Moves the focus to the view, as Tab would.
    void setFocus(UIView& view);
    void setObserver(FocusObserver observer) { observer_ = std::move(observer); }

private:
    void moveFocus(bool forward);
    bool chooseTab(size_t index);
    bool typedInto(const QString& text);
    bool pressDefault();
    bool escape();
    void announce(UIView& view);

    // The latest focus of each layer, latest last: a layer shown again (a screen popped back
    // to, an alert gone) has its focus back.
    std::vector<std::weak_ptr<UIView>> focus_;
    // Assistive technology follows the focus unless a test listens instead.
    FocusObserver observer_ = announceFocus;
};

} // namespace uikit
