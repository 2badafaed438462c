#include "runtime/Substrate.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace {

// The implementations a selector had before each replacement under one prefix, oldest (the
// class's own) first: the replacement made k-th expects its prefixed sends to reach level k - 1.
// There is only one prefixed method, so each replacement marks, while it runs, which level its
// prefixed sends mean, and the prefixed method answers from that mark. Two copies of one library
// hooking the same launch method then run one after the other, then the class's own; without the
// mark the first copy's prefixed send would reach the first copy again, forever.
struct Chain {
    std::mutex mutex;
    std::vector<IMP> levels;

    IMP at(size_t level)
    {
        std::lock_guard lock(mutex);
        return levels[level];
    }
};

// The chains running on this thread, innermost last, with the level their prefixed sends mean.
thread_local std::vector<std::pair<const Chain*, size_t>> running;

struct Running {
    Running(const Chain* chain, size_t level) { running.emplace_back(chain, level); }
    ~Running() { running.pop_back(); }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;
};

// The chain of cls's selector under one prefixed name; created says whether it is new.
Chain* chain_for(Class cls, SEL prefixed, bool& created)
{
    static std::mutex mutex;
    static auto* chains = new std::map<std::pair<Class, const char*>, std::unique_ptr<Chain>>;
    std::lock_guard lock(mutex);
    auto& slot = (*chains)[{cls, prefixed.name()}]; // selector texts are interned
    created = slot == nullptr;
    if (created)
        slot = std::make_unique<Chain>();
    return slot.get();
}

} // namespace

IMP MSHookMessage(Class cls, SEL selector, IMP replacement, const char* prefix)
{
    if (cls == nullptr || !selector || !replacement)
        return {};
    const IMP previous = class_getMethodImplementation(cls, selector);
    const std::string types = class_getMethodTypeEncoding(cls, selector);
    if (!previous || prefix == nullptr) {
        class_replaceMethod(cls, selector, std::move(replacement), types.c_str());
        return previous;
    }

    const SEL prefixed(std::string(prefix) + selector.name());
    bool created = false;
    Chain* const chain = chain_for(cls, prefixed, created);
    size_t level = 0;
    {
        std::lock_guard lock(chain->mutex);
        chain->levels.push_back(previous);
        level = chain->levels.size() - 1;
    }
    if (created) {
        // Sent from outside any replacement, the prefixed selector answers with the class's own
        // implementation from before the first replacement.
        class_replaceMethod(
            cls, prefixed,
            [chain](id self, SEL cmd, std::span<const Value> args) -> Value {
                size_t meant = 0;
                for (auto it = running.rbegin(); it != running.rend(); ++it)
                    if (it->first == chain) {
                        meant = it->second;
                        break;
                    }
                return chain->at(meant)(self, cmd, args);
            },
            types.c_str());
    }
    class_replaceMethod(
        cls, selector,
        [chain, level, replacement = std::move(replacement)](id self, SEL cmd,
                                                             std::span<const Value> args) -> Value {
            const Running mark(chain, level);
            return replacement(self, cmd, args);
        },
        types.c_str());
    return previous;
}
