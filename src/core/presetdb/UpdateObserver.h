#pragma once
// The preset update's window onto the user interface. The update calls it
// from its long loops, never more often than every few milliseconds, so a
// window can stay painted and show how far the update is. Plain C++: the main
// window implements it; a silent run passes none.

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace presetdb {

class UpdateObserver {
public:
    virtual ~UpdateObserver() = default;
    // Let the window system handle its pending events.
    virtual void keepResponsive() = 0;
    // done of total; total stays the same for one update, done only grows.
    virtual void progress(std::int64_t done, std::int64_t total) = 0;
};

// Paces the calls to an observer from loops that run once per value or row:
// the clock is looked at only every few dozen calls, and the observer is
// called at most once per interval.
class Pacer {
public:
    static constexpr std::int64_t kProgressTotal = 1000;
    static constexpr std::chrono::milliseconds kInterval{5};

    explicit Pacer(UpdateObserver* observer = nullptr,
                   std::chrono::steady_clock::duration interval = kInterval)
        : observer_(observer), interval_(interval) {}

    // The next loop stands for the share [from, to) of kProgressTotal and has
    // count items.
    void stage(std::int64_t from, std::int64_t to, std::size_t count);
    // Once per value or row; done is the number of items of the stage finished.
    void tick(std::size_t done) {
        done_ = done;
        poll();
    }
    // From work that does not count items (a database busy with a statement).
    void poll() {
        if (observer_ != nullptr && (++calls_ % kCallsPerClockLook) == 0)
            lookAtClock();
    }
    // The update is over: the observer sees it complete.
    void finish();

private:
    static constexpr unsigned kCallsPerClockLook = 32;
    void lookAtClock();

    UpdateObserver* observer_;
    std::chrono::steady_clock::duration interval_;
    unsigned calls_ = 0;
    std::size_t done_ = 0;
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
    std::int64_t from_ = 0;
    std::int64_t to_ = 0;
    std::size_t count_ = 0;
};

} // namespace presetdb
