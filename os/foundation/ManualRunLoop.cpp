#include "foundation/ManualRunLoop.h"

#include <poll.h>

#include <algorithm>

namespace os {

RunLoop::SourceID ManualRunLoop::addTimer(std::chrono::milliseconds interval, bool repeats,
                                          Callback fired)
{
    // A repeating timer of no interval would fire forever within one advance.
    interval = std::max(interval, std::chrono::milliseconds(1));
    timers_[++lastID_] = {clock_.now() + static_cast<Moment>(interval.count()), interval, repeats,
                          std::move(fired)};
    return lastID_;
}

RunLoop::SourceID ManualRunLoop::addReadWatch(int fd, Callback readable)
{
    watches_[++lastID_] = {fd, std::move(readable)};
    return lastID_;
}

void ManualRunLoop::remove(SourceID source)
{
    timers_.erase(source);
    watches_.erase(source);
}

void ManualRunLoop::post(Callback work)
{
    const std::lock_guard lock(postedMutex_);
    posted_.push_back(std::move(work));
}

void ManualRunLoop::advance(std::chrono::milliseconds duration)
{
    const Moment end = clock_.now() + static_cast<Moment>(duration.count());
    for (;;) {
        auto next = timers_.end();
        for (auto it = timers_.begin(); it != timers_.end(); ++it)
            if (it->second.due <= end &&
                (next == timers_.end() || it->second.due < next->second.due))
                next = it;
        if (next == timers_.end())
            break;
        clock_.set(next->second.due);
        // A copy: the callback may remove its own timer.
        const Callback fired = next->second.fired;
        if (next->second.repeats)
            next->second.due += static_cast<Moment>(next->second.interval.count());
        else
            timers_.erase(next);
        fired();
        runPending();
    }
    clock_.set(end);
    runPending();
}

void ManualRunLoop::runPending()
{
    for (int round = 0; round < 1000 && runRound(); ++round) {}
}

bool ManualRunLoop::runRound()
{
    std::vector<Callback> work;
    {
        const std::lock_guard lock(postedMutex_);
        work.swap(posted_);
    }
    for (const Callback& each : work)
        each();

    bool read = false;
    std::vector<SourceID> ready;
    for (const auto& [id, watch] : watches_) {
        pollfd probe{watch.fd, POLLIN, 0};
        if (::poll(&probe, 1, 0) == 1 && (probe.revents & POLLIN) != 0)
            ready.push_back(id);
    }
    for (SourceID id : ready) {
        const auto it = watches_.find(id); // an earlier callback may have removed it
        if (it == watches_.end())
            continue;
        const Callback readable = it->second.readable;
        readable();
        read = true;
    }
    return !work.empty() || read;
}

} // namespace os
