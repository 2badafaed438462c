#include "foundation/RunLoop.h"

#include <vector>

namespace os {
namespace {

RunLoop* g_main_loop = nullptr;

std::vector<std::function<void()>>& installation_hooks()
{
    static std::vector<std::function<void()>> hooks;
    return hooks;
}

} // namespace

RunLoop* main_run_loop() { return g_main_loop; }

void install_main_run_loop(RunLoop* loop)
{
    g_main_loop = loop;
    // By index: a hook may add another one.
    for (size_t i = 0; i < installation_hooks().size(); ++i)
        installation_hooks()[i]();
}

void on_main_run_loop_installed(std::function<void()> hook)
{
    installation_hooks().push_back(hook);
    if (g_main_loop != nullptr)
        hook();
}

} // namespace os
