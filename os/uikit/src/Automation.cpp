#include "uikit/Automation.h"

#include "Painting.h"
#include "Screen.h"
#include "uikit/UIApplication.h"
#include "uikit/UIImage.h"
#include "uikit/UITableView.h"

#include <QCoreApplication>
#include <QTimer>

#include <charconv>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace uikit {
namespace {

const CGRect screenBounds = CGRectMake(0, 0, 320, 480);

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

bool writeFile(const std::filesystem::path& file, const std::string& content)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << content;
    return bool(out.flush());
}

template <class Number>
bool parse(std::string_view text, Number& value)
{
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

std::string_view trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::vector<std::string_view> words(std::string_view text)
{
    std::vector<std::string_view> result;
    while (!(text = trim(text)).empty()) {
        const auto end = text.find_first_of(" \t");
        result.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text = text.substr(end);
    }
    return result;
}

// Runs a script's lines one per turn of the event loop; owns itself until the script ends.
class ScriptRunner {
public:
    ScriptRunner(std::filesystem::path file, std::vector<std::string> lines)
        : file_(std::move(file)), lines_(std::move(lines))
    {
    }

    void scheduleNext(int delay)
    {
        QTimer::singleShot(delay, [this] { step(); });
    }

private:
    void step()
    {
        while (next_ < lines_.size()) {
            const size_t number = next_++;
            const std::string_view line = trim(lines_[number]);
            if (line.empty() || line.front() == '#')
                continue;
            drainAutoreleased();
            Screen::shared().layout();
            int delay = 0;
            std::string error;
            if (!run(line, delay, error)) {
                std::fprintf(stderr, "automation: %s:%zu: %s\n", file_.c_str(), number + 1,
                             error.c_str());
                std::fflush(stderr);
                QCoreApplication::exit(3);
                delete this;
                return;
            }
            if (finished_) {
                delete this;
                return;
            }
            scheduleNext(delay);
            return;
        }
        delete this;
    }

    bool run(std::string_view line, int& delay, std::string& error)
    {
        const auto space = line.find_first_of(" \t");
        const std::string_view command = line.substr(0, space);
        const std::string_view rest = space == std::string_view::npos ? "" : trim(line.substr(space));
        const auto args = words(rest);
        auto fail = [&](std::string message) {
            error = std::move(message);
            return false;
        };
        if (command == "wait") {
            if (args.size() != 1 || !parse(args[0], delay) || delay < 0)
                return fail("wait needs a number of milliseconds: " + std::string(line));
            return true;
        }
        if (command == "tap") {
            if (rest.empty())
                return fail("tap needs a text");
            if (!tap(rest))
                return fail("nothing to tap shows the text \"" + std::string(rest) + "\"");
            return true;
        }
        if (command == "tapat") {
            float x = 0, y = 0;
            if (args.size() != 2 || !parse(args[0], x) || !parse(args[1], y))
                return fail("tapat needs two numbers: " + std::string(line));
            tapAt({x, y});
            return true;
        }
        if (command == "scrollto") {
            int section = 0, row = 0;
            if (args.size() != 2 || !parse(args[0], section) || !parse(args[1], row))
                return fail("scrollto needs a section and a row: " + std::string(line));
            if (!scrollTo(section, row))
                return fail("no table shows section " + std::string(args[0]) + " row " +
                            std::string(args[1]));
            return true;
        }
        if (command == "dump") {
            if (rest.empty())
                return fail("dump needs a file");
            if (!writeFile(std::string(rest), dumpScreen().toJson() + "\n"))
                return fail("cannot write " + std::string(rest));
            return true;
        }
        if (command == "screenshot") {
            if (rest.empty())
                return fail("screenshot needs a file");
            if (!saveScreenshot(std::string(rest)))
                return fail("cannot write " + std::string(rest));
            return true;
        }
        if (command == "quit") {
            finished_ = true;
            UIApplication::sharedApplication()->terminateWithStatus(0);
            return true;
        }
        return fail("unknown command: " + std::string(line));
    }

    std::filesystem::path file_;
    std::vector<std::string> lines_;
    size_t next_ = 0;
    bool finished_ = false;
};

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
    record.set("frame", DumpRecord::Numbers{0, 0, 320, 480});
    record.set("children", DumpRecord::List{});
    for (UIView* root : Screen::shared().roots())
        record.append("children") = dumpView(*root);
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
            return record.text("text") == text;
        },
        shown);
    if (!view)
        return false;
    tapAt({CGRectGetMidX(shown), CGRectGetMidY(shown)});
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

bool runScript(const std::filesystem::path& file)
{
    std::ifstream in(file);
    if (!in) {
        std::fprintf(stderr, "automation: cannot read %s\n", file.c_str());
        return false;
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ensureApplication();
    (new ScriptRunner(file, std::move(lines)))->scheduleNext(0);
    return true;
}

} // namespace uikit
