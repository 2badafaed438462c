#pragma once
// A run loop for tests that time only moves when the test says so. Timers fall due by a fixed
// clock that the loop moves on; posted work and readable descriptors are handled when the test
// runs what is pending. "59 s later" is advance(59s), and the clock reads the moment of each
// timer while its callback runs.
#include "foundation/Clock.h"
#include "foundation/RunLoop.h"

#include <map>
#include <mutex>
#include <vector>

namespace os {

class ManualRunLoop final : public RunLoop {
public:
    // The clock is not owned; it must outlive the loop.
    explicit ManualRunLoop(FixedClock& clock) : clock_(clock) {}

    SourceID addTimer(std::chrono::milliseconds interval, bool repeats, Callback fired) override;
    SourceID addReadWatch(int fd, Callback readable) override;
    void remove(SourceID source) override;
    void post(Callback work) override;

    // Moves the clock on by `duration`. Each timer due on the way fires at its own moment, in
    // the order they fall due (timers due together in the order they were added); what is
    // pending runs after each one and once more at the end.
    void advance(std::chrono::milliseconds duration);
    // Runs the posted work and the callbacks of the watched descriptors that are readable now,
    // again and again until nothing is left to do (at most 1,000 rounds: a callback that never
    // reads its descriptor cannot hang the test).
    void runPending();

    size_t timerCount() const { return timers_.size(); }

private:
    struct Timer {
        Moment due;
        std::chrono::milliseconds interval;
        bool repeats;
        Callback fired;
    };
    struct Watch {
        int fd;
        Callback readable;
    };

    // One round; false when there was nothing to do.
    bool runRound();

    FixedClock& clock_;
    SourceID lastID_ = 0;
    std::map<SourceID, Timer> timers_;
    std::map<SourceID, Watch> watches_;
    std::mutex postedMutex_;
    std::vector<Callback> posted_;
};

} // namespace os
