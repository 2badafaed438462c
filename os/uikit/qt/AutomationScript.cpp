#include "AutomationScript.h"

#include "Painting.h"
#include "Screen.h"
#include "uikit/Automation.h"
#include "uikit/UIApplication.h"

#include <QCoreApplication>
#include <QTimer>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace uikit {
namespace {

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

template <class Number>
bool parseNumber(std::string_view text, Number& value)
{
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool writeFile(const std::filesystem::path& file, const std::string& content)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << content;
    return bool(out.flush());
}

// One command line as a command sees it, and what the command tells the runner.
struct Step {
    std::string_view line; // the whole line, for messages
    std::string_view name; // the command's
    std::string_view rest; // all after the command's name: a text or a file name
    std::vector<std::string_view> args; // `rest` split at blanks
    int delay = 0; // milliseconds before the next line
    bool again = false; // the line runs again after the delay
    bool finished = false; // the script ends here
    std::string error; // why the command failed

    bool fail(std::string message)
    {
        error = std::move(message);
        return false;
    }
};

bool waitFor(Step& step)
{
    if (step.args.size() != 1 || !parseNumber(step.args[0], step.delay) || step.delay < 0)
        return step.fail("wait needs a number of milliseconds: " + std::string(step.line));
    return true;
}

// Until another program says it is ready (a screen reader listening): it makes the file.
bool waitForFile(Step& step)
{
    if (step.rest.empty())
        return step.fail("waitfile needs a file");
    if (!std::filesystem::exists(std::filesystem::path(step.rest))) {
        step.again = true;
        step.delay = 50;
    }
    return true;
}

bool tapText(Step& step)
{
    if (step.rest.empty())
        return step.fail("tap needs a text");
    if (!tap(step.rest))
        return step.fail("nothing to tap shows the text \"" + std::string(step.rest) + "\"");
    return true;
}

bool typeInto(Step& step)
{
    if (step.rest.empty())
        return step.fail("type needs a text");
    if (!typeText(step.rest))
        return step.fail("no text field has the keyboard; tap one first");
    return true;
}

bool pressKeyNamed(Step& step)
{
    if (step.args.size() != 1 || !pressKey(step.rest))
        return step.fail(
            "key needs one key such as Tab, Shift+Tab, Return, Escape, Ctrl+1 or Down: " +
            std::string(step.line));
    return true;
}

bool tapPoint(Step& step)
{
    float x = 0, y = 0;
    if (step.args.size() != 2 || !parseNumber(step.args[0], x) || !parseNumber(step.args[1], y))
        return step.fail("tapat needs two numbers: " + std::string(step.line));
    tapAt({x, y});
    return true;
}

bool scrollToRow(Step& step)
{
    int section = 0, row = 0;
    if (step.args.size() != 2 || !parseNumber(step.args[0], section) ||
        !parseNumber(step.args[1], row))
        return step.fail("scrollto needs a section and a row: " + std::string(step.line));
    if (!scrollTo(section, row))
        return step.fail("no table shows section " + std::string(step.args[0]) + " row " +
                         std::string(step.args[1]));
    return true;
}

bool choose(Step& step)
{
    std::optional<std::filesystem::path> file;
    if (!step.rest.empty())
        file = std::filesystem::absolute(std::string(step.rest));
    if (!answerFileChooser(std::move(file)))
        return step.fail("no file chooser is open");
    return true;
}

bool dump(Step& step)
{
    if (step.rest.empty())
        return step.fail("dump needs a file");
    if (!writeFile(std::string(step.rest), dumpScreen().toJson() + "\n"))
        return step.fail("cannot write " + std::string(step.rest));
    return true;
}

bool screenshotTo(Step& step)
{
    if (step.rest.empty())
        return step.fail("screenshot needs a file");
    if (!saveScreenshot(std::string(step.rest)))
        return step.fail("cannot write " + std::string(step.rest));
    return true;
}

bool closeTheWindow(Step& step)
{
    return closeWindow() || step.fail("close: the window is not shown");
}

bool quit(Step& step)
{
    step.finished = true;
    UIApplication::sharedApplication()->terminateWithStatus(0);
    return true;
}

struct Command {
    std::string_view name;
    bool (*run)(Step&);
};

// One row a command; the line's first word picks it.
constexpr Command commands[] = {
    {"wait", waitFor}, // wait MS
    {"waitfile", waitForFile}, // waitfile FILE: until the file exists
    {"tap", tapText}, // tap TEXT
    {"tapat", tapPoint}, // tapat X Y
    {"type", typeInto}, // type TEXT
    {"key", pressKeyNamed}, // key KEY
    {"scrollto", scrollToRow}, // scrollto SECTION ROW
    {"choose", choose}, // choose [FILE]: the open file chooser's answer, none to cancel
    {"dump", dump}, // dump FILE
    {"screenshot", screenshotTo}, // screenshot FILE
    {"close", closeTheWindow}, // close: the window, as its close button does
    {"quit", quit}, // quit
};

// Runs a script's lines one per turn of the event loop; owns itself until the script ends.
class ScriptRunner {
public:
    ScriptRunner(std::filesystem::path file, std::vector<std::string> lines)
        : file_(std::move(file)), lines_(std::move(lines))
    {
    }

    void scheduleNext(int delay)
    {
        QTimer::singleShot(delay, [this] { runNextLine(); });
    }

private:
    void runNextLine()
    {
        while (next_ < lines_.size()) {
            const size_t number = next_++;
            const std::string_view line = trim(lines_[number]);
            if (line.empty() || line.front() == '#')
                continue;
            drainAutoreleased();
            Screen::shared().layout();
            Step step = split(line);
            if (!run(step)) {
                std::fprintf(stderr, "automation: %s:%zu: %s\n", file_.c_str(), number + 1,
                             step.error.c_str());
                std::fflush(stderr);
                QCoreApplication::exit(3);
                delete this;
                return;
            }
            if (step.finished) {
                delete this;
                return;
            }
            if (step.again)
                next_ = number;
            scheduleNext(step.delay);
            return;
        }
        delete this;
    }

    static Step split(std::string_view line)
    {
        const auto space = line.find_first_of(" \t");
        Step step;
        step.line = line;
        step.name = line.substr(0, space);
        step.rest = space == std::string_view::npos ? "" : trim(line.substr(space));
        step.args = words(step.rest);
        return step;
    }

    static bool run(Step& step)
    {
        for (const Command& command : commands)
            if (command.name == step.name)
                return command.run(step);
        return step.fail("unknown command: " + std::string(step.line));
    }

    std::filesystem::path file_;
    std::vector<std::string> lines_;
    size_t next_ = 0;
};

} // namespace

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
