#pragma once
// The process-wide screen: the windows made visible, the status bar and the modal layer that
// holds alerts and sheets, drawn together into one 320 x 480 picture. Touches go from the screen
// to the view under them. For the toolkit's own files only; main thread only.
#include "Display.h"
#include "uikit/CGGeometry.h"
#include "uikit/UIView.h"
#include "uikit/UIWindow.h"

#include <QImage>

class QEvent;
class QKeyEvent;
class QWidget;
class UITextField;

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

class QPainter;

namespace uikit {

class Screen {
public:
    static Screen& shared();

    // Puts the window on top of the others (or moves it there) and makes it key. The screen
    // does not keep it: a window shows for as long as its maker holds it.
    void addWindow(const std::shared_ptr<UIWindow>& window);
    UIWindow* keyWindow() const { return keyWindow_.lock().get(); }

    // A full-screen view above everything; it swallows every touch outside its subviews while
    // it holds any, so the alert or sheet in it is modal.
    // The text field the keyboard types into; nullptr when none.
    UITextField* firstResponder() const;
    void setFirstResponder(UITextField* field);
    // Hands a key or input-method event to the first responder's editor; false when there is none.
    bool sendToFirstResponder(QEvent* event);
    // Types the text as the keyboard would: a key press carrying it, through the desktop
    // window when there is one. False when no field has the keyboard.
    bool typeText(std::string_view text);
    // A key pressed or let go: through the desktop window when there is one.
    void sendKey(QKeyEvent& event);

    UIView& modalLayer();
    UIView& statusBar();

    // Back to front: the windows, the status bar, the modal layer.
    std::vector<UIView*> roots();

    void layout();
    void render(QPainter& painter);
    QImage snapshot();

    // The view under the point (screen points), front first.
    UIView* hitTest(CGPoint point);
    void touchBegan(CGPoint point);
    void touchMoved(CGPoint point);
    void touchEnded(CGPoint point);
    void wheel(CGPoint point, CGFloat dx, CGFloat dy);

    // Layout and a repaint at the next turn of the event loop.
    void scheduleDisplay();
    // Makes the screen's desktop window (or its offscreen one), shown unless the program asked
    // for it hidden.
    void show();
    void setWindowVisible(bool visible);
    // The desktop window that shows the screen, for dialogs of the desktop to stand over;
    // nullptr before show().
    QWidget* desktopWindow() const;
    bool isWindowVisible() const { return windowVisible_; }
    void setClosingHidesWindow(bool hides) { closingHides_ = hides; }
    bool closingHidesWindow() const { return closingHides_; }
    void setCloseHandler(std::function<void()> handler) { closeHandler_ = std::move(handler); }
    const std::function<void()>& closeHandler() const { return closeHandler_; }
    // Called each time the desktop window becomes the active one.
    void setActivationHandler(std::function<void()> handler)
    {
        activationHandler_ = std::move(handler);
    }
    const std::function<void()>& activationHandler() const { return activationHandler_; }

private:
    Screen();

    std::vector<std::weak_ptr<UIWindow>> windows_;
    std::weak_ptr<UIWindow> keyWindow_;
    std::shared_ptr<UIView> statusBar_;
    std::shared_ptr<UIView> modalLayer_;
    std::shared_ptr<UIView> touched_;
    std::weak_ptr<UIView> firstResponder_;
    bool displayScheduled_ = false;
    bool windowVisible_ = true;
    bool closingHides_ = false;
    std::function<void()> closeHandler_;
    std::function<void()> activationHandler_;
};

// Draws the view and its subviews; the painter is in the superview's content coordinates.
void renderView(UIView& view, QPainter& painter);

} // namespace uikit
