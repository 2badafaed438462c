#include "uikit/Automation.h"

#include "OpenFileChooser.h"
#include "Painting.h"
#include "Screen.h"
#include "uikit/UIApplication.h"
#include "uikit/UIImage.h"
#include "uikit/UIScreen.h"
#include "uikit/UITableView.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>
#include <functional>
#include <vector>

namespace uikit {
namespace {

const CGRect screenBounds{{0, 0}, UIScreen::standardSize};

// Front to back.
std::vector<UIView*> rootsFrontFirst()
{
    auto roots = Screen::shared().roots();
    return {roots.rbegin(), roots.rend()};
}

// The frontmost visible view that `accept` takes, with the part of it that shows.
UIView* findFrontmost(UIView& view, const CGRect& clip, const std::function<bool(UIView&)>& accept,
                      CGRect& shown)
{
    if (view.isHidden() || view.alpha() <= 0)
        return nullptr;
    const CGRect frame = view.screenFrame();
    const CGRect inner = view.clipsToBounds() ? CGRectIntersection(clip, frame) : clip;
    const auto subviews = view.subviews();
    for (auto subview = subviews.rbegin(); subview != subviews.rend(); ++subview)
        if (UIView* found = findFrontmost(**subview, inner, accept, shown))
            return found;
    const CGRect visible = CGRectIntersection(frame, clip);
    if (CGRectIsEmpty(visible) || !accept(view))
        return nullptr;
    // Covered by another view at its middle: not the view a finger would reach.
    UIView* hit = Screen::shared().hitTest({CGRectGetMidX(visible), CGRectGetMidY(visible)});
    if (!hit || !(hit->isDescendantOfView(&view) || view.isDescendantOfView(hit)))
        return nullptr;
    shown = visible;
    return &view;
}

UIView* findFrontmost(const std::function<bool(UIView&)>& accept, CGRect& shown)
{
    Screen::shared().layout();
    for (UIView* root : rootsFrontFirst())
        if (UIView* found = findFrontmost(*root, screenBounds, accept, shown))
            return found;
    return nullptr;
}

} // namespace

void runPendingWork()
{
    ensureApplication();
    QCoreApplication::processEvents();
    drainAutoreleased();
    Screen::shared().layout();
}

DumpRecord dumpView(const UIView& view)
{
    DumpRecord record;
    view.describe(record);
    record.set("children", DumpRecord::List{});
    for (const UIView* child : view.subviewsForDump())
        record.append("children") = dumpView(*child);
    return record;
}

DumpRecord dumpScreen()
{
    Screen::shared().layout();
    DumpRecord record;
    record.set("class", "UIScreen");
    record.set("frame", DumpRecord::Numbers{0, 0, UIScreen::standardSize.width,
                                            UIScreen::standardSize.height});
    record.set("children", DumpRecord::List{});
    for (UIView* root : Screen::shared().roots())
        record.append("children") = dumpView(*root);
    if (auto chooser = openFileChooserRecord())
        record.append("children") = std::move(*chooser);
    return record;
}

std::shared_ptr<UIImage> screenshot() { return makeImage(Screen::shared().snapshot()); }

bool saveScreenshot(const std::filesystem::path& file)
{
    return Screen::shared().snapshot().save(QString::fromStdString(file.string()), "PNG");
}

void tapAt(CGPoint point)
{
    Screen::shared().touchBegan(point);
    Screen::shared().touchEnded(point);
}

bool tap(std::string_view text)
{
    CGRect shown;
    UIView* view = findFrontmost(
        [&](UIView& candidate) {
            DumpRecord record;
            candidate.describe(record);
            // An empty text field is found by what it asks for.
            return record.text("text") == text || record.text("placeholder") == text;
        },
        shown);
    if (!view)
        return false;
    tapAt({CGRectGetMidX(shown), CGRectGetMidY(shown)});
    return true;
}

bool typeText(std::string_view text) { return Screen::shared().typeText(text); }

namespace {

// The text a key press of the desktop carries with the key.
QString keyText(QKeyCombination key)
{
    if (key.keyboardModifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return {};
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return QStringLiteral("\r");
    case Qt::Key_Tab: return QStringLiteral("\t");
    case Qt::Key_Escape: return QStringLiteral("\x1b");
    case Qt::Key_Backspace: return QStringLiteral("\b");
    default: break;
    }
    const int code = int(key.key());
    if (code < 0x20 || code > 0x7e)
        return {};
    const QChar character(code);
    return key.keyboardModifiers() & Qt::ShiftModifier ? QString(character)
                                                       : QString(character.toLower());
}

} // namespace

bool pressKey(std::string_view key)
{
    ensureApplication();
    const QKeySequence sequence(toQString(key), QKeySequence::PortableText);
    if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown)
        return false;
    QKeyCombination combination = sequence[0];
    // The desktop reports Shift+Tab as the back tab key.
    if (combination.key() == Qt::Key_Tab && combination.keyboardModifiers() & Qt::ShiftModifier)
        combination = QKeyCombination(combination.keyboardModifiers(), Qt::Key_Backtab);
    const QString text = keyText(combination);
    QKeyEvent press(QEvent::KeyPress, combination.key(), combination.keyboardModifiers(), text);
    Screen::shared().sendKey(press);
    QKeyEvent release(QEvent::KeyRelease, combination.key(), combination.keyboardModifiers(), text);
    Screen::shared().sendKey(release);
    return true;
}

bool scrollTo(int section, int row)
{
    CGRect shown;
    UIView* view = findFrontmost(
        [](UIView& candidate) { return dynamic_cast<UITableView*>(&candidate) != nullptr; }, shown);
    auto* table = static_cast<UITableView*>(view);
    if (!table || row < 0 || row >= table->numberOfRowsInSection(section))
        return false;
    table->scrollToRowAtIndexPath_atScrollPosition_animated(
        NSIndexPath::indexPathForRow_inSection(row, section), UITableViewScrollPositionTop, false);
    Screen::shared().layout();
    return true;
}

bool closeWindow()
{
    QWidget* window = Screen::shared().desktopWindow();
    if (window == nullptr || !window->isVisible())
        return false;
    window->close();
    return true;
}

} // namespace uikit
