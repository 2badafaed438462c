#include "Screen.h"

#include "AccessibleViews.h"
#include "Keyboard.h"
#include "ModalLayer.h"
#include "Painting.h"
#include "StatusBar.h"
#include "TextFieldEditor.h"
#include "uikit/Accessibility.h"
#include "uikit/UIScreen.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTime>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>

namespace uikit {
namespace {

class ScreenWidget : public QWidget {
public:
    ScreenWidget()
    {
        setFixedSize(int(UIScreen::standardSize.width), int(UIScreen::standardSize.height));
        setWindowTitle(QGuiApplication::applicationDisplayName());
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::StrongFocus);
    }

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override
    {
        UITextField* field = Screen::shared().firstResponder();
        if (!field)
            return QWidget::inputMethodQuery(query);
        // The editor is never shown; the input method's window belongs beside the field.
        if (query == Qt::ImCursorRectangle)
            return toQRect(field->screenFrame()).toAlignedRect();
        return field->editor().line.inputMethodQuery(query);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        Screen::shared().layout();
        QPainter painter(this);
        Screen::shared().render(painter);
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            Screen::shared().touchBegan(point(event->position()));
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (event->buttons() & Qt::LeftButton)
            Screen::shared().touchMoved(point(event->position()));
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            Screen::shared().touchEnded(point(event->position()));
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        if (!Keyboard::shared().keyPressed(*event))
            QWidget::keyPressEvent(event);
    }
    // Tab moves the toolkit's focus among the views drawn here, not Qt's among widgets.
    bool focusNextPrevChild(bool) override { return false; }
    void inputMethodEvent(QInputMethodEvent* event) override
    {
        Screen::shared().sendToFirstResponder(event);
    }
    void wheelEvent(QWheelEvent* event) override
    {
        // A notch of the wheel moves the content by about one row.
        QPointF delta = event->pixelDelta().isNull() ? QPointF(event->angleDelta()) / 120.0 * 44
                                                     : QPointF(event->pixelDelta());
        Screen::shared().wheel(point(event->position()), CGFloat(-delta.x()), CGFloat(-delta.y()));
    }
    void changeEvent(QEvent* event) override
    {
        QWidget::changeEvent(event);
        if (event->type() == QEvent::ActivationChange && isActiveWindow())
            if (const auto& handler = Screen::shared().activationHandler())
                handler();
    }
    void closeEvent(QCloseEvent* event) override
    {
        if (Screen::shared().closingHidesWindow()) {
            event->ignore();
            Screen::shared().setWindowVisible(false);
        } else if (const auto& handler = Screen::shared().closeHandler()) {
            event->ignore();
            handler();
        } else {
            event->accept();
        }
    }

private:
    static CGPoint point(QPointF p) { return {CGFloat(p.x()), CGFloat(p.y())}; }
};

QWidget* screenWidget = nullptr;
// Ticks only while the window shows, so a program waiting in the background sleeps.
QTimer* statusBarClock = nullptr;

std::vector<std::shared_ptr<const void>>& pool()
{
    static std::vector<std::shared_ptr<const void>> objects;
    return objects;
}

UIView* touchHandler(UIView* view)
{
    while (view && !view->handlesTouches())
        view = view->superview();
    return view;
}

} // namespace

Screen& Screen::shared()
{
    // Never destroyed: windows may hold views whose owners outlive main().
    static Screen* screen = new Screen;
    return *screen;
}

Screen::Screen()
    : statusBar_(std::make_shared<StatusBar>()), modalLayer_(std::make_shared<ModalLayer>())
{
}

void Screen::addWindow(const std::shared_ptr<UIWindow>& window)
{
    std::erase_if(windows_,
                  [&](const auto& shown) { return shown.expired() || shown.lock() == window; });
    keyWindow_ = window;
    windows_.push_back(window);
    scheduleDisplay();
}

UITextField* Screen::firstResponder() const
{
    auto field = firstResponder_.lock();
    return static_cast<UITextField*>(field.get());
}

void Screen::setFirstResponder(UITextField* field)
{
    UITextField* former = firstResponder();
    if (former == field)
        return;
    if (former)
        former->setNeedsDisplay();
    // A field being destroyed can no longer be shared; it only ever resigns.
    firstResponder_ = field ? field->weak_from_this() : std::weak_ptr<UIView>();
    if (field) {
        field->setNeedsDisplay();
        announceFocus(*field);
    }
    if (screenWidget) {
        screenWidget->setAttribute(Qt::WA_InputMethodEnabled, field != nullptr);
        QGuiApplication::inputMethod()->update(Qt::ImEnabled);
    }
    // Told after the change, so each field's actions see who has the keyboard now; an action
    // may let go of either field.
    const auto keepFormer = former ? former->weak_from_this().lock() : nullptr;
    const auto keepField = field ? field->weak_from_this().lock() : nullptr;
    if (keepFormer)
        former->sendActionsForControlEvents(UIControlEventEditingDidEnd);
    if (keepField)
        field->sendActionsForControlEvents(UIControlEventEditingDidBegin);
}

bool Screen::sendToFirstResponder(QEvent* event)
{
    UITextField* field = firstResponder();
    if (!field)
        return false;
    QCoreApplication::sendEvent(&field->editor().line, event);
    drainAutoreleased();
    scheduleDisplay();
    return true;
}

bool Screen::typeText(std::string_view text)
{
    if (!firstResponder())
        return false;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, toQString(text));
    if (screenWidget)
        QCoreApplication::sendEvent(screenWidget, &press);
    else
        sendToFirstResponder(&press);
    return true;
}

void Screen::sendKey(QKeyEvent& event)
{
    if (screenWidget)
        QCoreApplication::sendEvent(screenWidget, &event);
    else if (event.type() == QEvent::KeyPress)
        Keyboard::shared().keyPressed(event);
    drainAutoreleased();
    scheduleDisplay();
}

UIView& Screen::modalLayer() { return *modalLayer_; }
UIView& Screen::statusBar() { return *statusBar_; }

std::vector<UIView*> Screen::roots()
{
    std::vector<UIView*> result;
    for (auto& shown : windows_)
        if (auto window = shown.lock())
            result.push_back(window.get());
    result.push_back(statusBar_.get());
    result.push_back(modalLayer_.get());
    return result;
}

void Screen::layout()
{
    for (UIView* root : roots())
        root->layoutIfNeeded();
}

void Screen::render(QPainter& painter)
{
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                           QPainter::TextAntialiasing);
    painter.fillRect(toQRect({{0, 0}, UIScreen::standardSize}), Qt::black);
    for (UIView* root : roots())
        renderView(*root, painter);
    Keyboard::shared().drawRing(painter);
}

QImage Screen::snapshot()
{
    ensureApplication();
    layout();
    QImage image(int(UIScreen::standardSize.width), int(UIScreen::standardSize.height),
                 QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    render(painter);
    painter.end();
    return image;
}

UIView* Screen::hitTest(CGPoint point)
{
    layout();
    auto all = roots();
    for (auto root = all.rbegin(); root != all.rend(); ++root)
        if (UIView* hit = (*root)->hitTest((*root)->convertPoint_fromView(point, nullptr)))
            return hit;
    return nullptr;
}

void Screen::touchBegan(CGPoint point)
{
    Keyboard::shared().touched();
    UIView* handler = touchHandler(hitTest(point));
    touched_ = handler ? handler->shared_from_this() : nullptr;
    if (touched_)
        touched_->touchesBegan(touched_->convertPoint_fromView(point, nullptr));
    scheduleDisplay();
}

void Screen::touchMoved(CGPoint point)
{
    if (touched_)
        touched_->touchesMoved(touched_->convertPoint_fromView(point, nullptr));
    scheduleDisplay();
}

void Screen::touchEnded(CGPoint point)
{
    if (auto view = std::move(touched_))
        view->touchesEnded(view->convertPoint_fromView(point, nullptr));
    drainAutoreleased();
    scheduleDisplay();
}

void Screen::wheel(CGPoint point, CGFloat dx, CGFloat dy)
{
    for (UIView* view = hitTest(point); view; view = view->superview())
        if (view->scrollByWheel(view->convertPoint_fromView(point, nullptr), dx, dy))
            break;
    scheduleDisplay();
}

void Screen::scheduleDisplay()
{
    if (displayScheduled_ || !QCoreApplication::instance())
        return;
    displayScheduled_ = true;
    QTimer::singleShot(0, [this] {
        displayScheduled_ = false;
        drainAutoreleased();
        layout();
        if (screenWidget)
            screenWidget->update();
    });
}

void Screen::show()
{
    ensureApplication();
    if (!screenWidget) {
        screenWidget = new ScreenWidget;
        installAccessibility(*screenWidget);
        screenWidget->setAttribute(Qt::WA_InputMethodEnabled, firstResponder() != nullptr);
        // The status bar's clock moves on with the minute.
        statusBarClock = new QTimer(screenWidget);
        statusBarClock->setInterval(1000);
        QObject::connect(statusBarClock, &QTimer::timeout, [this, minute = -1]() mutable {
            if (QTime::currentTime().minute() != minute) {
                minute = QTime::currentTime().minute();
                statusBar_->setNeedsDisplay();
            }
        });
    }
    if (windowVisible_) {
        statusBarClock->start();
        screenWidget->show();
    }
    scheduleDisplay();
}

QWidget* Screen::desktopWindow() const { return screenWidget; }

void Screen::setWindowVisible(bool visible)
{
    windowVisible_ = visible;
    if (!screenWidget)
        return;
    if (!visible) {
        statusBarClock->stop();
        screenWidget->hide();
        return;
    }
    statusBarClock->start();
    statusBar_->setNeedsDisplay();
    screenWidget->setWindowState(screenWidget->windowState() & ~Qt::WindowMinimized);
    screenWidget->show();
    // Asked for from elsewhere (the tray, another start): in front of the desktop's windows.
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        screenWidget->raise();
        screenWidget->activateWindow();
    }
    scheduleDisplay();
}

namespace {

// Whether anything of the subview can show within the bounds of a superview that clips to
// them: a scrolled list of thousands of buttons draws only those on screen. A subview that
// does not clip may have subviews beyond its own frame, so only a bare or clipping one is
// known to show nothing when its frame lies outside.
bool mayShowWithin(const UIView& subview, CGRect bounds)
{
    if (!subview.clipsToBounds() && !subview.subviews().empty())
        return true;
    return !CGRectIsEmpty(CGRectIntersection(subview.frame(), bounds));
}

} // namespace

void renderView(UIView& view, QPainter& painter)
{
    if (view.isHidden() || view.alpha() <= 0)
        return;
    const CGRect frame = view.frame();
    const CGRect bounds = view.bounds();
    painter.save();
    painter.translate(frame.origin.x, frame.origin.y);
    if (view.alpha() < 1)
        painter.setOpacity(painter.opacity() * view.alpha());
    if (view.clipsToBounds())
        painter.setClipRect(QRectF(0, 0, frame.size.width, frame.size.height), Qt::IntersectClip);
    painter.translate(-bounds.origin.x, -bounds.origin.y);
    if (view.backgroundColor().alpha() > 0)
        painter.fillRect(toQRect(bounds), toQColor(view.backgroundColor()));
    {
        ContextScope scope(painter);
        view.drawRect(bounds);
    }
    // A copy: drawing must not change the tree, but a view may be released meanwhile.
    const auto subviews = view.subviews();
    for (const auto& subview : subviews)
        if (!view.clipsToBounds() || mayShowWithin(*subview, bounds))
            renderView(*subview, painter);
    painter.restore();
}

void autorelease(std::shared_ptr<const void> object)
{
    if (!object)
        return;
    pool().push_back(std::move(object));
    Screen::shared().scheduleDisplay();
}

void scheduleDisplay() { Screen::shared().scheduleDisplay(); }
UIView& modalLayer() { return Screen::shared().modalLayer(); }
UITextField* firstResponder() { return Screen::shared().firstResponder(); }
void setFirstResponder(UITextField* field) { Screen::shared().setFirstResponder(field); }

void drainAutoreleased()
{
    while (!pool().empty()) {
        auto objects = std::move(pool());
        pool().clear();
        objects.clear();
    }
}

} // namespace uikit
